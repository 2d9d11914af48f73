#include "ui/picture.h"

#include <array>
#include <utility>

namespace mironeka::ui {

namespace {
constexpr std::array<std::pair<Picture, std::string_view>, kPictureCount> kNames{{
    {Picture::Ground, "Ground"},
    {Picture::Sugar, "Sugar"},
    {Picture::Puddle, "Puddle"},
    {Picture::Grass, "Grass"},
    {Picture::BlackAnt, "BlackAnt"},
    {Picture::BlackColony, "BlackColony"},
    {Picture::RedAnt, "RedAnt"},
    {Picture::RedColony, "RedColony"},
    {Picture::Logo, "Logo"},
    {Picture::HouseMap, "HouseMap"},
    {Picture::WindowIcon, "WindowIcon"},
}};
}  // namespace

std::string_view pictureName(Picture p) {
    for (const auto& [pic, name] : kNames) {
        if (pic == p) return name;
    }
    return "?";
}

std::optional<Picture> parsePictureName(std::string_view name) {
    for (const auto& [pic, n] : kNames) {
        if (n == name) return pic;
    }
    return std::nullopt;
}

}  // namespace mironeka::ui
