#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

#include "ui/picture.h"

namespace mironeka::qt {

/// The picture's drawing: an SVG resource named after the picture,
/// ":/pictures/<Name>.svg".
[[nodiscard]] QString resourcePath(ui::Picture p);
/// The picture's own size in logical pixels (tiles 50 × 50, the logo
/// 308 × 46, the house 606 × 493, the icon 32 × 32).
[[nodiscard]] QSize naturalSize(ui::Picture p);

/// Renders each picture once per (picture, size, device pixel ratio) and
/// keeps the pixmap. The pixmap has size × dpr device pixels and carries the
/// ratio, so it is drawn sharp at `size` logical pixels.
class PictureCache {
  public:
    static QPixmap pixmap(ui::Picture p, QSize size, qreal dpr);
    static QPixmap pixmap(ui::Picture p, qreal dpr) { return pixmap(p, naturalSize(p), dpr); }
    /// How many pixmaps have been rendered so far (each key once).
    static int renderCount();
};

/// The window icon at 1x and 2x.
[[nodiscard]] QIcon gameWindowIcon();

}  // namespace mironeka::qt
