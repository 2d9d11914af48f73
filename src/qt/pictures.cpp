#include "qt/pictures.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <array>
#include <cmath>
#include <map>
#include <tuple>

namespace mironeka::qt {

namespace {

using Key = std::tuple<int, int, int, long>;  // picture, width, height, dpr × 1000

std::map<Key, QPixmap>& cache() {
    static std::map<Key, QPixmap> pixmaps;
    return pixmaps;
}

int renders = 0;

}  // namespace

QString resourcePath(ui::Picture p) {
    return QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(ui::pictureName(p)));
}

QSize naturalSize(ui::Picture p) {
    static std::array<QSize, ui::kPictureCount> sizes;
    auto& s = sizes.at(static_cast<std::size_t>(p));
    if (s.isEmpty()) s = QSvgRenderer(resourcePath(p)).defaultSize();
    return s;
}

QPixmap PictureCache::pixmap(ui::Picture p, QSize size, qreal dpr) {
    const Key key{static_cast<int>(p), size.width(), size.height(), std::lround(dpr * 1000.0)};
    auto& pixmaps = cache();
    if (auto it = pixmaps.find(key); it != pixmaps.end()) return it->second;

    QPixmap pm(size * dpr);
    pm.fill(Qt::transparent);
    {
        QPainter painter(&pm);
        painter.setRenderHint(QPainter::Antialiasing);
        QSvgRenderer(resourcePath(p)).render(&painter, QRectF(QPointF(0, 0), QSizeF(pm.size())));
    }
    pm.setDevicePixelRatio(dpr);
    ++renders;
    return pixmaps.emplace(key, pm).first->second;
}

int PictureCache::renderCount() { return renders; }

QIcon gameWindowIcon() {
    QIcon icon;
    for (const qreal dpr : {1.0, 2.0})
        icon.addPixmap(PictureCache::pixmap(ui::Picture::WindowIcon, dpr));
    return icon;
}

ImageWidget::ImageWidget(std::optional<ui::Picture> p, QSize size, QWidget* parent)
    : QWidget(parent), picture_(p) {
    setFixedSize(size);
}

void ImageWidget::setPicture(std::optional<ui::Picture> p) {
    if (p == picture_) return;
    picture_ = p;
    update();
}

void ImageWidget::paintEvent(QPaintEvent*) {
    if (!picture_) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, PictureCache::pixmap(*picture_, size(), devicePixelRatioF()));
}

void ImageWidget::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void ImageWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) emit clicked();
}

}  // namespace mironeka::qt
