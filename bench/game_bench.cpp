// How fast the model runs on the virtual clock: an idle hour, a whole game
// from the splash to the score code, one tick with and without gardens open,
// and many timers due at once.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/game.h"
#include "ui/event_loop.h"

namespace {

using mironeka::app::Action;
using mironeka::app::Game;
using mironeka::ui::FormId;
namespace ui = mironeka::ui;

void click(Game& g, FormId f, ui::WidgetId w) { g.act(Action{Action::Kind::Click, f, w}); }

// The event loop's throughput: an hour of the stage-select board (one tick
// a second) with six gardens open, each with its 33 idle timers.
void BM_IdleHour(benchmark::State& state) {
    for (auto _ : state) {
        Game game;
        game.advanceBy(1500);
        click(game, FormId::Form2, ui::command(1));
        for (int g = 1; g <= 6; ++g) click(game, FormId::Form4, ui::command(1 + g));
        game.advanceBy(3'600'000);
        benchmark::DoNotOptimize(game.now());
    }
}
BENCHMARK(BM_IdleHour);

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
        if (game.screen(FormId::Form11) == nullptr) state.SkipWithError("no score code reached");
    }
}
BENCHMARK(BM_WholeGame);

// One tick of the score board, the only armed timer, with Arg(0) gardens
// open: each garden adds 49 idle timers, which a tick should not feel.
void BM_BoardTick(benchmark::State& state) {
    Game game;
    game.advanceBy(1500);
    click(game, FormId::Form2, ui::command(1));
    for (int g = 1; g <= state.range(0); ++g) click(game, FormId::Form4, ui::command(1 + g));
    for (auto _ : state) game.advanceBy(1000);
    benchmark::DoNotOptimize(game.now());
}
BENCHMARK(BM_BoardTick)->Arg(0)->Arg(6);

// N periodic timers due at the same time: the ticks of one round should cost
// N log N, not N squared.
void BM_TimersDueTogether(benchmark::State& state) {
    ui::EventLoop loop;
    std::vector<std::unique_ptr<ui::Timer>> timers;
    long fired = 0;
    for (int i = 0; i < state.range(0); ++i) {
        timers.push_back(std::make_unique<ui::Timer>(
            loop, [&fired] { ++fired; }, 10));
    }
    for (auto _ : state) loop.advanceBy(10);
    if (fired != state.iterations() * state.range(0)) state.SkipWithError("ticks went missing");
    state.SetItemsProcessed(fired);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TimersDueTogether)->RangeMultiplier(8)->Range(8, 4096)->Complexity();

}  // namespace
