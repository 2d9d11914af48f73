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
    EXPECT_FALSE(game.act(click(FormId::Form4, ui::command(8))));  // resume button hidden
    EXPECT_FALSE(game.act(click(FormId::Form4, ui::text(1))));     // off-window field
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

namespace mironeka::app {
namespace {

using ui::FormId;
using ui::WidgetKind;

// The states a short game passes through, as the actions that lead there.
std::vector<Action> shortGame(int steps) {
    const auto click = [](FormId f, ui::WidgetId w) { return Action{Action::Kind::Click, f, w}; };
    const std::vector<Action> all{
        click(FormId::Form2, ui::command(1)),  // stage select
        click(FormId::Form4, ui::command(2)),  // garden 1 open
        click(FormId::Form3, ui::command(2)),
        click(FormId::Form3, ui::image(6)),
        click(FormId::Form3, ui::command(1)),  // a day, mid-evaluation
        click(FormId::Form3, ui::command(6)),  // garden hidden
        click(FormId::Form4, ui::command(8)),  // and back
        click(FormId::Form3, ui::command(1)),
        click(FormId::Form3, ui::command(1)),
        click(FormId::Form3, ui::command(1)),
        click(FormId::Form3, ui::command(1)),
        click(FormId::Form3, ui::command(1)),
        click(FormId::Form3, ui::command(1)),  // the end message is open
    };
    return {all.begin(), all.begin() + std::min<std::ptrdiff_t>(steps, std::ssize(all))};
}

std::unique_ptr<Game> gameAfter(int steps) {
    auto game = std::make_unique<Game>();
    game->advanceBy(1500);
    for (const auto& a : shortGame(steps)) {
        game->act(a);
        game->advanceBy(3);
    }
    return game;
}

// Every form (and two numbers that are none), every widget kind, numbers 0
// to 60 and every action kind (and one that is none), in every state of a
// short game: each action applies or is refused, and none throws. A click,
// move or typing at a widget the form doesn't have is always refused.
TEST(GameAct, IsTotalOverEveryFormWidgetAndKind) {
    constexpr std::array kKinds{WidgetKind::Command,        WidgetKind::Image, WidgetKind::Text,
                                WidgetKind::Label,          WidgetKind::Line,  WidgetKind::Timer,
                                static_cast<WidgetKind>(17)};
    constexpr std::array kActions{Action::Kind::Click, Action::Kind::Move,
                                  Action::Kind::Type,  Action::Kind::Close,
                                  Action::Kind::Ok,    static_cast<Action::Kind>(9)};
    int applied = 0;
    for (int state = 0; state <= std::ssize(shortGame(99)); ++state) {
        for (int form = 0; form <= ui::kFormCount + 1; ++form) {
            for (const auto kind : kKinds) {
                // A fresh game per form and kind, so an action that ends the
                // game doesn't leave the rest of the sweep with nothing to do.
                auto game = gameAfter(state);
                for (int number = 0; number <= 60; ++number) {
                    for (const auto action : kActions) {
                        const Action a{action, static_cast<FormId>(form),
                                       ui::WidgetId{kind, number}, "7"};
                        bool done = false;
                        ASSERT_NO_THROW(done = game->act(a))
                            << "form " << form << " widget " << number << " state " << state;
                        const bool aimsAtWidget = action == Action::Kind::Click ||
                                                  action == Action::Kind::Move ||
                                                  action == Action::Kind::Type;
                        if (aimsAtWidget && !Game::formHasWidget(a.form, *a.widget)) {
                            EXPECT_FALSE(done);
                        }
                        applied += done ? 1 : 0;
                        game->advanceBy(1);
                    }
                }
            }
        }
    }
    EXPECT_GT(applied, 0);  // the sweep did reach the game
}

TEST(GameAct, RefusesWidgetsTheFormDoesNotHave) {
    Game game;
    game.advanceBy(1500);
    ASSERT_TRUE(game.act(Action{Action::Kind::Click, FormId::Form2, ui::command(1)}));
    EXPECT_FALSE(game.act(Action{Action::Kind::Click, FormId::Form4, ui::command(14)}));
    EXPECT_FALSE(
        game.act(Action{Action::Kind::Move, FormId::Form4, ui::WidgetId{WidgetKind::Label, 99}}));
    EXPECT_FALSE(game.screen(FormId::Form4)->reachable({WidgetKind::Label, 99}));
    EXPECT_TRUE(game.screen(FormId::Form4)->reachable({WidgetKind::Label, 5}));
    EXPECT_FALSE(game.screen(FormId::Form4)->reachable({WidgetKind::Timer, 1}));
}

}  // namespace
}  // namespace mironeka::app

namespace mironeka::app {
namespace {

// A text box holds 1024 UTF-16 units whichever way the text comes in (the
// page's script could hand over megabytes); a character outside the basic
// plane counts two and is never cut in half.
TEST(GameAct, ATextBoxHoldsAtMost1024Units) {
    Game game;
    game.advanceBy(1500);
    game.act({Action::Kind::Click, FormId::Form2, ui::command(1)});
    for (int g = 1; g <= 6; ++g) {
        game.act({Action::Kind::Click, FormId::Form4, ui::command(1 + g)});
        for (int d = 0; d < 7; ++d) game.act(click(Game::gardenForm(g), ui::command(1)));
        game.advanceBy(20);
        game.act({Action::Kind::Ok});
    }
    game.advanceBy(6000);
    game.act(click(FormId::Form10, ui::command(1)));
    game.advanceBy(100);
    const ui::Screen* code = game.screen(FormId::Form11);
    ASSERT_NE(code, nullptr);
    const std::string face = "\xF0\x9F\x98\x80";  // U+1F600
    const std::vector<std::pair<std::string, std::string>> cases{
        {std::string(5000, 'a'), std::string(1024, 'a')},
        {std::string(1023, 'a') + face, std::string(1023, 'a')},
        {std::string(1022, 'a') + face + "b", std::string(1022, 'a') + face},
    };
    for (const auto& [typed, kept] : cases) {
        ASSERT_TRUE(game.act({Action::Kind::Type, FormId::Form11, ui::text(3), typed}));
        EXPECT_EQ(code->widgetText(ui::text(3)), kept) << typed.size();
    }
}

}  // namespace
}  // namespace mironeka::app
