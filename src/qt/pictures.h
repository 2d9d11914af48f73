#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

#include "garden/picture.h"

namespace mironeka::qt {

/// The game's pictures, one SVG resource each (":/pictures/<name>.svg").
enum class Asset {
    Ground,
    Sugar,
    Puddle,
    Grass,
    BlackAnt,
    BlackColony,
    RedAnt,
    RedColony,
    Logo,
    HouseMap,
    WindowIcon,
};
inline constexpr int kAssetCount = 11;

[[nodiscard]] QString assetPath(Asset a);
/// The picture's own size in logical pixels (tiles 50 × 50, the logo
/// 308 × 46, the house 606 × 493, the icon 32 × 32).
[[nodiscard]] QSize naturalSize(Asset a);
/// The asset that draws a tile picture of the model.
[[nodiscard]] Asset assetOf(garden::Picture p);

/// Renders each picture once per (picture, size, device pixel ratio) and
/// keeps the pixmap. The pixmap has size × dpr device pixels and carries the
/// ratio, so it is drawn sharp at `size` logical pixels.
class PictureCache {
  public:
    static QPixmap pixmap(Asset a, QSize size, qreal dpr);
    static QPixmap pixmap(Asset a, qreal dpr) { return pixmap(a, naturalSize(a), dpr); }
    /// How many pixmaps have been rendered so far (each key once).
    static int renderCount();
};

/// The window icon at 1x and 2x.
[[nodiscard]] QIcon gameWindowIcon();

/// An image widget: draws one picture at its natural size from its top-left
/// corner, not stretched. A press and release of the left button on it is a
/// click.
class ImageWidget : public QWidget {
    Q_OBJECT
  public:
    ImageWidget(Asset a, QSize size, QWidget* parent);
    [[nodiscard]] Asset asset() const { return asset_; }
    void setAsset(Asset a);

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Asset asset_;
    bool pressed_ = false;
};

}  // namespace mironeka::qt
