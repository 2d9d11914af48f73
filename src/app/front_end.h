#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "app/game.h"
#include "ui/event_loop.h"
#include "ui/screen.h"
#include "ui/widget_id.h"

namespace mironeka::app {

/// What the alarm of a front end should do after a turn or an action.
struct Wake {
    enum class Kind {
        Stop,  // nothing is armed, or the game has ended
        Keep,  // the alarm already waits for the next deadline
        Set,   // ring in `in` milliseconds (0: in the next turn)
    };
    Kind kind = Kind::Stop;
    ui::Millis in = 0;
};

/// The keys that click the focused control.
enum class ClickKey { Space, Enter };

/// The keys that move the focus.
enum class FocusKey { Tab, BackTab, Left, Right, Up, Down };

/// Everything a front end of the game does the same way, whatever draws it:
/// the game in real time, what a key press does, where the keyboard focus
/// goes, and the texts of boxes. A front end reads its clock and its input
/// events, asks here, and only draws and forwards.
///
/// Time: every player action first brings the game's clock up to the real
/// one, and never delivers a tick; a turn of the front end's alarm delivers
/// at most one due tick, so each step of a chain is an event of its own
/// with the windows drawn between; a late tick is delivered once and
/// nothing missed is replayed.
///
/// Keys: one physical press of Space or Enter is one click. An auto-repeated
/// press never clicks, nor does one that comes within a few milliseconds of
/// the key's release: X11 on a busy machine sends some repeats as a release
/// and a press of the same moment, unflagged, and no hand presses a key
/// again that fast. So a held key is one click, as a held mouse button is.
/// (Whether a key is down is not kept: its release may go to a window that
/// has just closed, and the key would never click again.)
///
/// Focus: a screen's Tab stops are its reachable buttons and text boxes
/// (visible now, inside the window), top to bottom, then left to right; a
/// grid is one stop, at the tile the player last had. Tab and Shift+Tab go
/// round the stops; the arrows move inside a grid and stop at its edges.
class FrontEnd {
  public:
    FrontEnd() = default;

    [[nodiscard]] const Game& game() const { return game_; }

    // Time

    /// A player action at real time `now`.
    bool act(const Action& action, ui::Millis now);
    /// The alarm rang: at most one due tick is delivered. True when one was.
    bool turn(ui::Millis now);
    /// The virtual clock, for play by hand: every tick due up to t is
    /// delivered, each at its deadline.
    void runTo(ui::Millis t) { game_.advanceTo(std::max(game_.now(), t)); }
    /// What the alarm should do now; `Keep` while it waits for the deadline
    /// it was last set for and hasn't rung. Call after every turn and action.
    Wake wake(ui::Millis now);

    // Keys

    /// True when this press clicks the focused control. `time` is the
    /// event's own time in milliseconds, on any clock that the releases
    /// share; none when the event has none (one made by a program).
    bool keyPress(ClickKey key, bool autoRepeat, std::optional<ui::Millis> time);
    void keyRelease(ClickKey key, bool autoRepeat, std::optional<ui::Millis> time);

    /// True when F1 may open the help: not while the message box holds
    /// the keys, nor once the game is over.
    [[nodiscard]] bool helpAvailable() const { return !game_.message() && !game_.ended(); }

    // Focus

    /// Every control of the layout that can take the focus, in on-screen
    /// order (top to bottom, then left to right), the grid's tiles row by
    /// row where its first tile stands: the Tab order before what is
    /// reachable now is asked, and the order a screen reader reads them in.
    [[nodiscard]] static std::vector<ui::WidgetId> controlOrder(const ui::ScreenSpec& layout);
    /// The grid's current tile, if the screen has a grid.
    [[nodiscard]] std::optional<ui::WidgetId> gridStop(ui::FormId form);
    /// Where the focus starts on a window, and where it goes when the
    /// control that had it hides: the first reachable of the layout's
    /// choices; none when none is.
    [[nodiscard]] std::optional<ui::WidgetId> focusStart(ui::FormId form);
    /// Where the focus goes from `at` (none: from nowhere) on a key; none
    /// when it stays (an arrow at the grid's edge, or off the grid). A tile
    /// the focus is on becomes the grid's stop.
    [[nodiscard]] std::optional<ui::WidgetId> focusMove(ui::FormId form,
                                                        std::optional<ui::WidgetId> at,
                                                        FocusKey key);
    /// The focus came to `w` some other way (a click).
    void focused(ui::FormId form, ui::WidgetId w);
    /// Where the focus should be after the screen changed: `at` while it is
    /// still reachable, else the start; none when no control is left.
    [[nodiscard]] std::optional<ui::WidgetId> focusAfterChange(ui::FormId form,
                                                               std::optional<ui::WidgetId> at);

  private:
    struct Ring {
        const ui::Screen* screen = nullptr;  // the screen instance it belongs to
        std::size_t gridStop = 0;            // index into the layout's grid
    };
    /// The screen and its ring; the ring starts afresh with a new screen.
    std::pair<const ui::Screen*, Ring*> ring(ui::FormId form);
    /// The Tab stops now, in order.
    [[nodiscard]] std::vector<ui::WidgetId> stops(const ui::Screen& screen, const Ring& r) const;
    [[nodiscard]] std::optional<ui::WidgetId> arrow(const ui::Screen& screen, Ring& r,
                                                    ui::WidgetId at, FocusKey key) const;

    Game game_;
    std::optional<ui::Millis> armedFor_;
    std::array<std::optional<ui::Millis>, 2> released_{};  // each key's last release
    std::array<Ring, ui::kFormCount> rings_{};
};

}  // namespace mironeka::app
