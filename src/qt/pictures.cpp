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

constexpr std::array<const char*, kAssetCount> kFileNames{
    "ground",  "sugar",      "puddle", "grass",     "black_ant",   "black_colony",
    "red_ant", "red_colony", "logo",   "house_map", "window_icon",
};

using Key = std::tuple<int, int, int, long>;  // asset, width, height, dpr × 1000

std::map<Key, QPixmap>& cache() {
    static std::map<Key, QPixmap> pixmaps;
    return pixmaps;
}

int renders = 0;

}  // namespace

QString assetPath(Asset a) {
    return QStringLiteral(":/pictures/%1.svg").arg(kFileNames.at(static_cast<std::size_t>(a)));
}

QSize naturalSize(Asset a) {
    static std::array<QSize, kAssetCount> sizes;
    auto& s = sizes.at(static_cast<std::size_t>(a));
    if (s.isEmpty()) s = QSvgRenderer(assetPath(a)).defaultSize();
    return s;
}

Asset assetOf(garden::Picture p) {
    switch (p) {
        case garden::Picture::Ground:
            return Asset::Ground;
        case garden::Picture::Sugar:
            return Asset::Sugar;
        case garden::Picture::Puddle:
            return Asset::Puddle;
        case garden::Picture::Grass:
            return Asset::Grass;
        case garden::Picture::BlackAnt:
            return Asset::BlackAnt;
        case garden::Picture::BlackColony:
            return Asset::BlackColony;
        case garden::Picture::RedAnt:
            return Asset::RedAnt;
        case garden::Picture::RedColony:
            return Asset::RedColony;
    }
    return Asset::Ground;
}

QPixmap PictureCache::pixmap(Asset a, QSize size, qreal dpr) {
    const Key key{static_cast<int>(a), size.width(), size.height(), std::lround(dpr * 1000.0)};
    auto& pixmaps = cache();
    if (auto it = pixmaps.find(key); it != pixmaps.end()) return it->second;

    QPixmap pm(size * dpr);
    pm.fill(Qt::transparent);
    {
        QPainter painter(&pm);
        painter.setRenderHint(QPainter::Antialiasing);
        QSvgRenderer(assetPath(a)).render(&painter, QRectF(QPointF(0, 0), QSizeF(pm.size())));
    }
    pm.setDevicePixelRatio(dpr);
    ++renders;
    return pixmaps.emplace(key, pm).first->second;
}

int PictureCache::renderCount() { return renders; }

QIcon gameWindowIcon() {
    QIcon icon;
    for (const qreal dpr : {1.0, 2.0}) icon.addPixmap(PictureCache::pixmap(Asset::WindowIcon, dpr));
    return icon;
}

ImageWidget::ImageWidget(Asset a, QSize size, QWidget* parent) : QWidget(parent), asset_(a) {
    setFixedSize(size);
}

void ImageWidget::setAsset(Asset a) {
    if (a == asset_) return;
    asset_ = a;
    update();
}

void ImageWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, PictureCache::pixmap(asset_, devicePixelRatioF()));
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
