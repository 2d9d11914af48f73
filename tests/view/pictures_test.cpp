// The pictures: every resource renders at its size and ratio with the
// colours that make it what it is; the windows show them sharp.
#include "qt/pictures.h"

#include <gtest/gtest.h>

#include <QImage>

#include "session.h"

namespace mironeka::view_test {
namespace {

using Asset = ui::Picture;

struct PictureCase {
    Asset asset;
    QSize size;
    QColor mustShow;    // a colour the picture must contain
    QColor corner;      // the top-left pixel
    int tolerance = 0;  // for small antialiased marks
};

void PrintTo(const PictureCase& c, std::ostream* os) {
    *os << qt::resourcePath(c.asset).toStdString();
}

class Picture : public ::testing::TestWithParam<std::tuple<PictureCase, qreal>> {};

TEST_P(Picture, RendersAtItsSizeAndRatioWithItsColours) {
    const auto& [c, dpr] = GetParam();
    EXPECT_EQ(qt::naturalSize(c.asset), c.size);
    const QPixmap pm = qt::PictureCache::pixmap(c.asset, dpr);
    EXPECT_EQ(pm.devicePixelRatio(), dpr);
    EXPECT_EQ(pm.size(), c.size * dpr);
    const QImage image = pm.toImage();
    EXPECT_TRUE(imageContains(image, c.mustShow, c.tolerance)) << c.mustShow.name().toStdString();
    EXPECT_EQ(image.pixelColor(0, 0), c.corner);
}

const QColor kGround(255, 255, 128);
const QColor kBlack(0, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    Assets, Picture,
    ::testing::Combine(::testing::Values(
                           // The specks are a pixel across: drawn dark, not quite black, at 1x.
                           PictureCase{Asset::Ground, {50, 50}, kBlack, kGround, 64},
                           PictureCase{Asset::Sugar, {50, 50}, QColor(255, 255, 255), kGround},
                           PictureCase{Asset::Puddle, {50, 50}, QColor(0, 255, 255), kGround},
                           PictureCase{Asset::Grass, {50, 50}, QColor(0, 128, 0), kGround},
                           PictureCase{Asset::BlackAnt, {50, 50}, kBlack, kGround},
                           PictureCase{Asset::BlackColony, {50, 50}, kBlack, kGround},
                           PictureCase{Asset::RedAnt, {50, 50}, QColor(255, 0, 0), kGround},
                           PictureCase{Asset::RedColony, {50, 50}, QColor(255, 0, 0), kGround},
                           PictureCase{Asset::Logo, {308, 46}, kBlack, QColor(255, 255, 255)},
                           PictureCase{
                               Asset::HouseMap, {606, 493}, QColor(0x3c, 0x8c, 0x30), kGround},
                           PictureCase{Asset::WindowIcon, {32, 32}, kBlack, QColor(224, 224, 128)}),
                       ::testing::Values(1.0, 2.0)));

TEST(PictureCache, RendersEachPictureSizeAndRatioOnce) {
    qt::PictureCache::pixmap(Asset::Sugar, {25, 25}, 1.0);
    const int before = qt::PictureCache::renderCount();
    qt::PictureCache::pixmap(Asset::Sugar, {25, 25}, 1.0);
    EXPECT_EQ(qt::PictureCache::renderCount(), before);
    qt::PictureCache::pixmap(Asset::Sugar, {25, 25}, 3.0);
    EXPECT_EQ(qt::PictureCache::renderCount(), before + 1);
}

// A tile's area of the grabbed window is the picture rendered at the
// window's own ratio, pixel for pixel: not a scaled-up 1x rendering.
TEST(GardenPictures, TilesAreDrawnAtTheWindowsPixelRatio) {
    Session session;
    const FormId form = app::Game::gardenForm(1);
    session.reach(form);
    auto* w = session.window(form);
    const Grab grab(w);
    EXPECT_EQ(grab.ratio, w->devicePixelRatioF());
    if (const QByteArray scale = qgetenv("QT_SCALE_FACTOR"); !scale.isEmpty()) {
        EXPECT_EQ(grab.ratio, scale.toDouble());
    }
    EXPECT_EQ(grab.image.size(), w->size() * grab.ratio);

    const QImage tile = qt::PictureCache::pixmap(Asset::Ground, grab.ratio).toImage();
    // Tile 1 alone covers its top-left 48 × 48 pixels; its neighbours
    // overlap the last two rows and columns.
    const int side = static_cast<int>(48 * grab.ratio);
    const QPoint origin(static_cast<int>(8 * grab.ratio), static_cast<int>(48 * grab.ratio));
    int differing = 0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (grab.image.pixelColor(origin + QPoint(x, y)) != tile.pixelColor(x, y)) ++differing;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST(GardenPictures, ToolButtonsShowTheTilePicturesAtHalfSize) {
    Session session;
    const FormId form = app::Game::gardenForm(1);
    session.reach(form);
    const Grab grab(session.window(form));
    // Command3 the puddle at (224, 160), Command4 the grass at (224, 200).
    EXPECT_TRUE(grab.contains({226, 162, 21, 21}, QColor(0, 255, 255)));
    EXPECT_TRUE(grab.contains({226, 202, 21, 21}, QColor(0, 128, 0), 40));
    EXPECT_FALSE(grab.contains({226, 122, 21, 21}, QColor(0, 255, 255)));
}

}  // namespace
}  // namespace mironeka::view_test
