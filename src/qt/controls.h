#pragma once

#include <QAbstractButton>
#include <QPushButton>
#include <optional>

#include "ui/picture.h"

class QPainter;

namespace mironeka::qt {

/// Draws the keyboard focus mark inside `box`: a black frame two pixels wide
/// with a white one inside it, so it shows on any picture and stays sharp at
/// any pixel ratio.
void drawFocusMark(QPainter& painter, QRect box);

/// A command button that shows a picture instead of a caption, filling the
/// button, with a thin raised edge, sunken while pressed or checked. Only the
/// game checks it: a click doesn't.
class PictureButton final : public QPushButton {
  public:
    PictureButton(ui::Picture p, QWidget* parent) : QPushButton(parent), picture_(p) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override {}

  private:
    ui::Picture picture_;
};

/// A command button with a text caption, drawn by the style, with the
/// game's own focus mark: the style's is too faint on small buttons.
class TextButton final : public QPushButton {
  public:
    TextButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

/// A picture drawn at its box's size from its top-left corner. A press and
/// release of the left button on it is a click. It takes no keyboard focus
/// and is an image to screen readers.
class ImageWidget : public QAbstractButton {
    Q_OBJECT
  public:
    ImageWidget(std::optional<ui::Picture> p, QSize size, QWidget* parent);
    [[nodiscard]] std::optional<ui::Picture> picture() const { return picture_; }
    void setPicture(std::optional<ui::Picture> p);
    [[nodiscard]] QSize sizeHint() const override { return size(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<ui::Picture> picture_;
};

/// A picture that is also a control: a garden's tile. It takes the keyboard
/// focus (and then shows the focus mark), is pressed by Space or Enter, and
/// is a button to screen readers.
class TileButton final : public ImageWidget {
    Q_OBJECT
  public:
    TileButton(std::optional<ui::Picture> p, QSize size, QWidget* parent);
};

}  // namespace mironeka::qt
