#pragma once

#include <QPushButton>
#include <array>

#include "garden/garden_screen.h"
#include "qt/form_window.h"

class QLabel;
class QLineEdit;

namespace mironeka::qt {

/// A command button that shows a picture instead of a caption, filling the
/// button, with a thin raised (sunken while pressed) edge.
class PictureButton final : public QPushButton {
  public:
    PictureButton(Asset a, QWidget* parent) : QPushButton(parent), asset_(a) {}

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Asset asset_;
};

/// The window of one garden (Form3, Form5..Form9), built from its variant:
/// the title line, the days and points, the four tools with their hint and
/// the sixteen tiles.
class GardenWindow final : public FormWindow {
  public:
    GardenWindow(const garden::GardenScreen& garden, ActionSink& sink);
    void sync(const ui::Screen& screen) override;

    /// Tile n's top-left corner: tiles are 50 pixels wide, 48 apart.
    [[nodiscard]] static QPoint tileOrigin(int n);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    std::array<ImageWidget*, 16> tiles_{};
    std::array<PictureButton*, 4> tools_{};  // Command2..Command5
    QLabel* daysLeft_ = nullptr;
    QLabel* hint_ = nullptr;
    QLineEdit* points_ = nullptr;
};

}  // namespace mironeka::qt
