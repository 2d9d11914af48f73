#include "app/game.h"

#include <gtest/gtest.h>

#include "garden/garden_screen.h"

namespace mironeka::app {
namespace {

using ui::FormId;

Action click(FormId f, ui::WidgetId w) { return Action{Action::Kind::Click, f, w}; }

class GameTest : public ::testing::Test {
protected:
    void toStageSelect() {
        game.advanceBy(1500);
        ASSERT_TRUE(game.act(click(FormId::Form2, ui::command(1))));
    }
    Game game;
};

TEST_F(GameTest, TheEntryPointRejectsWhatThePlayerCannotReach) {
    EXPECT_FALSE(game.act(click(FormId::Form2, ui::command(1))));  // not created yet
    toStageSelect();
    EXPECT_FALSE(game.act(click(FormId::Form4, ui::command(8))));   // resume button hidden
    EXPECT_FALSE(game.act(click(FormId::Form4, ui::text(1))));      // off-window field
    ASSERT_TRUE(game.act(click(FormId::Form4, ui::command(2))));
    EXPECT_FALSE(game.act(Action{Action::Kind::Type, FormId::Form3, ui::text(37), "99"}));
    EXPECT_FALSE(game.act(Action{Action::Kind::Close, FormId::Form3}));  // frameless
    EXPECT_TRUE(game.act(click(FormId::Form4, ui::command(8))));
}

TEST_F(GameTest, MessageBoxHoldsEveryOtherActionButTimersRunOn) {
    toStageSelect();
    game.act(click(FormId::Form4, ui::command(2)));
    for (int day = 0; day < 7; ++day) game.act(click(FormId::Form3, ui::command(1)));
    ASSERT_TRUE(game.message().has_value());
    EXPECT_FALSE(game.act(click(FormId::Form4, ui::command(3))));
    EXPECT_FALSE(game.act(click(FormId::Form4, ui::command(1))));
    game.advanceBy(1000);  // the score board ticks behind the box
    EXPECT_FALSE(game.ended());
    EXPECT_TRUE(game.act(Action{Action::Kind::Ok}));
    EXPECT_FALSE(game.message().has_value());
    EXPECT_EQ(game.screenAs<StageSelectScreen>(FormId::Form4)->gardensFinished(), 1);
}

TEST_F(GameTest, EndingStopsEveryTimerAndEveryAction) {
    toStageSelect();
    game.act(click(FormId::Form4, ui::command(2)));
    game.act(click(FormId::Form3, ui::command(1)));
    EXPECT_TRUE(game.act(click(FormId::Form4, ui::command(1))));
    EXPECT_TRUE(game.ended());
    EXPECT_FALSE(game.nextDeadline().has_value());
    EXPECT_EQ(game.screen(FormId::Form3), nullptr);
    EXPECT_FALSE(game.act(click(FormId::Form3, ui::command(1))));
    game.advanceBy(10000);
}

TEST_F(GameTest, GardenWritesNeverCreateAStageSelectScreen) {
    toStageSelect();
    for (int g = 1; g <= 6; ++g) {
        game.act(click(FormId::Form4, ui::command(1 + g)));
        for (int day = 0; day < 7; ++day) game.act(click(Game::gardenForm(g), ui::command(1)));
        game.advanceBy(10);
        game.act(Action{Action::Kind::Ok});
    }
    game.advanceBy(1000);
    ASSERT_NE(game.screen(FormId::Form10), nullptr);
    ASSERT_EQ(game.screen(FormId::Form4), nullptr);
    game.writeScore(1, 9);
    game.hideResumeButton(2);
    game.addFinishedGarden();
    EXPECT_EQ(game.screen(FormId::Form4), nullptr);
}

TEST(GameLayout, EveryFormKnowsItsWidgets) {
    EXPECT_TRUE(Game::formHasWidget(FormId::Form3, ui::image(26)));
    EXPECT_FALSE(Game::formHasWidget(FormId::Form3, ui::image(27)));
    EXPECT_TRUE(Game::formHasWidget(FormId::Form9, {ui::WidgetKind::Timer, 49}));
    EXPECT_TRUE(Game::formHasWidget(FormId::Form4, ui::command(13)));
    EXPECT_FALSE(Game::formHasWidget(FormId::Form4, ui::command(14)));
    EXPECT_FALSE(Game::formHasWidget(FormId::Form1, ui::command(1)));
    EXPECT_TRUE(Game::formHasWidget(FormId::Form11, ui::text(4)));
}

}  // namespace
}  // namespace mironeka::app
