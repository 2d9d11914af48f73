#include "garden/garden_layout.h"

#include <array>

#include "garden/evaluation.h"
#include "garden/garden_screen.h"
#include "garden/tools.h"
#include "ui/screen.h"
#include "ui/translate.h"

namespace mironeka::garden {

namespace {

using ui::Look;
using ui::Picture;
using ui::Rect;
using ui::Rgb;
using ui::WidgetKind;
using ui::WidgetSpec;

constexpr Rgb kGreen{0, 192, 0};
constexpr Look kTitle{9, {255, 255, 255}, Rgb{0, 0, 255}};

using namespace ui::widgets;

constexpr WidgetSpec toolButton(int n, Rect box) {
    const ToolSpec* tool = toolOnButton(n);
    return {.id = ui::command(n),
            .box = box,
            .picture = tool->picture,
            .tooltip = tool->tooltip,
            .tracksPointer = true};
}
/// Tile n's box: 50 × 50 pixels, 48 apart, so neighbours overlap by two.
constexpr Rect tileBox(int n) {
    const int r = (n - 1) / kGridSize;
    const int c = (n - 1) % kGridSize;
    return {8 + 48 * c, 48 + 48 * r, 50, 50};
}

// Off the window, to the right of every garden's client area: the fields
// the player doesn't see, their captions and the picture sources.
constexpr int kOff = 300;
constexpr Rect fieldBox(int left, int top) { return {left, top, 25, 18}; }
constexpr Rect blockBox(int left, int i) {  // a 4 × 4 block in tile order
    return fieldBox(left + 24 * (i % kGridSize), 16 + 20 * (i / kGridSize));
}

constexpr std::size_t kWidgetCount = 14 + 16 + 3 + 7 + 36 + 10 + 49;

constexpr std::array<WidgetSpec, kWidgetCount> kWidgets = [] {
    std::array<WidgetSpec, kWidgetCount> w{};
    std::size_t i = 0;
    auto add = [&](const WidgetSpec& s) { w.at(i++) = s; };

    // What the player sees.
    add(label(kTitleLabel, {0, 0, 257, 17}, "", kTitle));  // the title, from the screen
    add(button(kCloseButton, {256, 0, 17, 17}, "×", true, QT_TRANSLATE_NOOP("Game", "庭を閉じる")));
    // "あと" 7 "日": read whole through the number's label.
    WidgetSpec before = label(9, {8, 24, 25, 17}, QT_TRANSLATE_NOOP("Game", "あと"));
    WidgetSpec after = label(11, {40, 24, 17, 17}, QT_TRANSLATE_NOOP("Game", "日"));
    before.exposed = after.exposed = false;
    add(before);
    add(label(kDaysLabel, {32, 24, 9, 17}, "7"));
    add(after);
    add(label(14, {128, 24, 81, 17}, QT_TRANSLATE_NOOP("Game", "現在のポイント")));
    WidgetSpec points =
        textBox(kPointsBox, {208, 24, 49, 18}, "0", QT_TRANSLATE_NOOP("Game", "現在のポイント"));
    points.readOnly = true;  // the game reads it back as a number: only the game writes it
    add(points);
    add(label(1, {216, 56, 41, 17}, QT_TRANSLATE_NOOP("Game", "ツール")));
    add(toolButton(5, {224, 80, 25, 25}));   // level the land
    add(toolButton(2, {224, 120, 25, 25}));  // sugar
    add(toolButton(3, {224, 160, 25, 25}));  // puddle
    add(toolButton(4, {224, 200, 25, 25}));  // grass
    WidgetSpec hint = label(kHintLabel, {208, 232, 57, 33}, "");
    hint.accessibleName = QT_TRANSLATE_NOOP("Game", "ヒント");
    add(hint);
    add(button(kNextDayButton, {56, 256, 105, 33}, QT_TRANSLATE_NOOP("Game", "次の日へスキップ")));
    for (int n = 1; n <= kTileCount; ++n) add(image(n, tileBox(n), Picture::Ground));
    add(line(1, {0, 16, 1, 281}));    // left edge of the play area
    add(line(2, {0, 296, 273, 1}));   // bottom edge
    add(line(3, {272, 16, 1, 281}));  // right edge

    // Off the window.
    add(label(2, {kOff, 0, 89, 17}, QT_TRANSLATE_NOOP("Game", "現在の地価")));
    for (int n = 1; n <= kTileCount; ++n) add(textBox(n, blockBox(kOff, n - 1), "0"));
    add(label(3, {kOff + 104, 0, 89, 17}, QT_TRANSLATE_NOOP("Game", "周辺合計地価")));
    for (int n = 1; n <= kTileCount; ++n) add(textBox(16 + n, blockBox(kOff + 104, n - 1), "0"));
    add(label(4, {kOff, 104, 65, 17}, QT_TRANSLATE_NOOP("Game", "現在の選択")));
    add(textBox(33, fieldBox(kOff, 120), "0"));
    add(label(6, {kOff + 72, 104, 33, 17}, QT_TRANSLATE_NOOP("Game", "砂糖")));
    add(textBox(34, fieldBox(kOff + 72, 120), "0"));
    add(label(7, {kOff + 112, 104, 17, 17}, QT_TRANSLATE_NOOP("Game", "水")));
    add(textBox(35, fieldBox(kOff + 112, 120), "0"));
    add(label(8, {kOff + 152, 104, 17, 17}, QT_TRANSLATE_NOOP("Game", "草")));
    add(textBox(36, fieldBox(kOff + 152, 120), "0"));
    // The picture sources: sugar, puddle, grass; the ant and colony slots;
    // red ant, red colony, black ant, black colony; ground.
    constexpr std::array<Picture, 10> kSources{
        Picture::Sugar,       Picture::Puddle, Picture::Grass,     Picture::BlackAnt,
        Picture::BlackColony, Picture::RedAnt, Picture::RedColony, Picture::BlackAnt,
        Picture::BlackColony, Picture::Ground};
    for (int k = 0; k < 10; ++k) {
        add(image(17 + k, {kOff + 52 * (k % 5), 150 + 52 * (k / 5), 50, 50},
                  kSources.at(static_cast<std::size_t>(k))));
    }
    add(label(5, {kOff, 260, 65, 17}, ""));  // used by nothing
    for (int n = 1; n <= 49; ++n) add(timer(n, 0));

    if (i != w.size()) throw "the garden's widget count is off";
    return w;
}();

// The keyboard starts on tile 1.
constexpr std::array<ui::WidgetId, 1> kFirstFocus{ui::image(1)};
constexpr std::array<ui::WidgetId, kTileCount> kTiles = [] {
    std::array<ui::WidgetId, kTileCount> tiles{};
    for (int n = 1; n <= kTileCount; ++n) tiles.at(static_cast<std::size_t>(n - 1)) = ui::image(n);
    return tiles;
}();

}  // namespace

const ui::ScreenSpec& gardenLayout(const GardenVariant& variant) {
    static const auto kLayouts = [] {
        std::array<ui::ScreenSpec, kGardenVariants.size()> out{};
        for (std::size_t g = 0; g < out.size(); ++g) {
            const auto& v = kGardenVariants.at(g);
            out.at(g) = ui::ScreenSpec{.form = v.form,
                                       .caption = ui::kApplicationTitle,
                                       .client = {v.width, v.height},
                                       .frame = ui::Frame::None,
                                       .back = kGreen,
                                       .icon = std::nullopt,
                                       .tracksPointer = true,
                                       .firstFocus = kFirstFocus,
                                       .grid = kTiles,
                                       .gridColumns = kGridSize,
                                       .widgets = kWidgets,
                                       .fields = GardenScreen::fieldTable()};
        }
        return out;
    }();
    return kLayouts.at(static_cast<std::size_t>(variant.gardenNumber - 1));
}

}  // namespace mironeka::garden
