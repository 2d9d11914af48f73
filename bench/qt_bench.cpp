// The Qt front end's costs: a pointer move over a garden's bare background
// with seven windows open against the same event on a bare QWidget; a day of
// a garden in real time, from the click to its final points, with each step
// of the evaluation in a turn of Qt's event loop of its own; and the peak
// memory of a whole game. Run on the platform you want to measure
// (offscreen by default; xcb under Xvfb).

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QMouseEvent>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "garden/garden_layout.h"
#include "garden/garden_screen.h"
#include "qt/driver.h"
#include "qt/manual_play.h"
#include "qt/startup.h"

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

// Days in real time: the real driver on the real clock, one day per
// repetition, from the click on "next day" to the final points. The game
// lives on from one repetition to the next and moves on to the next garden
// when one has a single day left: six days in each of the six gardens, each
// with five lumps of sugar, so that every day runs all thirteen steps.
class DayPlay {
  public:
    DayPlay() {
        runUntil([&] { return game().screen(FormId::Form2) != nullptr; });
        act(FormId::Form2, ui::command(1));
    }
    // Opens the next garden if this one has a single day left; false when
    // every garden is out of days.
    bool ready() { return (garden_ != nullptr && garden_->daysLeft() > 1) || openNextGarden(); }
    // Plays one day; false when it was cut short.
    bool day() {
        const int passes = garden_->passesEnded();
        const auto ticks = driver_.deliveries();
        act(form_, ui::command(1));
        runUntil([&] { return garden_->passesEnded() > passes; });
        return driver_.deliveries() - ticks >= 13;
    }

  private:
    [[nodiscard]] const Game& game() const { return driver_.game(); }
    void act(FormId form, ui::WidgetId w) { driver_.act({Action::Kind::Click, form, w}); }
    template <typename Done>
    static void runUntil(Done done) {
        QElapsedTimer wait;
        wait.start();
        while (!done() && wait.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    bool openNextGarden() {
        if (number_ == 6) return false;
        if (garden_ != nullptr) act(form_, ui::command(mironeka::garden::kCloseButton));
        form_ = Game::gardenForm(++number_);
        act(FormId::Form4, ui::command(1 + number_));
        act(form_, ui::command(2));  // sugar
        for (int tile : {1, 2, 3, 5, 9}) act(form_, ui::image(tile));
        garden_ = game().screenAs<mironeka::garden::GardenScreen>(form_);
        runUntil([&] { return garden_->sugarCount() == 5; });
        return garden_->sugarCount() == 5;
    }

    qt::Driver driver_;
    int number_ = 0;
    FormId form_ = FormId::Form1;
    const mironeka::garden::GardenScreen* garden_ = nullptr;
};

std::unique_ptr<DayPlay> dayPlay;  // made by the first repetition, gone before the application

void BM_DayInRealTime(benchmark::State& state) {
    if (!dayPlay) dayPlay = std::make_unique<DayPlay>();
    if (!dayPlay->ready()) state.SkipWithError("out of days");
    for (auto _ : state) {
        if (!dayPlay->day()) state.SkipWithError("a day cut short");
    }
}
BENCHMARK(BM_DayInRealTime)
    ->Iterations(1)
    ->Repetitions(36)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min",
                        [](const std::vector<double>& v) {
                            return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
                        })
    ->ComputeStatistics("p95", percentile95)
    ->ComputeStatistics("max", [](const std::vector<double>& v) {
        return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
    });

// A line of /proc/self/status in megabytes (VmHWM: the peak resident
// memory so far); 0 where there is no such file.
double statusMegabytes(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(static_cast<qsizetype>(std::strlen(key)))
                       .trimmed()
                       .split(' ')[0]
                       .toDouble() /
                   1024;
        }
    }
    return 0;
}

// A whole game through the real windows, drawn as it goes: the splash to the
// score code, every garden played to its end message. The figure is the
// process's peak resident memory, so run this benchmark in a process of its
// own: --benchmark_filter=PeakMemory.
void BM_PeakMemoryOfAGame(benchmark::State& state) {
    constexpr int kSugar = 2;
    for (auto _ : state) {
        qt::ManualPlay play;
        auto step = [&](auto&& what) {
            what();
            QApplication::processEvents();
        };
        step([&] { play.wait(1500); });
        step([&] { play.click(FormId::Form2, ui::command(1)); });
        for (int g = 1; g <= 6; ++g) {
            const FormId garden = Game::gardenForm(g);
            step([&] { play.click(FormId::Form4, ui::command(1 + g)); });
            step([&] { play.place(garden, kSugar, {g + 3, g + 4}); });
            for (int day = 1; day <= 7; ++day) step([&] { play.nextDay(garden); });
            QMessageBox* box = play.driver().messageBox();
            if (box == nullptr) {
                state.SkipWithError("no end message");
                return;
            }
            step([&] { box->defaultButton()->click(); });
        }
        step([&] { play.wait(1000); });  // the board sees six finished gardens
        step([&] { play.wait(5000); });  // the total, then the buttons
        step([&] { play.click(FormId::Form10, ui::command(1)); });
        step([&] { play.wait(100); });
        if (play.refused() != 0 || play.game().screen(FormId::Form11) == nullptr) {
            state.SkipWithError("the game did not reach the score code");
            return;
        }
    }
    state.counters["peak_MB"] = statusMegabytes("VmHWM:");
}
BENCHMARK(BM_PeakMemoryOfAGame)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Set up as the game is: style, palette, fonts, Qt's texts in Japanese.
    mironeka::qt::prepareApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    dayPlay.reset();
    benchmark::Shutdown();
    return 0;
}
