#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "ui/picture.h"
#include "ui/translate.h"

namespace mironeka::garden {

/// The selected tool. The same codes in every garden.
enum class Tool { None = 0, Sugar = 1, Puddle = 2, Grass = 3, Level = 4 };

/// What lies on a tile. Its code comes from the garden's `PlaceCodes`.
enum class TileKind { Ground, Sugar, Puddle, Grass };

/// One of the garden's four tools: the button that selects it, what its
/// place action lays on an empty tile and the picture the tile takes (the
/// level tool lays bare ground on any tile), the button's face and tooltip,
/// and the hint shown while the pointer is over the button.
struct ToolSpec {
    Tool tool;
    int button;  // CommandN
    TileKind lays;
    ui::Picture picture;
    std::string_view tooltip;
    std::string_view hint;
};

inline constexpr std::array<ToolSpec, 4> kTools{{
    {Tool::Sugar, 2, TileKind::Sugar, ui::Picture::Sugar, QT_TRANSLATE_NOOP("Game", "砂糖"),
     QT_TRANSLATE_NOOP("Game", "砂糖を置きます。")},
    {Tool::Puddle, 3, TileKind::Puddle, ui::Picture::Puddle, QT_TRANSLATE_NOOP("Game", "水溜り"),
     QT_TRANSLATE_NOOP("Game", "水溜りを作ります。")},
    {Tool::Grass, 4, TileKind::Grass, ui::Picture::Grass, QT_TRANSLATE_NOOP("Game", "草"),
     QT_TRANSLATE_NOOP("Game", "草を植えます。")},
    {Tool::Level, 5, TileKind::Ground, ui::Picture::Ground, QT_TRANSLATE_NOOP("Game", "砂地"),
     QT_TRANSLATE_NOOP("Game", "土地を整地します。")},
}};

/// The tool whose button is CommandN, if any.
[[nodiscard]] constexpr const ToolSpec* toolOnButton(int button) {
    for (const auto& t : kTools) {
        if (t.button == button) return &t;
    }
    return nullptr;
}

[[nodiscard]] constexpr const ToolSpec& toolSpec(Tool tool) {
    for (const auto& t : kTools) {
        if (t.tool == tool) return t;
    }
    return kTools.front();  // not reached: every tool but None has a row
}

/// The picture of a tile that holds `kind`.
[[nodiscard]] constexpr ui::Picture pictureOf(TileKind kind) {
    for (const auto& t : kTools) {
        if (t.lays == kind) return t.picture;
    }
    return ui::Picture::Ground;
}

}  // namespace mironeka::garden
