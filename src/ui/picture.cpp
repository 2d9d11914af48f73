#include "ui/picture.h"

#include <array>

namespace mironeka::ui {

namespace {
struct Names {
    Picture picture;
    std::string_view name;
    std::string_view label;
};
constexpr std::array<Names, kPictureCount> kNames{{
    {Picture::Ground, "Ground", "砂地"},
    {Picture::Sugar, "Sugar", "砂糖"},
    {Picture::Puddle, "Puddle", "水溜り"},
    {Picture::Grass, "Grass", "草"},
    {Picture::BlackAnt, "BlackAnt", "黒アリの巣"},
    {Picture::BlackColony, "BlackColony", "黒アリの大きな巣"},
    {Picture::RedAnt, "RedAnt", "赤アリの巣"},
    {Picture::RedColony, "RedColony", "赤アリの大きな巣"},
    {Picture::Logo, "Logo", "VELMORAKI"},
    {Picture::HouseMap, "HouseMap", "上から見た家と庭"},
    {Picture::WindowIcon, "WindowIcon", "アリの巣"},
}};
}  // namespace

std::string_view pictureName(Picture p) {
    for (const auto& n : kNames) {
        if (n.picture == p) return n.name;
    }
    return "?";
}

std::optional<Picture> parsePictureName(std::string_view name) {
    for (const auto& n : kNames) {
        if (n.name == name) return n.picture;
    }
    return std::nullopt;
}

std::string_view pictureLabel(Picture p) {
    for (const auto& n : kNames) {
        if (n.picture == p) return n.label;
    }
    return "?";
}

}  // namespace mironeka::ui
