#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "app/game.h"
#include "qt/alarm.h"
#include "qt/form_window.h"

namespace mironeka::qt {

/// Runs the game in real time and keeps the windows in step with it.
///
/// One alarm waits for the moment the model's clock reaches its next
/// deadline. Each time it rings, the model's clock moves to the elapsed time
/// (in whole milliseconds, rounded down) and at most one due tick is
/// delivered, then the windows are refreshed and the alarm is set again (for
/// the next turn if another tick is already due). So every tick is
/// its own Qt event: a step that arms the next step of a chain returns to
/// Qt's event loop before that step runs, with the windows refreshed and
/// input possible in between, even when the next step is already overdue.
/// After a stall a late tick is delivered once and a periodic timer then
/// waits its full interval; nothing missed is replayed.
///
/// A player action moves the model's clock to the elapsed time without
/// delivering anything (ticks that fell due wait for the timer), then goes
/// to `Game::act`; the windows are refreshed and the alarm set again if the
/// next deadline moved.
class Driver final : public QObject, public ActionSink {
    Q_OBJECT
  public:
    /// Milliseconds since the game started; by default the real elapsed time.
    using Clock = std::function<ui::Millis()>;

    explicit Driver(Clock clock = {}, QObject* parent = nullptr);
    ~Driver() override;
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    [[nodiscard]] const app::Game& game() const { return game_; }
    bool act(const app::Action& action) override;
    /// The alarm's work: moves the model to the clock, delivers at most one
    /// due tick, refreshes and sets the alarm again.
    void advance();
    /// The virtual clock, for play by hand: delivers every tick due up to t,
    /// each exactly at its deadline (as the scenario runner does), then
    /// refreshes and re-arms.
    void runTo(ui::Millis t);

    /// The alarm that waits for the model's next deadline.
    [[nodiscard]] const Alarm& alarm() const { return alarm_; }
    /// Ticks delivered by the alarm so far (not those of runTo).
    [[nodiscard]] std::uint64_t deliveries() const { return deliveries_; }

    /// The window of a form while its screen exists.
    [[nodiscard]] FormWindow* window(ui::FormId form) const;
    /// The open message box, if any.
    [[nodiscard]] QMessageBox* messageBox() const { return box_; }

    /// Drops auto-repeated presses and releases of the keys that click
    /// (Space, Return, Enter) before any window or the message box sees
    /// them: a held key is one click, as a held mouse button is.
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    /// The game has ended: every window is gone.
    void gameEnded();

  private:
    struct Slot {
        std::unique_ptr<FormWindow> window;
        const ui::Screen* model = nullptr;  // the screen instance it shows
        int shown = 0;                      // the model's showCount seen last
        std::uint64_t revision = 0;         // the model's revision shown last
    };

    /// The clock now: whole milliseconds, and nanoseconds into the next.
    struct Reading {
        ui::Millis ms;
        std::int64_t ns;
    };
    static constexpr std::int64_t kNsPerMs = 1'000'000;
    Reading read();
    void sync();
    void syncMessage();
    void dropMessageBox();
    void arm();
    void retire(QWidget* widget);
    void messageClosed();

    app::Game game_;
    Clock clock_;  // none: the real clock, elapsed_
    QElapsedTimer elapsed_;
    Alarm alarm_;
    ui::Millis armedFor_ = 0;  // the deadline alarm_ waits for while active
    std::uint64_t deliveries_ = 0;
    std::array<Slot, ui::kFormCount> slots_;
    QPointer<QMessageBox> box_;
    std::vector<QPointer<QWidget>> retired_;  // deleted later, or at the end
    bool endSignalled_ = false;
};

}  // namespace mironeka::qt
