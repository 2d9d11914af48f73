// The soak: plays the real windows at random, in real time, game after game,
// for a given number of seconds. Clicks, pointer moves, keys, typing and
// close requests go to the windows as the window system would deliver them
// (QTest's events through the platform window, so modality applies); the
// choices lean towards what ends a game (the next-day button, OK on the
// message box, the last buttons), and a new driver starts when one ends.
//
// Fails (exit 1, or an abort) on a crash or sanitizer report, when the
// windows stop answering for more than 2 s (a watchdog thread), or when the
// memory of later games keeps growing past that of the early ones.
//
// Usage: mironeka-soak SECONDS [SEED]
// MIRONEKA_SOAK_FAULT=stall (the windows freeze for 3 s once) or =grow (each
// game keeps 16 MB more) shows that the watchdog and the memory check fail.

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "qt/driver.h"

namespace {

using mironeka::qt::Driver;
using mironeka::ui::FormId;
using Clock = std::chrono::steady_clock;

constexpr int kActionEveryMs = 8;
constexpr auto kStallLimit = std::chrono::milliseconds(2000);
constexpr std::size_t kGamesForMemoryCheck = 6;

// A line of /proc/self/status in kB: VmRSS (resident now), VmHWM (peak).
long statusKb(const std::string& wanted) {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == wanted) {
            status >> value;
            return value;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

/// Aborts the program when the user-interface thread has not come back to
/// its event loop for longer than the limit.
class Watchdog {
  public:
    Watchdog() : thread_([this] { watch(); }) {}
    ~Watchdog() {
        stop_ = true;
        thread_.join();
    }
    void beat() { last_ = Clock::now().time_since_epoch().count(); }

  private:
    void watch() {
        while (!stop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const auto last = Clock::time_point(Clock::duration(last_.load()));
            if (Clock::now() - last > kStallLimit) {
                std::fprintf(stderr, "soak: FAILED: the windows stopped answering for over 2 s\n");
                std::abort();
            }
        }
    }
    std::atomic<Clock::rep> last_{Clock::now().time_since_epoch().count()};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class Soak {
  public:
    explicit Soak(unsigned seed) : rng_(seed) { newGame(); }

    void step() {
        if (!driver_) return;
        if (++actions_ == 500 && fault_ == "stall") {
            std::this_thread::sleep_for(std::chrono::seconds(3));
        }
        if (driver_->window(FormId::Form10) != nullptr) sawResult_ = true;
        if (auto* box = driver_->messageBox(); box && box->isVisible()) {
            if (chance(70)) {
                QTest::mouseClick(box->defaultButton(), Qt::LeftButton);
                return;
            }
            if (chance(30)) return key(box);
        }
        std::vector<mironeka::qt::FormWindow*> windows;
        for (int i = 1; i <= mironeka::ui::kFormCount; ++i) {
            auto* w = driver_->window(static_cast<FormId>(i));
            if (w != nullptr && w->isVisible()) windows.push_back(w);
        }
        if (windows.empty()) return;
        // The active window gets most of the input.
        QWidget* window = windows[pick(windows.size())];
        if (auto* active = QApplication::activeWindow();
            active && chance(70) &&
            std::find(windows.begin(), windows.end(), active) != windows.end()) {
            window = active;
        }
        const auto roll = pick(100);
        // The result screen waits five seconds for its buttons; closing it
        // in that time would leave the score-code screen unplayed.
        const bool result = window->objectName() == "Form10";
        if (roll < 1) {
            if (!result || pick(20) == 0) closeRequest(window);
        } else if (roll < 11) {
            pointerMove(window);
        } else if (roll < 15) {
            key(window);
        } else if (roll < 20) {
            typeSomething(window);
        } else {
            clickSomething(window);
        }
    }

    void report(double seconds) const {
        std::printf("soak: %.0f s, %ld actions, %d games ended (%d through the result screen)\n",
                    seconds, actions_, gamesEnded_, gamesToResult_);
        std::printf("soak: resident memory after each game (MB):");
        for (long kb : rssAfterGame_) std::printf(" %.1f", static_cast<double>(kb) / 1024);
        std::printf("\nsoak: peak resident memory %.1f MB\n",
                    static_cast<double>(statusKb("VmHWM:")) / 1024);
        if (rssAfterGame_.size() < kGamesForMemoryCheck) {
            std::printf("soak: too few games to compare memory (fewer than %zu)\n",
                        kGamesForMemoryCheck);
        }
    }

    /// Later games must not hold much more memory than early ones. Games
    /// after the first settle the caches; the comparison is between the
    /// second and the last third of the games played.
    [[nodiscard]] bool memoryKeepsGrowing() const {
        const auto n = rssAfterGame_.size();
        if (n < kGamesForMemoryCheck) return false;
        const auto third = n / 3;
        const long early =
            *std::max_element(rssAfterGame_.begin() + 1, rssAfterGame_.begin() + 1 + third);
        const long late = *std::min_element(rssAfterGame_.end() - third, rssAfterGame_.end());
        return late > early + std::max(early / 4, 32L * 1024);
    }

  private:
    bool chance(std::size_t percent) { return pick(100) < percent; }
    std::size_t pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
    }

    void newGame() {
        if (fault_ == "grow") kept_.emplace_back(16 << 20, 'x');
        driver_ = std::make_unique<Driver>();
        sawResult_ = false;
        QObject::connect(driver_.get(), &Driver::gameEnded, driver_.get(), [this] {
            ++gamesEnded_;
            std::printf("soak: game %d ended by: %s\n", gamesEnded_, qPrintable(last_));
            gamesToResult_ += sawResult_ ? 1 : 0;
            // Not from inside the driver's own call: the next event goes.
            QTimer::singleShot(0, [this] {
                driver_.reset();
                rssAfterGame_.push_back(statusKb("VmRSS:"));
                newGame();
            });
        });
    }

    std::vector<QWidget*> widgets(QWidget* window, const QString& pattern) {
        static const QRegularExpression kNames("^(Command|Image|Text|Label)[0-9]+$");
        const QRegularExpression wanted(pattern);
        std::vector<QWidget*> found;
        for (auto* w : window->findChildren<QWidget*>()) {
            const QString name = w->objectName();
            if (kNames.match(name).hasMatch() && wanted.match(name).hasMatch() && w->isVisible()) {
                found.push_back(w);
            }
        }
        return found;
    }

    QPoint somewhereIn(const QWidget* w) {
        return {static_cast<int>(pick(static_cast<std::size_t>(std::max(1, w->width())))),
                static_cast<int>(pick(static_cast<std::size_t>(std::max(1, w->height()))))};
    }

    void clickSomething(QWidget* window) {
        const QString form = window->objectName();
        QString pattern = ".";
        // Lean towards the way through a game; what ends a game early (the
        // board's "×", a close box) stays rare.
        if (form == "Form3" || form.contains(QRegularExpression("^Form[5-9]$"))) {
            if (chance(35)) {
                pattern = "^Command1$";
            } else if (chance(70)) {
                pattern = "^(Command[2-5]|Image[0-9]+)$";
            }
        } else if (form == "Form4") {
            // Not "×", which ends the game, but once in a while.
            pattern = pick(500) == 0 ? "." : "^(Command([2-9]|1[0-3])|Label[0-9]+|Image1)$";
        } else if (form == "Form10" || form == "Form2") {
            if (chance(90)) pattern = "^Command";
        }
        const auto candidates = widgets(window, pattern);
        if (candidates.empty()) {
            last_ = "click " + form;
            QTest::mouseClick(window, Qt::LeftButton, {}, somewhereIn(window));
            return;
        }
        auto* target = candidates[pick(candidates.size())];
        last_ = "click " + form + " " + target->objectName();
        QTest::mouseClick(target, Qt::LeftButton, {}, somewhereIn(target));
    }

    void pointerMove(QWidget* window) {
        auto candidates = widgets(window, ".");
        QWidget* target =
            candidates.empty() || chance(20) ? window : candidates[pick(candidates.size())];
        QTest::mouseMove(target, somewhereIn(target));
    }

    void key(QWidget* window) {
        static constexpr Qt::Key kKeys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space,
                                            Qt::Key_Tab,    Qt::Key_A,      Qt::Key_1,
                                            Qt::Key_Delete, Qt::Key_Left};
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        if (target->window() != window) target = window;
        const Qt::Key k = kKeys[pick(std::size(kKeys))];
        last_ = "key " + QString::number(k, 16) + " on " + window->objectName();
        QTest::keyClick(target, k);
    }

    void typeSomething(QWidget* window) {
        const auto boxes = window->findChildren<QLineEdit*>();
        if (boxes.empty()) return key(window);
        static const QString kTexts[] = {
            "12", "-7", "", "9999999999999", "a b\tc", "score@example.org"};
        auto* box = boxes[static_cast<qsizetype>(pick(static_cast<std::size_t>(boxes.size())))];
        if (!box->isVisible()) return;
        if (chance(20)) {
            // Japanese comes from an input method as a committed string.
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("ミロネカ"));
            QApplication::sendEvent(box, &commit);
            return;
        }
        QTest::keyClicks(box, kTexts[pick(std::size(kTexts))]);
    }

