#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/event_loop.h"
#include "ui/widget_id.h"

namespace mironeka::ui {

/// The game's title: the caption of its framed windows and of its message
/// box, and the text of the title lines (an ideographic space between).
inline constexpr const char* kApplicationTitle = "VELMORAKI　ミロネカ";

class Screen;

/// What a screen asks of the program around it. Screens never create each
/// other directly: they ask the host, which keeps the single instances.
class ScreenHost {
public:
    virtual ~ScreenHost() = default;
    /// Creates the screen if it does not exist and makes it visible, in front.
    virtual Screen& show(FormId form) = 0;
    /// Destroys the screen; its timers stop at once. Safe inside the
    /// screen's own handlers: the object itself goes at the end of the event.
    virtual void unload(FormId form) = 0;
    /// Ends the program at once: no further handler runs.
    virtual void endProgram() = 0;
    /// Opens the application-modal message box. `onOk` runs when the player
    /// presses OK; until then the player can use nothing else, while every
    /// timer goes on firing.
    virtual void showMessage(std::string text, std::function<void()> onOk) = 0;
};

/// One field of a screen as the player would read it, for checks and dumps.
struct Field {
    std::string name;
    std::vector<std::string> values;
};

/// Base of the game's eleven screens: visibility, owned timers, the widgets
/// it has and the player input it takes. Subclasses hold their state as
/// typed members.
class Screen {
public:
    Screen(FormId form, ScreenHost& host, EventLoop& loop);
    virtual ~Screen() = default;
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    [[nodiscard]] FormId form() const { return form_; }
    [[nodiscard]] bool visible() const { return visible_; }
    /// Counts every show, so a front end knows when to raise the window.
    [[nodiscard]] int showCount() const { return showCount_; }
    void markShown() {
        visible_ = true;
        ++showCount_;
    }
    void hide() { visible_ = false; }

    /// True when the player could click, point at or type into the widget:
    /// it is inside the window and visible. Off-window fields are not.
    [[nodiscard]] virtual bool reachable(WidgetId w) const = 0;
    [[nodiscard]] virtual bool hasCloseBox() const { return false; }

    // Player input. The game calls these only for a visible screen, a
    // reachable widget and no open message box.
    virtual void click(WidgetId) {}
    /// The pointer moves over a widget, or over the bare background (nullopt).
    virtual void pointerMove(std::optional<WidgetId>) {}
    /// Replaces a text box's text; false when the box is read-only.
    virtual bool type(WidgetId, const std::string&) { return false; }

    [[nodiscard]] virtual std::vector<Field> fields() const = 0;

    /// Stops every timer of the screen for good (unload, program end).
    void disableTimers();

protected:
    /// Creates a timer owned by this screen; `interval` > 0 starts it now.
    Timer& addTimer(EventLoop::Handler handler, int interval = 0);
    ScreenHost& host() { return host_; }
    [[nodiscard]] bool inRange(WidgetId w, WidgetKind kind, int first, int last) const {
        return w.kind == kind && w.number >= first && w.number <= last;
    }

private:
    FormId form_;
    ScreenHost& host_;
    EventLoop& loop_;
    std::vector<std::unique_ptr<Timer>> timers_;
    bool visible_ = false;
    int showCount_ = 0;
};

}  // namespace mironeka::ui
