#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/screens.h"
#include "garden/garden_screen.h"
#include "ui/event_loop.h"
#include "ui/screen.h"
#include "ui/widget_id.h"

namespace mironeka::app {

/// A player action as plain data: what the Qt windows and the scenario
/// runner both hand to `Game::act`.
struct Action {
    enum class Kind { Click, Move, Type, Close, Ok };
    Kind kind = Kind::Click;
    ui::FormId form = ui::FormId::Form1;
    /// The widget; for Move, none means the screen's own background.
    std::optional<ui::WidgetId> widget;
    std::string text;  // for Type
};

/// The whole game: owns every screen (single instances, created on first
/// show), the event loop, the message box and program end. It is the one
/// entry for player actions and decides whether the player could reach the
/// widget at all.
class Game final : public ui::ScreenHost, public garden::ScoreBoardLink {
  public:
    /// Program start: the splash screen is shown and its timer runs.
    Game();
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    [[nodiscard]] ui::Millis now() const { return loop_.now(); }
    /// The virtual clock (EventLoop::advanceTo, advanceBy): false, changing
    /// nothing, when the clock would pass its end.
    bool advanceTo(ui::Millis t) { return loop_.advanceTo(t); }
    bool advanceBy(ui::Millis ms) { return loop_.advanceBy(ms); }
    /// Real time (EventLoop::moveClockTo, deliverNext): at most one tick a call.
    bool moveClockTo(ui::Millis t) { return loop_.moveClockTo(t); }
    bool deliverNext(ui::Millis t) { return loop_.deliverNext(t); }
    [[nodiscard]] std::optional<ui::Millis> nextDeadline() const { return loop_.nextDeadline(); }

    /// Applies a player action. Returns false, changing nothing, when the
    /// player could not have done it: screen not visible, widget hidden or
    /// outside the window, a message box open, the program ended.
    bool act(const Action& action);

    [[nodiscard]] bool ended() const { return ended_; }
    /// The screen if it exists; never creates one.
    [[nodiscard]] const ui::Screen* screen(ui::FormId form) const;
    template <class T>
    [[nodiscard]] const T* screenAs(ui::FormId form) const {
        return dynamic_cast<const T*>(screen(form));
    }
    /// The open message box's text, if one is open.
    [[nodiscard]] const std::optional<std::string>& message() const { return messageText_; }

    /// True when the form has a widget of that name in its layout.
    [[nodiscard]] static bool formHasWidget(ui::FormId form, ui::WidgetId w);
    /// The garden screens' forms, gardens 1 to 6.
    [[nodiscard]] static ui::FormId gardenForm(int garden);

    // ScreenHost
    ui::Screen& show(ui::FormId form) override;
    void unload(ui::FormId form) override;
    void endProgram() override;
    void showMessage(std::string text, std::function<void()> onOk) override;

    template <class T>
    T& showAs(ui::FormId form) {
        return dynamic_cast<T&>(show(form));
    }

    // ScoreBoardLink: routed to the stage-select screen while it exists.
    void writeScore(int gardenNumber, int points) override;
    void hideResumeButton(int gardenNumber) override;
    void addFinishedGarden() override;

  private:
    std::unique_ptr<ui::Screen> create(ui::FormId form);
    StageSelectScreen* stageSelect();
    void afterEvent();

    ui::EventLoop loop_;  // first member: outlives every screen's timers
    std::array<std::unique_ptr<ui::Screen>, ui::kFormCount> screens_;
    std::vector<std::unique_ptr<ui::Screen>> unloaded_;  // freed after the event
    std::optional<std::string> messageText_;
    std::function<void()> onMessageOk_;
    bool ended_ = false;
};

}  // namespace mironeka::app
