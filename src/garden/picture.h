#pragma once

#include <string_view>

namespace mironeka::garden {

/// The pictures a garden tile can show, by name. A tile stores the name, so
/// copying a slot's picture onto a tile copies the name, and a later change
/// of the slot leaves the tile as it was.
enum class Picture {
    Ground,       // bare sand
    Sugar,        // a lump of sugar
    Puddle,       // a cyan puddle
    Grass,        // a tuft of grass
    BlackAnt,     // small nest, one black ant
    BlackColony,  // large nest, four black ants
    RedAnt,       // small nest, one red ant
    RedColony,    // large nest, four red ants
};

[[nodiscard]] std::string_view pictureName(Picture p);

}  // namespace mironeka::garden
