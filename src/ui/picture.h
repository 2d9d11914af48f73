#pragma once

#include <optional>
#include <string_view>

namespace mironeka::ui {

/// The game's pictures, by name: one vocabulary for the model, the windows
/// and the scenario runner. A tile stores the name, so copying a slot's
/// picture onto a tile copies the name, and a later change of the slot leaves
/// the tile as it was. The front ends map a name to its drawing.
enum class Picture {
    Ground,       // bare sand with a few black specks
    Sugar,        // a lump of sugar
    Puddle,       // a cyan puddle
    Grass,        // a tuft of grass
    BlackAnt,     // small nest, one black ant
    BlackColony,  // large nest, four black ants
    RedAnt,       // small nest, one red ant
    RedColony,    // large nest, four red ants
    Logo,         // the maker's name, for the splash
    HouseMap,     // the house seen from above, for the stage-select screen
    WindowIcon,   // a nest on darker sand, for framed windows
};
inline constexpr int kPictureCount = 11;

/// "Ground", "BlackAnt", ...: the picture's name as the runner and the
/// resources spell it.
[[nodiscard]] std::string_view pictureName(Picture p);
[[nodiscard]] std::optional<Picture> parsePictureName(std::string_view name);
/// What the picture shows, in the game's Japanese, for screen readers:
/// "砂糖", "黒アリの巣", ...
[[nodiscard]] std::string_view pictureLabel(Picture p);

}  // namespace mironeka::ui
