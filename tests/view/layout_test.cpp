// The windows as laid out: sizes, frames, colours and the garden's grid,
// checked on grabbed pictures in logical pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <iostream>

#include "garden/garden_screen.h"
#include "garden/garden_variant.h"
#include "qt/fonts.h"
#include "qt/pictures.h"
#include "session.h"

namespace mironeka::view_test {
namespace {

const QColor kGround(255, 255, 128);
const QColor kGardenGreen(0, 192, 0);
const QColor kButtonFace(212, 208, 200);  // the game's own, whatever the desktop

struct WindowCase {
    FormId form;
    QSize client;
    bool framed;
    const char* caption;  // the title bar's text, for framed windows
    bool icon;
    QPoint bare;  // a point of bare background
    QColor back;  // invalid: the system's button face
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << ui::formName(c.form); }

class WindowLayout : public ::testing::TestWithParam<WindowCase> {
  protected:
    Session session;
};

TEST_P(WindowLayout, HasItsSizeFrameAndBackColour) {
    const auto& c = GetParam();
    session.reach(c.form);
    auto* w = session.window(c.form);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->size(), c.client);
    EXPECT_EQ(w->minimumSize(), c.client);
    EXPECT_EQ(w->maximumSize(), c.client);

    const auto flags = w->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(bool(flags & Qt::FramelessWindowHint), !c.framed);
    if (c.framed) {
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_TRUE(flags & Qt::WindowTitleHint);
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.caption));
    }
    EXPECT_EQ(w->testAttribute(Qt::WA_SetWindowIcon), c.icon);
    if (c.icon) {
        const QImage icon = w->windowIcon().pixmap(QSize(32, 32), 1.0).toImage();
        EXPECT_EQ(icon.pixelColor(0, 0), QColor(224, 224, 128));
    }

    const QColor back = c.back.isValid() ? c.back : QApplication::palette().color(QPalette::Window);
    EXPECT_EQ(Grab(w).at(c.bare.x(), c.bare.y()), back);
}

const char* const kTitle = "VELMORAKI　ミロネカ";

INSTANTIATE_TEST_SUITE_P(
    Screens, WindowLayout,
    ::testing::Values(
        WindowCase{FormId::Form1, {366, 140}, false, "", false, {364, 100}, kGround},
        WindowCase{FormId::Form2, {328, 218}, true, kTitle, true, {320, 150}, kGround},
        WindowCase{FormId::Form4, {608, 574}, false, "", false, {590, 560}, QColor(192, 192, 255)},
        WindowCase{FormId::Form3, {274, 300}, false, "", false, {262, 150}, kGardenGreen},
        WindowCase{FormId::Form5, {274, 298}, false, "", false, {262, 150}, kGardenGreen},
        WindowCase{FormId::Form6, {274, 298}, false, "", false, {262, 150}, kGardenGreen},
        WindowCase{FormId::Form7, {275, 299}, false, "", false, {262, 150}, kGardenGreen},
        WindowCase{FormId::Form8, {275, 299}, false, "", false, {262, 150}, kGardenGreen},
        WindowCase{FormId::Form9, {274, 299}, false, "", false, {262, 150}, kGardenGreen},
        WindowCase{FormId::Form10, {273, 313}, true, kTitle, true, {268, 300}, QColor(0, 255, 0)},
        WindowCase{FormId::Form11, {283, 152}, true, "スコア送信", true, {278, 140}, kButtonFace}));

// --- The garden --------------------------------------------------------------

class GardenGrid : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        session.reach(form);
        window = session.window(form);
        ASSERT_NE(window, nullptr);
    }
    Session session;
    FormId form = app::Game::gardenForm(1);
    QWidget* window = nullptr;
};

TEST_P(GardenGrid, TileSitsOnTheGridAndShowsGroundToItsEdges) {
    const int n = GetParam();
    const int r = (n - 1) / 4;
    const int c = (n - 1) % 4;
    auto* tile = session.widget(form, ("Image" + std::to_string(n)).c_str());
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->geometry(), QRect(8 + 48 * c, 48 + 48 * r, 50, 50));

    const Grab grab(window);
    const QRect box = tile->geometry();
    for (const QPoint p : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
        EXPECT_EQ(grab.at(p.x(), p.y()), kGround)
            << "tile " << n << " at " << p.x() << "," << p.y();
    }
}

INSTANTIATE_TEST_SUITE_P(AllTiles, GardenGrid, ::testing::Range(1, 17));

