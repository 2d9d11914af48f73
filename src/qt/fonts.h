#pragma once

#include <QFont>

namespace mironeka::qt {

/// Pixel size of a point size at 96 dpi, so the layout, which is in
/// pixels, doesn't depend on the display's dpi: 9 pt → 12 px, 27.75 → 37.
[[nodiscard]] int pixelsForPoints(double points);

/// The game's Japanese font at `points`: "ＭＳ Ｐゴシック" where it exists,
/// else Monapo (drawn to the same widths), IPAPGothic, then any Japanese
/// font installed.
[[nodiscard]] QFont gameFont(double points);

/// The screens' default font: the same family at 9 pt.
[[nodiscard]] inline QFont defaultFont() { return gameFont(9); }

}  // namespace mironeka::qt
