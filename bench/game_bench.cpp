// How fast the model plays: one whole garden day, and a whole game from the
// splash to the score code, on the virtual clock.

#include <benchmark/benchmark.h>

#include "app/game.h"

namespace {

using mironeka::app::Action;
using mironeka::app::Game;
using mironeka::ui::FormId;
namespace ui = mironeka::ui;

void click(Game& g, FormId f, ui::WidgetId w) { g.act(Action{Action::Kind::Click, f, w}); }

void BM_GardenDay(benchmark::State& state) {
    Game game;
    game.advanceBy(1500);
    click(game, FormId::Form2, ui::command(1));
    click(game, FormId::Form4, ui::command(2));
    click(game, FormId::Form3, ui::command(2));
    click(game, FormId::Form3, ui::image(6));
    click(game, FormId::Form3, ui::image(7));
    game.advanceBy(1);
    for (auto _ : state) {
        // The day counter stops at 1 here: the garden never ends.
        click(game, FormId::Form3, ui::command(1));
        game.advanceBy(13);
        if (game.screen(FormId::Form3) && game.message()) state.SkipWithError("garden ended");
    }
}
BENCHMARK(BM_GardenDay)->Iterations(6);

void BM_WholeGame(benchmark::State& state) {
    for (auto _ : state) {
        Game game;
        game.advanceBy(1500);
        click(game, FormId::Form2, ui::command(1));
        for (int g = 1; g <= 6; ++g) {
            const FormId f = Game::gardenForm(g);
            click(game, FormId::Form4, ui::command(1 + g));
            click(game, f, ui::command(2));
            for (int n = 1; n <= 16; n += 5) click(game, f, ui::image(n));
            game.advanceBy(1);
            for (int day = 0; day < 7; ++day) {
                click(game, f, ui::command(1));
                game.advanceBy(13);
            }
            game.act(Action{Action::Kind::Ok});
        }
        game.advanceBy(1000 + 5000);
        click(game, FormId::Form10, ui::command(1));
        game.advanceBy(100);
        benchmark::DoNotOptimize(game.screen(FormId::Form11));
    }
}
BENCHMARK(BM_WholeGame);

}  // namespace