TEST(GardenLayout, GridRunsFrom8x48To201x241WithTwoPixelOverlaps) {
    Session session;
    const FormId form = app::Game::gardenForm(1);
    session.reach(form);
    const Grab grab(session.window(form));
    EXPECT_EQ(grab.at(8, 48), kGround);
    EXPECT_EQ(grab.at(201, 241), kGround);
    EXPECT_EQ(grab.at(7, 48), kGardenGreen);
    EXPECT_EQ(grab.at(8, 47), kGardenGreen);
    EXPECT_EQ(grab.at(202, 241), kGardenGreen);
    EXPECT_EQ(grab.at(201, 242), kGardenGreen);
    auto* tile1 = session.widget(form, "Image1");
    auto* tile2 = session.widget(form, "Image2");
    EXPECT_EQ(tile1->geometry().right() - tile2->geometry().left() + 1, 2);
}

TEST(GardenLayout, FrameLinesAreBlackOnePixelLines) {
    Session session;
    const FormId form = app::Game::gardenForm(1);
    session.reach(form);
    const Grab grab(session.window(form));
    for (const QPoint p : {QPoint(0, 16), QPoint(0, 150), QPoint(0, 296), QPoint(136, 296),
                           QPoint(272, 296), QPoint(272, 150), QPoint(272, 17)}) {
        EXPECT_EQ(grab.at(p.x(), p.y()), QColor(Qt::black)) << p.x() << "," << p.y();
    }
    for (const QPoint p : {QPoint(1, 150), QPoint(136, 295), QPoint(136, 297), QPoint(271, 150)}) {
        EXPECT_EQ(grab.at(p.x(), p.y()), kGardenGreen) << p.x() << "," << p.y();
    }
}

struct TitleCase {
    FormId form;
    const char* label;
    QRect box;
    QColor back;
    const char* text;
};

void PrintTo(const TitleCase& c, std::ostream* os) { *os << ui::formName(c.form); }

class TitleLine : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleLine, IsWhiteTextOnBlueThatFits) {
    const auto& c = GetParam();
    Session session;
    session.reach(c.form);
    auto* label = session.widget<QLabel>(c.form, c.label);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8(c.text));
    EXPECT_EQ(label->geometry(), c.box);
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), c.box.width());

    const Grab grab(session.window(c.form));
    EXPECT_EQ(grab.at(c.box.right() - 2, 1), c.back);
    EXPECT_TRUE(grab.contains({0, 0, c.box.width() / 2, 17}, Qt::white));
    // The "×" button overlaps the last column of the title line, the left
    // frame line its bottom row.
    EXPECT_FALSE(grab.contains({0, 0, c.box.width() - 1, 16}, Qt::black));
}

INSTANTIATE_TEST_SUITE_P(Screens, TitleLine,
                         ::testing::Values(TitleCase{FormId::Form4,
                                                     "Label3",
                                                     {0, 0, 593, 17},
                                                     QColor(0, 0, 192),
                                                     "VELMORAKI　ミロネカ"},
                                           TitleCase{FormId::Form3,
                                                     "Label13",
                                                     {0, 0, 257, 17},
                                                     QColor(0, 0, 255),
                                                     "VELMORAKI　ミロネカ　　①"},
                                           TitleCase{FormId::Form9,
                                                     "Label13",
                                                     {0, 0, 257, 17},
                                                     QColor(0, 0, 255),
                                                     "VELMORAKI　ミロネカ　　⑥"}));

// --- Texts in their boxes ----------------------------------------------------

struct TextCase {
    FormId form;
    const char* label;
    int pixelSize;  // of the font, from its points at 96 dpi
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << ui::formName(c.form) << c.label; }

class TextFit : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextFit, WrappedTextFitsItsBox) {
    const auto& c = GetParam();
    Session session;
    session.reach(c.form);
    auto* label = session.widget<QLabel>(c.form, c.label);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->font().pixelSize(), c.pixelSize);
    EXPECT_LE(label->heightForWidth(label->width()), label->height())
        << label->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Screens, TextFit,
    ::testing::Values(TextCase{FormId::Form1, "Label1", 64}, TextCase{FormId::Form1, "Label2", 12},
                      TextCase{FormId::Form2, "Label1", 24}, TextCase{FormId::Form4, "Label1", 16},
                      TextCase{FormId::Form4, "Label2", 12}, TextCase{FormId::Form4, "Label4", 12},
                      TextCase{FormId::Form3, "Label14", 12},
                      TextCase{FormId::Form10, "Label1", 37},
                      TextCase{FormId::Form11, "Label3", 12},
                      TextCase{FormId::Form11, "Label4", 12}));

