#include "qt/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>

namespace mironeka::qt {

int pixelsForPoints(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

QFont gameFont(double points) {
    static const QStringList families = [] {
        QStringList list{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                         QStringLiteral("Monapo"), QStringLiteral("IPAPGothic"),
                         QStringLiteral("IPAGothic")};
        for (const QString& f : QFontDatabase::families(QFontDatabase::Japanese)) {
            if (!list.contains(f)) list << f;
        }
        return list;
    }();
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelsForPoints(points));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace mironeka::qt
