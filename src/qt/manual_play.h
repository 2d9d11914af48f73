#pragma once

#include <initializer_list>
#include <optional>
#include <string>

#include "app/game.h"
#include "qt/driver.h"

namespace mironeka::qt {

/// The real driver and windows on a clock moved by hand: for the view tests
/// and the screenshots, which play through the screens step by step.
class ManualPlay {
  public:
    /// Moves the clock on and delivers what falls due, every tick exactly at
    /// its deadline.
    void wait(ui::Millis ms) {
        now_ += ms;
        driver_.runTo(now_);
    }
    /// Moves the clock on without delivering anything, as when the program is
    /// held up: what fell due waits for the driver's timer.
    void stall(ui::Millis ms) { now_ += ms; }
    /// From now on every reading of the clock finds it `ms` later than the
    /// one before: a machine slow to get back to the event loop. 0 stops it.
    void setLag(ui::Millis ms) { lag_ = ms; }
    bool act(app::Action::Kind kind, ui::FormId form, std::optional<ui::WidgetId> w = std::nullopt,
             std::string text = {}) {
        const bool done = driver_.act(app::Action{kind, form, w, std::move(text)});
        if (!done) ++refused_;
        return done;
    }
    bool click(ui::FormId form, ui::WidgetId w) { return act(app::Action::Kind::Click, form, w); }
    /// Chooses a tool (Command2..Command5) and clicks tiles with it, then
    /// lets the changes happen. False when a click was not possible.
    bool place(ui::FormId garden, int tool, std::initializer_list<int> tiles) {
        bool ok = click(garden, ui::command(tool));
        for (int n : tiles) ok = click(garden, ui::image(n)) && ok;
        wait(1);
        return ok;
    }
    /// Skips to the next day and lets the day's evaluation run.
    bool nextDay(ui::FormId garden) {
        const bool ok = click(garden, ui::command(1));
        wait(20);
        return ok;
    }

    Driver& driver() { return driver_; }
    [[nodiscard]] const app::Game& game() const { return driver_.game(); }
    [[nodiscard]] FormWindow* window(ui::FormId form) const { return driver_.window(form); }
    /// How many actions the game refused (the player could not have done them).
    [[nodiscard]] int refused() const { return refused_; }

  private:
    ui::Millis now_ = 0;
    ui::Millis lag_ = 0;
    int refused_ = 0;
    Driver driver_{[this] { return now_ += lag_; }};
};

}  // namespace mironeka::qt
