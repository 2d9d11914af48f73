#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/event_loop.h"
#include "ui/layout.h"
#include "ui/picture.h"
#include "ui/translate.h"
#include "ui/widget_id.h"

namespace mironeka::ui {

/// The game's title: the caption of its framed windows and of its message
/// box, and the text of the title lines (an ideographic space between).
inline constexpr const char* kApplicationTitle = QT_TRANSLATE_NOOP("Game", "VELMORAKI　ミロネカ");

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

/// Base of the game's eleven screens: its layout, visibility, owned timers
/// and the player input it takes. Subclasses hold their state as typed
/// members and report only what changes at run time; everything else comes
/// from the layout.
class Screen {
  public:
    Screen(const ScreenSpec& layout, ScreenHost& host, EventLoop& loop);
    virtual ~Screen() = default;
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    [[nodiscard]] FormId form() const { return layout_.form; }
    [[nodiscard]] const ScreenSpec& layout() const { return layout_; }
    [[nodiscard]] bool visible() const { return visible_; }
    /// Counts every show, so a front end knows when to raise the window.
    [[nodiscard]] int showCount() const { return showCount_; }
    void markShown();
    void hide();

    /// Rises with every change the player could see, so a front end redraws
    /// a window only when its screen has changed.
    [[nodiscard]] std::uint64_t revision() const { return revision_; }

    // What each widget shows now: the layout's values unless the screen has
    // changed them.
    [[nodiscard]] bool widgetVisible(WidgetId w) const;
    [[nodiscard]] std::string widgetText(WidgetId w) const;
    [[nodiscard]] std::optional<Picture> widgetPicture(WidgetId w) const;
    /// For a button that stays pressed while its choice holds (a garden's
    /// tool): whether it is pressed now. None for every other widget.
    [[nodiscard]] virtual std::optional<bool> widgetChecked(WidgetId) const { return std::nullopt; }

    /// What a screen reader calls the widget: the layout's name for it, else
    /// its tooltip, its text, or what its picture shows.
    [[nodiscard]] virtual std::string accessibleName(WidgetId w) const;
    /// What Enter or a double-click in the widget opens: a mailto: or web
    /// address for the front end to hand to the desktop; empty for none.
    [[nodiscard]] virtual std::string link(WidgetId) const { return {}; }
    /// More about the widget, where there is more to say.
    [[nodiscard]] virtual std::string accessibleDescription(WidgetId) const { return {}; }
    /// What a screen reader calls the window: its caption, unless the screen
    /// says more of where the player is.
    [[nodiscard]] virtual std::string windowName() const {
        return translate("Game", layout_.caption);
    }

    /// The latest sentence a screen reader should say once, without the
    /// focus moving (a day's outcome), and how many there have been: a
    /// front end speaks it when the count rises.
    [[nodiscard]] const std::string& announcement() const { return announcement_; }
    [[nodiscard]] std::uint64_t announcements() const { return announcements_; }

    /// True when the player could click, point at or type into the widget:
    /// the layout has it, some of it lies inside the window, and it is
    /// visible now. Off-window fields and timers never are.
    [[nodiscard]] bool reachable(WidgetId w) const;

    // Player input. The game calls these only for a visible screen, a
    // reachable widget and no open message box.
    virtual void click(WidgetId) {}
    /// The pointer moves over a widget, or over the bare background (nullopt).
    virtual void pointerMove(std::optional<WidgetId>) {}
    /// Replaces a text box's text; false when the box is read-only.
    virtual bool type(WidgetId, const std::string&) { return false; }

    /// Every field of the layout's field table, read now.
    [[nodiscard]] std::vector<Field> fields() const;

    /// Stops every timer of the screen for good (unload, program end).
    void disableTimers();

  protected:
    /// Timer `number` of the layout, started now when the layout gives it an
    /// interval.
    Timer& addTimer(int number, EventLoop::Handler handler);
    ScreenHost& host() { return host_; }
    /// Marks a change the player could see.
    void changed() { ++revision_; }
    void announce(std::string sentence) {
        announcement_ = std::move(sentence);
        ++announcements_;
        changed();
    }

    // What changes at run time; unset means the layout's value.
    [[nodiscard]] virtual std::optional<bool> visibleNow(WidgetId) const { return std::nullopt; }
    [[nodiscard]] virtual std::optional<std::string> textNow(WidgetId) const {
        return std::nullopt;
    }
    [[nodiscard]] virtual std::optional<Picture> pictureNow(WidgetId) const { return std::nullopt; }

  private:
    const ScreenSpec& layout_;
    ScreenHost& host_;
    EventLoop& loop_;
    std::vector<std::unique_ptr<Timer>> timers_;
    bool visible_ = false;
    int showCount_ = 0;
    std::uint64_t revision_ = 0;
    std::string announcement_;
    std::uint64_t announcements_ = 0;
};

}  // namespace mironeka::ui
