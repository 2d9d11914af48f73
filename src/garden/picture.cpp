#include "garden/picture.h"

#include <array>
#include <utility>

namespace mironeka::garden {

namespace {
constexpr std::array<std::pair<Picture, std::string_view>, 8> kNames{{
    {Picture::Ground, "Ground"},
    {Picture::Sugar, "Sugar"},
    {Picture::Puddle, "Puddle"},
    {Picture::Grass, "Grass"},
    {Picture::BlackAnt, "BlackAnt"},
    {Picture::BlackColony, "BlackColony"},
    {Picture::RedAnt, "RedAnt"},
    {Picture::RedColony, "RedColony"},
}};
}  // namespace

std::string_view pictureName(Picture p) {
    for (const auto& [pic, name] : kNames) {
        if (pic == p) return name;
    }
    return "?";
}

}  // namespace mironeka::garden