    // The close box, through the platform window: the path a window
    // manager's close request takes.
    void closeRequest(QWidget* window) {
        last_ = "close " + window->objectName();
        if (QWindow* handle = window->windowHandle()) handle->close();
    }

    std::mt19937 rng_;
    std::unique_ptr<Driver> driver_;
    long actions_ = 0;
    int gamesEnded_ = 0;
    int gamesToResult_ = 0;
    bool sawResult_ = false;
    QString last_;  // the action that ended the game
    const std::string fault_ =
        std::getenv("MIRONEKA_SOAK_FAULT") ? std::getenv("MIRONEKA_SOAK_FAULT") : "";
    std::vector<std::string> kept_;
    std::vector<long> rssAfterGame_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10))
                                   : std::random_device{}();
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: mironeka-soak SECONDS [SEED]\n");
        return 2;
    }
    std::printf("soak: seed %u on %s\n", seed, qPrintable(QGuiApplication::platformName()));

    Watchdog watchdog;
    Soak soak(seed);
    QTimer beat;
    QObject::connect(&beat, &QTimer::timeout, [&] { watchdog.beat(); });
    beat.start(50);
    QTimer actions;
    QObject::connect(&actions, &QTimer::timeout, [&] {
        watchdog.beat();
        soak.step();
    });
    actions.start(kActionEveryMs);

    const auto started = Clock::now();
    // exit(), not quit(): quit() asks every window to close first.
    QTimer::singleShot(seconds * 1000, &app, [] { QApplication::exit(0); });
    app.exec();
    const double ran = std::chrono::duration<double>(Clock::now() - started).count();
    soak.report(ran);
    if (soak.memoryKeepsGrowing()) {
        std::printf("soak: FAILED: later games hold much more memory than early ones\n");
        return 1;
    }
    std::printf("soak: passed\n");
    return 0;
}
