#include "app/front_end.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mironeka::app {
namespace {

using ui::FormId;
using ui::WidgetId;

Action click(FormId f, WidgetId w) { return Action{Action::Kind::Click, f, w}; }

// Plays in real time as a front end does: every tick through `turn`, each
// at its deadline.
class FrontEndTest : public ::testing::Test {
  protected:
    void runUntil(ui::Millis t) {
        while (auto d = front.game().nextDeadline()) {
            if (*d > t) break;
            front.turn(*d);
        }
        now = t;
    }
    void toGarden() {
        runUntil(1500);
        ASSERT_TRUE(front.act(click(FormId::Form2, ui::command(1)), now));
        ASSERT_TRUE(front.act(click(FormId::Form4, ui::command(2)), now));
    }
    FrontEnd front;
    ui::Millis now = 0;
};

// The day's first step is armed for the next millisecond on the clock the
// click found (the score board's next tick is later): a stale clock would
// make it overdue at once.
TEST_F(FrontEndTest, AnActionRunsOnTheRealClock) {
    toGarden();
    runUntil(now + 700);
    ASSERT_TRUE(front.act(click(FormId::Form3, ui::command(1)), now));
    EXPECT_EQ(front.game().now(), now);
    EXPECT_EQ(front.game().nextDeadline(), now + 1);
}

TEST_F(FrontEndTest, TheAlarmIsSetOnceForEachDeadline) {
    const Wake first = front.wake(0);
    EXPECT_EQ(first.kind, Wake::Kind::Set);
    EXPECT_EQ(first.in, 1500);
    EXPECT_EQ(front.wake(200).kind, Wake::Kind::Keep);
    // Late: the tick is delivered once, and the next wake-up is due at once
    // only if something else is overdue.
    EXPECT_TRUE(front.turn(4000));
    EXPECT_FALSE(front.turn(4000));
    EXPECT_EQ(front.wake(4000).kind, Wake::Kind::Stop);
}

class ClickKeys : public ::testing::TestWithParam<ClickKey> {};

TEST_P(ClickKeys, OnePhysicalPressIsOneClick) {
    FrontEnd front;
    const ClickKey key = GetParam();
    EXPECT_TRUE(front.keyPress(key, false, 0));
    EXPECT_FALSE(front.keyPress(key, true, 500));  // auto-repeat
    front.keyRelease(key, true, 540);
    EXPECT_FALSE(front.keyPress(key, true, 540));
    // A repeat as an unflagged release and press of the same moment.
    front.keyRelease(key, false, 580);
    EXPECT_FALSE(front.keyPress(key, false, 580));
    front.keyRelease(key, false, 700);
    EXPECT_TRUE(front.keyPress(key, false, 760));  // pressed again by hand
    // A release lost to a window that closed: the next press still clicks.
    EXPECT_TRUE(front.keyPress(key, false, 2000));
    // Events made by a program carry no time.
    front.keyRelease(key, false, std::nullopt);
    EXPECT_TRUE(front.keyPress(key, false, std::nullopt));
}

INSTANTIATE_TEST_SUITE_P(FrontEnd, ClickKeys, ::testing::Values(ClickKey::Space, ClickKey::Enter));

// Tab goes round the controls the player can reach now, Shift+Tab the
// other way: a garden put away shows its resume button, an opened one's
// open button is gone.
TEST_F(FrontEndTest, TabVisitsOnlyReachableControls) {
    toGarden();
    ASSERT_TRUE(front.act(click(FormId::Form3, ui::command(6)), now));  // "×"
    const ui::Screen& stage = *front.game().screen(FormId::Form4);
    auto walk = [&](FocusKey key) {
        std::vector<WidgetId> seen;
        std::optional<WidgetId> at;
        for (int i = 0; i < 40; ++i) {
            at = front.focusMove(FormId::Form4, at, key);
            if (!at || (!seen.empty() && *at == seen.front())) break;
            EXPECT_TRUE(stage.reachable(*at)) << ui::widgetName(*at);
            seen.push_back(*at);
        }
        return seen;
    };
    const auto forward = walk(FocusKey::Tab);
    auto backward = walk(FocusKey::BackTab);
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(forward, backward);
    for (const WidgetId w : forward) EXPECT_EQ(std::count(forward.begin(), forward.end(), w), 1);
    ASSERT_NE(std::find(forward.begin(), forward.end(), ui::command(8)), forward.end());

    EXPECT_EQ(std::find(forward.begin(), forward.end(), ui::command(2)), forward.end());
}

// The focus stays on a control while it is there; when it hides (garden
// 1's open button, once opened) the focus goes back to where it starts.
TEST_F(FrontEndTest, TheFocusLeavesAControlThatHides) {
    runUntil(1500);
    ASSERT_TRUE(front.act(click(FormId::Form2, ui::command(1)), now));
    ASSERT_EQ(front.focusAfterChange(FormId::Form4, ui::command(2)), ui::command(2));
    ASSERT_TRUE(front.act(click(FormId::Form4, ui::command(2)), now));
    const auto start = front.focusStart(FormId::Form4);
    ASSERT_TRUE(start.has_value());
    EXPECT_NE(start, ui::command(2));
    EXPECT_EQ(front.focusAfterChange(FormId::Form4, ui::command(2)), start);
    EXPECT_EQ(front.focusAfterChange(FormId::Form4, std::nullopt), start);
}

// F1's help waits while the garden's end message holds the keys.
TEST_F(FrontEndTest, TheHelpWaitsForTheEndMessage) {
    toGarden();
    EXPECT_TRUE(front.helpAvailable());
    for (int day = 1; day <= 7; ++day) {
        ASSERT_TRUE(front.act(click(app::Game::gardenForm(1), ui::command(1)), now));
        runUntil(now + 20);
    }
    ASSERT_TRUE(front.game().message().has_value());
    EXPECT_FALSE(front.helpAvailable());
    ASSERT_TRUE(front.act(Action{Action::Kind::Ok, FormId::Form1}, now));
    EXPECT_TRUE(front.helpAvailable());
}

// The arrows move inside the grid and stop at its edges; Tab comes back to
// the tile they left.
TEST_F(FrontEndTest, ArrowsStayInTheGridAndTabReturnsToTheLastTile) {
    toGarden();
    const FormId g = FormId::Form3;
    ASSERT_EQ(front.focusStart(g), ui::image(1));
    EXPECT_EQ(front.focusMove(g, ui::image(1), FocusKey::Left), std::nullopt);
    EXPECT_EQ(front.focusMove(g, ui::image(1), FocusKey::Up), std::nullopt);
    EXPECT_EQ(front.focusMove(g, ui::image(4), FocusKey::Right), std::nullopt);
    EXPECT_EQ(front.focusMove(g, ui::image(13), FocusKey::Down), std::nullopt);
    EXPECT_EQ(front.focusMove(g, ui::image(5), FocusKey::Left), std::nullopt);  // no wrapping
    EXPECT_EQ(front.focusMove(g, ui::image(1), FocusKey::Down), ui::image(5));
    EXPECT_EQ(front.focusMove(g, ui::image(5), FocusKey::Right), ui::image(6));
    const auto away = front.focusMove(g, ui::image(6), FocusKey::Tab);
    ASSERT_TRUE(away.has_value());
    EXPECT_EQ(front.focusMove(g, away, FocusKey::BackTab), ui::image(6));
    EXPECT_EQ(front.gridStop(g), ui::image(6));
}

}  // namespace
}  // namespace mironeka::app
