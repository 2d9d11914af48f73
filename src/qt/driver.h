#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "app/front_end.h"
#include "app/game.h"
#include "qt/alarm.h"
#include "qt/form_window.h"
#include "qt/help_window.h"

namespace mironeka::qt {

/// Runs the game in real time and keeps the windows in step with it.
///
/// The game's rules for front ends (`app::FrontEnd`) decide what runs when,
/// what a key does and where the focus goes; the driver reads the real
/// clock (in whole milliseconds, rounded down), keeps one alarm where they
/// say, and refreshes the windows after every turn and action. Every tick
/// is its own Qt event, so the windows are drawn and input is possible
/// between the steps of a chain.
class Driver final : public QObject, public ActionSink {
    Q_OBJECT
  public:
    /// Milliseconds since the game started; by default the real elapsed time.
    using Clock = std::function<ui::Millis()>;

    explicit Driver(Clock clock = {}, QObject* parent = nullptr);
    ~Driver() override;
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    [[nodiscard]] const app::Game& game() const { return front_.game(); }
    bool act(const app::Action& action) override;
    app::FrontEnd& policy() override { return front_; }
    /// Hands the screen's link for the widget to the desktop (the mail
    /// program for mailto:, the browser for a web page).
    void openLink(ui::FormId form, ui::WidgetId widget) override;
    /// What opens a link; by default QDesktopServices. Tests watch it.
    using Opener = std::function<void(const QUrl&)>;
    void setOpener(Opener opener) { opener_ = std::move(opener); }
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
    /// The help window, once F1 has opened it.
    [[nodiscard]] HelpWindow* help() const { return help_.get(); }
    /// Opens the help, "遊び方", in front; the game goes on.
    void openHelp();

    /// Space, Return and Enter on a button (a tile, the message box's OK)
    /// click it when the game's key rules say so, and never otherwise; in a
    /// text box they type as usual. F1 opens the help from any window.
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
        std::uint64_t announced = 0;        // the model's sentences said so far
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
    /// Each screen's new sentence for screen readers, said by its window or,
    /// when that is hidden, by one that is on the screen.
    void sayNewSentences();
    void dropMessageBox();
    void arm();
    void retire(QWidget* widget);
    void messageClosed();

    app::FrontEnd front_;
    Clock clock_;  // none: the real clock, elapsed_
    QElapsedTimer elapsed_;
    Alarm alarm_;
    std::uint64_t deliveries_ = 0;
    std::array<Slot, ui::kFormCount> slots_;
    QPointer<QMessageBox> box_;
    std::unique_ptr<HelpWindow> help_;
    Opener opener_;
    std::vector<QPointer<QWidget>> retired_;  // deleted later, or at the end
    bool endSignalled_ = false;
};

}  // namespace mironeka::qt
