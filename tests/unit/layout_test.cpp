// What the layout tables promise the rest of the game: hidden fields lie off
// the window and everything the player uses lies on it, in every garden;
// every screen's fields read as their table says; a screen's revision rises
// with every change the player could see.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "app/game.h"
#include "app/layouts.h"
#include "garden/garden_variant.h"

namespace mironeka::app {
namespace {

using ui::FormId;
using ui::WidgetId;
using ui::WidgetKind;

std::vector<FormId> allForms() {
    std::vector<FormId> forms;
    for (int i = 1; i <= ui::kFormCount; ++i) forms.push_back(static_cast<FormId>(i));
    return forms;
}

class EveryLayout : public ::testing::TestWithParam<FormId> {};

TEST_P(EveryLayout, NamesEachWidgetOnceAndTimersHaveNoBox) {
    const auto& layout = layoutOf(GetParam());
    EXPECT_EQ(layout.form, GetParam());
    std::map<std::pair<WidgetKind, int>, int> seen;
    for (const auto& w : layout.widgets) {
        const int times = ++seen[std::pair(w.id.kind, w.id.number)];
        EXPECT_EQ(times, 1) << ui::widgetName(w.id);
        EXPECT_GE(w.id.number, 1);
        EXPECT_TRUE(w.id.kind != WidgetKind::Timer || !layout.onWindow(w));
    }
}

TEST_P(EveryLayout, TextBoxesOffTheWindowHoldFieldsAndEverythingElseIsOnIt) {
    // The text boxes the player sees: the points box of a garden and the
    // three boxes of the score-code screen. Every other box holds a field
    // the player must not see.
    const auto& layout = layoutOf(GetParam());
    const bool garden = GetParam() != FormId::Form4 && GetParam() != FormId::Form10 &&
                        GetParam() != FormId::Form11 && GetParam() != FormId::Form1 &&
                        GetParam() != FormId::Form2;
    for (const auto& w : layout.widgets) {
        if (w.id.kind != WidgetKind::Text) continue;
        const bool seen =
            (garden && w.id.number == 37) || (GetParam() == FormId::Form11 && w.id.number >= 2);
        EXPECT_EQ(layout.onWindow(w), seen) << ui::widgetName(w.id);
    }
    for (const auto& w : layout.widgets) {
        if (w.id.kind == WidgetKind::Command || w.id.kind == WidgetKind::Line) {
            EXPECT_TRUE(layout.onWindow(w)) << ui::widgetName(w.id);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, EveryLayout, ::testing::ValuesIn(allForms()),
                         [](const auto& p) { return ui::formName(p.param); });

TEST(GardenLayouts, KeepTheBottomLineAndNextDayButtonInsideAndTheSourcesOutside) {
    for (const auto& v : garden::kGardenVariants) {
        const auto& layout = layoutOf(v.form);
        EXPECT_EQ(layout.client.width, v.width);
        EXPECT_EQ(layout.client.height, v.height);
        EXPECT_TRUE(layout.onWindow(*layout.find({WidgetKind::Line, 2})));
        EXPECT_TRUE(layout.onWindow(*layout.find(ui::command(1))));
        for (int n = 17; n <= 26; ++n) EXPECT_FALSE(layout.onWindow(*layout.find(ui::image(n))));
        for (int n : {2, 3, 4, 5, 6, 7, 8}) {
            EXPECT_FALSE(layout.onWindow(*layout.find({WidgetKind::Label, n}))) << n;
        }
        EXPECT_FALSE(layout.hasCloseBox());
    }
}

TEST(Layouts, CloseBoxesBelongToTheFramedScreens) {
    for (const FormId f : allForms()) {
        const bool framed = f == FormId::Form2 || f == FormId::Form10 || f == FormId::Form11;
        EXPECT_EQ(layoutOf(f).hasCloseBox(), framed) << ui::formName(f);
    }
}

// Plays to the score-code screen and reads every field of every screen on
// the way: each reads as many values as its table says.
TEST(Layouts, FieldsReadAsTheirTablesSay) {
    Game game;
    auto check = [&] {
        for (const FormId f : allForms()) {
            const ui::Screen* s = game.screen(f);
            if (s == nullptr) continue;
            const auto fields = s->fields();
            ASSERT_EQ(fields.size(), s->layout().fields.size());
            for (std::size_t i = 0; i < fields.size(); ++i) {
                EXPECT_EQ(fields[i].name, s->layout().fields[i].name);
                EXPECT_EQ(std::ssize(fields[i].values), s->layout().fields[i].count)
                    << ui::formName(f) << " " << fields[i].name;
            }
        }
    };
    game.advanceBy(1500);
    game.act({Action::Kind::Click, FormId::Form2, ui::command(1)});
    check();
    for (int g = 1; g <= 6; ++g) {
        game.act({Action::Kind::Click, FormId::Form4, ui::command(1 + g)});
        check();
        for (int d = 0; d < 7; ++d)
            game.act({Action::Kind::Click, Game::gardenForm(g), ui::command(1)});
        game.advanceBy(20);
        game.act({Action::Kind::Ok});
    }
    game.advanceBy(6000);
    check();
    game.act({Action::Kind::Click, FormId::Form10, ui::command(1)});
    game.advanceBy(100);
    check();
    ASSERT_NE(game.screen(FormId::Form11), nullptr);
}

// Everything a window shows of a screen: visibility, and each on-window
// widget's visibility, text and picture.
std::string view(const ui::Screen& s) {
    std::string out = s.visible() ? "shown;" : "hidden;";
    for (const auto& w : s.layout().widgets) {
        if (!s.layout().onWindow(w)) continue;
        out += ui::widgetName(w.id) + (s.widgetVisible(w.id) ? "+" : "-") + s.widgetText(w.id);
        if (auto p = s.widgetPicture(w.id)) out += ui::pictureName(*p);
        out += ';';
    }
    return out;
}

TEST(Revision, RisesWithEveryChangeThePlayerCouldSee) {
    std::mt19937 rng(20261209);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    for (int round = 0; round < 8; ++round) {
        Game game;
        std::map<FormId, std::pair<std::uint64_t, std::string>> last;
        for (int step = 0; step < 2500 && !game.ended(); ++step) {
            const auto form = static_cast<FormId>(1 + pick(ui::kFormCount));
            const auto& layout = layoutOf(form);
            const auto& w = layout.widgets[static_cast<std::size_t>(
                pick(static_cast<int>(layout.widgets.size())))];
            const int r = pick(20);
            if (r < 8) {
                // Keep away from "×" on the stage-select screen, which ends
                // the game early.
                if (!(form == FormId::Form4 && w.id == ui::command(1))) {
                    game.act({Action::Kind::Click, form, w.id});
                }
            } else if (r < 11) {
                game.act(
                    {Action::Kind::Move, form, pick(3) == 0 ? std::nullopt : std::optional(w.id)});
            } else if (r < 12) {
                game.act({Action::Kind::Type, form, w.id, std::to_string(pick(100))});
            } else if (r < 13) {
                game.act({Action::Kind::Ok});
            } else {
                game.advanceBy(pick(3) == 0 ? 500 : pick(5));
            }
            for (const FormId f : allForms()) {
                const ui::Screen* s = game.screen(f);
                if (s == nullptr) {
                    last.erase(f);
                    continue;
                }
                const std::string now = view(*s);
                auto it = last.find(f);
                if (it != last.end() && it->second.first == s->revision()) {
                    ASSERT_EQ(it->second.second, now)
                        << ui::formName(f) << " changed without a new revision, round " << round;
                }
                last[f] = {s->revision(), now};
            }
        }
    }
}

}  // namespace
}  // namespace mironeka::app