TEST(GardenLayout, ButtonsAndPointsBoxStandAboveTilesAndLabels) {
    Session session;
    const FormId form = app::Game::gardenForm(1);
    session.reach(form);
    auto* w = session.window(form);
    // "×" overlaps the end of the title line.
    EXPECT_EQ(w->childAt(60, 260), session.widget(form, "Command1"));
    EXPECT_EQ(w->childAt(260, 5), session.widget(form, "Command6"));
    // The points box overlaps the last column of its caption.
    EXPECT_EQ(w->childAt(208, 26), session.widget(form, "Text37"));
}

// Where each open button stands on the house seen from above: (1) its upper
// left, (2) above it, (3) its upper right corner, (4) below it, (5) its lower
// left by the porch, (6) in the gap of the left wall, each on open ground.
TEST(StageSelectLayout, OpenButtonsStandOnTheirSpotsOfTheHouse) {
    Session session;
    session.reach(FormId::Form4);
    auto* w = session.window(FormId::Form4);
    // The roof, in window pixels, and the left wall's line.
    const QRect roof(190, 196, 290, 222);
    const int leftWall = 44;
    const QImage map = qt::PictureCache::pixmap(ui::Picture::HouseMap, 1.0).toImage();
    const QPoint mapOrigin(0, 48);

    std::array<QPoint, 6> centre;
    for (int g = 1; g <= 6; ++g) {
        auto* button = session.widget(FormId::Form4, ("Command" + std::to_string(1 + g)).c_str());
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isVisible());
        EXPECT_EQ(w->childAt(button->geometry().center()), button) << g;
        EXPECT_EQ(button->size(), QSize(25, 25));
        centre.at(static_cast<std::size_t>(g - 1)) = button->geometry().center();
        // Under the button the map shows the garden's grass, not roof or wall.
        const QColor under = map.pixelColor(button->geometry().center() - mapOrigin);
        EXPECT_GT(under.green(), under.red() + 20) << "garden " << g;
        EXPECT_GT(under.green(), under.blue() + 20) << "garden " << g;
    }
    const auto& [one, two, three, four, five, six] = centre;
    EXPECT_TRUE(one.x() < roof.left() && one.y() < roof.center().y());
    EXPECT_TRUE(two.y() < roof.top() && two.x() > roof.left() && two.x() < roof.right());
    EXPECT_TRUE(three.x() > roof.right() && three.y() < roof.center().y());
    EXPECT_TRUE(four.y() > roof.bottom() && four.x() > roof.left() && four.x() < roof.right());
    EXPECT_TRUE(five.x() < roof.left() && five.y() > roof.center().y());
    EXPECT_LT(std::abs(six.x() - leftWall), 13);
}

// The tools, top to bottom: level the land, sugar, puddle, grass.
TEST(GardenLayout, ToolsTopToBottomAreLevelSugarPuddleGrass) {
    Session session;
    const FormId form = app::Game::gardenForm(1);
    session.reach(form);
    std::vector<QWidget*> tools;
    for (int n = 2; n <= 5; ++n) {
        tools.push_back(session.widget(form, ("Command" + std::to_string(n)).c_str()));
    }
    std::sort(tools.begin(), tools.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    const std::array<std::pair<garden::Tool, const char*>, 4> kExpected{{
        {garden::Tool::Level, "砂地"},
        {garden::Tool::Sugar, "砂糖"},
        {garden::Tool::Puddle, "水溜り"},
        {garden::Tool::Grass, "草"},
    }};
    const auto* model = session.game().screenAs<garden::GardenScreen>(form);
    for (std::size_t i = 0; i < tools.size(); ++i) {
        EXPECT_EQ(tools[i]->x(), 224);
        EXPECT_EQ(tools[i]->toolTip(), QString::fromUtf8(kExpected[i].second)) << i;
        QTest::mouseClick(tools[i], Qt::LeftButton);
        EXPECT_EQ(model->selectedTool(), kExpected[i].first) << i;
    }
}

}  // namespace
}  // namespace mironeka::view_test

namespace mironeka::view_test {
namespace {

TEST(Fonts, AJapaneseFamilyDrawsTheTextsAtPixelSizes) {
    for (const double points : {9.0, 12.0, 18.0, 27.75, 36.0, 48.0}) {
        const QFont font = qt::gameFont(points);
        EXPECT_EQ(font.pixelSize(), qt::pixelsForPoints(points));
        const QFontInfo info(font);
        std::cout << points << " pt: " << info.family().toStdString() << ", " << info.pixelSize()
                  << " px\n";
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(u'ミ')));
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(u'①')));
    }
    EXPECT_EQ(qt::pixelsForPoints(9), 12);
    EXPECT_EQ(qt::pixelsForPoints(27.75), 37);
}

}  // namespace
}  // namespace mironeka::view_test
