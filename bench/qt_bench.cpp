// The Qt front end's costs: a pointer move over a garden's bare background
// with seven windows open against the same event on a bare QWidget, and a
// day of a garden in real time, from the click to its final points, with
// each step of the evaluation in a turn of Qt's event loop of its own.
// Run on the platform you want to measure (offscreen by default; xcb under
// Xvfb).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <algorithm>
#include <vector>

#include "garden/garden_screen.h"
#include "qt/driver.h"
#include "qt/manual_play.h"

namespace {

using mironeka::app::Action;
using mironeka::app::Game;
using mironeka::ui::FormId;
namespace ui = mironeka::ui;
namespace qt = mironeka::qt;

void move(QWidget* w, QPoint at) {
    QMouseEvent event(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// The stage-select screen and six gardens, the pointer going back and forth
// over garden 1's bare background.
void BM_PointerMoveOverGarden(benchmark::State& state) {
    qt::ManualPlay play;
    play.wait(1500);
    play.click(FormId::Form2, ui::command(1));
    for (int g = 1; g <= 6; ++g) play.click(FormId::Form4, ui::command(1 + g));
    QApplication::processEvents();
    QWidget* garden = play.window(Game::gardenForm(1));
    int x = 0;
    for (auto _ : state) move(garden, {262, 140 + (++x & 7)});
}
BENCHMARK(BM_PointerMoveOverGarden);

class Bare : public QWidget {};

void BM_PointerMoveOverBareWidget(benchmark::State& state) {
    Bare bare;
    bare.setMouseTracking(true);
    bare.resize(274, 300);
    bare.show();
    QApplication::processEvents();
    int x = 0;
    for (auto _ : state) move(&bare, {262, 140 + (++x & 7)});
}
BENCHMARK(BM_PointerMoveOverBareWidget);

double percentile95(const std::vector<double>& v) {
    std::vector<double> s(v);
    std::sort(s.begin(), s.end());
    return s.empty() ? 0 : s[static_cast<std::size_t>(0.95 * static_cast<double>(s.size() - 1))];
}

// A day in real time: the real driver on the real clock, garden 1 with two
// sugar tiles; from the click on "next day" to the final points.
void BM_DayInRealTime(benchmark::State& state) {
    qt::Driver driver;
    QElapsedTimer wait;
    auto runUntil = [&](auto done) {
        wait.start();
        while (!done() && wait.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    };
    const auto& game = driver.game();
    runUntil([&] { return game.screen(FormId::Form2) != nullptr; });
    driver.act({Action::Kind::Click, FormId::Form2, ui::command(1)});
    driver.act({Action::Kind::Click, FormId::Form4, ui::command(2)});
    const FormId g1 = Game::gardenForm(1);
    driver.act({Action::Kind::Click, g1, ui::command(2)});
    driver.act({Action::Kind::Click, g1, ui::image(6)});
    driver.act({Action::Kind::Click, g1, ui::image(7)});
    const auto* garden = game.screenAs<mironeka::garden::GardenScreen>(g1);
    runUntil([&] { return garden->sugarCount() == 2; });
    for (auto _ : state) {
        if (garden->daysLeft() == 1) {
            state.SkipWithError("out of days");
            break;
        }
        const int passes = garden->passesEnded();
        driver.act({Action::Kind::Click, g1, ui::command(1)});
        runUntil([&] { return garden->passesEnded() > passes; });
    }
}
BENCHMARK(BM_DayInRealTime)
    ->Iterations(5)
    ->Repetitions(12)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("p95", percentile95);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
