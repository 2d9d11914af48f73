// Real windows under a window manager (run by ctest under Xvfb with
// openbox): framed screens come up centred by their whole frame, title bar
// included, every garden's caption is the game's title, and a garden put
// away comes back where the player left it.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "app/layouts.h"
#include "garden/garden_layout.h"
#include "session.h"

namespace mironeka::view_test {
namespace {

class WindowManager : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server with a window manager";
        }
    }
    /// Waits until the window manager has framed the window and the game
    /// has placed it by that frame.
    static QRect framed(QWidget* w) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return w->frameGeometry() != w->geometry(); }, 5000));
        QTest::qWait(300);
        return w->frameGeometry();
    }
    static void expectCentred(QWidget* w) {
        const QRect frame = framed(w);
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        EXPECT_LE(std::abs(frame.center().x() - centre.x()), 1) << frame.x() << "," << frame.y();
        EXPECT_LE(std::abs(frame.center().y() - centre.y()), 1) << frame.x() << "," << frame.y();
    }
    Session session;
};

TEST_F(WindowManager, FramedScreensAreCentredByTheirWholeFrame) {
    session.reach(FormId::Form2);
    expectCentred(session.window(FormId::Form2));
    session.reach(FormId::Form11);  // the result screen on the way
    expectCentred(session.window(FormId::Form11));
}

TEST_F(WindowManager, EveryGardensCaptionIsTheGamesTitle) {
    session.reach(FormId::Form4);
    for (int g = 1; g <= 6; ++g) {
        const FormId form = app::Game::gardenForm(g);
        session.reach(form);
        EXPECT_EQ(session.window(form)->windowTitle(), QStringLiteral("VELMORAKI　ミロネカ"));
        QTest::qWait(50);
    }
}

TEST_F(WindowManager, AGardenPutAwayComesBackWhereThePlayerLeftIt) {
    const FormId garden = app::Game::gardenForm(2);
    session.reach(garden);
    QWidget* w = session.window(garden);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    // The player moves it elsewhere and goes on from tile 6.
    const QRect moved = w->geometry().translated(60, 40);
    w->move(moved.topLeft());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->geometry() == moved; }, 5000));
    auto* tile6 = session.widget(garden, "Image6");
    ASSERT_NE(tile6, nullptr);
    tile6->setFocus();

    // Put away with "×": hidden, and without a native window while it is.
    ASSERT_TRUE(session.click(garden, ui::command(garden::kCloseButton)));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->windowHandle(), nullptr);
    QTest::qWait(200);

    ASSERT_TRUE(session.click(FormId::Form4, ui::command(app::stage::resumeButton(2))));
    ASSERT_EQ(session.window(garden), w);  // the same window, shown again
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QTest::qWait(300);  // time for the window manager to move it, if it would
    EXPECT_EQ(w->geometry(), moved);
    EXPECT_EQ(w->focusWidget(), tile6);
}

}  // namespace
}  // namespace mironeka::view_test
