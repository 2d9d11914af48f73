#include "qt/pictures.h"

#include <QIcon>
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

}  // namespace mironeka::qt
