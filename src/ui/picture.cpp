#include "ui/picture.h"

#include <array>

#include "ui/translate.h"

namespace mironeka::ui {

namespace {
struct Names {
    Picture picture;
    std::string_view name;
    std::string_view label;
};
constexpr std::array<Names, kPictureCount> kNames{{
    {Picture::Ground, "Ground", QT_TRANSLATE_NOOP("Game", "砂地")},
    {Picture::Sugar, "Sugar", QT_TRANSLATE_NOOP("Game", "砂糖")},
    {Picture::Puddle, "Puddle", QT_TRANSLATE_NOOP("Game", "水溜り")},
    {Picture::Grass, "Grass", QT_TRANSLATE_NOOP("Game", "草")},
    {Picture::BlackAnt, "BlackAnt", QT_TRANSLATE_NOOP("Game", "黒アリの巣")},
    {Picture::BlackColony, "BlackColony", QT_TRANSLATE_NOOP("Game", "黒アリの大きな巣")},
    {Picture::RedAnt, "RedAnt", QT_TRANSLATE_NOOP("Game", "赤アリの巣")},
    {Picture::RedColony, "RedColony", QT_TRANSLATE_NOOP("Game", "赤アリの大きな巣")},
    {Picture::Logo, "Logo", "VELMORAKI"},
    {Picture::HouseMap, "HouseMap", QT_TRANSLATE_NOOP("Game", "上から見た家と庭")},
    {Picture::WindowIcon, "WindowIcon", QT_TRANSLATE_NOOP("Game", "アリの巣")},
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
