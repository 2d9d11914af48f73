#include "qt/controls.h"

#include <qdrawutil.h>

#include <QPainter>
#include <algorithm>

#include "qt/pictures.h"

namespace mironeka::qt {

void drawFocusMark(QPainter& painter, QRect box) {
    auto frame = [&](QRect r, int width, const QColor& c) {
        painter.fillRect(r.left(), r.top(), r.width(), width, c);
        painter.fillRect(r.left(), r.bottom() - width + 1, r.width(), width, c);
        painter.fillRect(r.left(), r.top(), width, r.height(), c);
        painter.fillRect(r.right() - width + 1, r.top(), width, r.height(), c);
    };
    frame(box, 2, Qt::black);
    frame(box.adjusted(2, 2, -2, -2), 1, Qt::white);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, PictureCache::pixmap(picture_, size(), devicePixelRatioF()));
    qDrawWinButton(&painter, rect(), palette(), isDown() || isChecked(), nullptr);
    if (hasFocus()) drawFocusMark(painter, rect().adjusted(3, 3, -3, -3));
}

void TextButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    // Small buttons ("×" is 17 pixels) get the mark closer to their edge.
    const int inset = std::min(width(), height()) < 20 ? 2 : 3;
    drawFocusMark(painter, rect().adjusted(inset, inset, -inset, -inset));
}

ImageWidget::ImageWidget(std::optional<ui::Picture> p, QSize size, QWidget* parent)
    : QAbstractButton(parent), picture_(p) {
    setFixedSize(size);
    setFocusPolicy(Qt::NoFocus);
}

void ImageWidget::setPicture(std::optional<ui::Picture> p) {
    if (p == picture_) return;
    picture_ = p;
    update();
}

void ImageWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_) {
        painter.drawPixmap(0, 0, PictureCache::pixmap(*picture_, size(), devicePixelRatioF()));
    }
    // Inside the two-pixel overlap with a tile's neighbours, so the mark
    // shows whole whichever tile is drawn on top.
    if (hasFocus()) drawFocusMark(painter, rect().adjusted(3, 3, -3, -3));
}

TileButton::TileButton(std::optional<ui::Picture> p, QSize size, QWidget* parent)
    : ImageWidget(p, size, parent) {
    setFocusPolicy(Qt::StrongFocus);
}

}  // namespace mironeka::qt
