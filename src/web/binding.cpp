// The browser's way into the game: the layouts as plain objects, one Game
// taking the page's actions in, and each screen's state given back out.
// Nothing of the game's rules lives here; the page only draws what it reads.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "app/front_end.h"
#include "app/game.h"
#include "app/help.h"
#include "app/layouts.h"
#include "ui/layout.h"
#include "ui/picture.h"
#include "ui/screen.h"
#include "ui/translate.h"
#include "ui/widget_id.h"

namespace mironeka::web {

namespace {

using emscripten::val;

const char* frameName(ui::Frame f) {
    switch (f) {
        case ui::Frame::None:
            return "none";
        case ui::Frame::FixedSingle:
            return "single";
        case ui::Frame::FixedDialog:
            return "dialog";
    }
    return "";
}

val colour(const std::optional<ui::Rgb>& c) {
    if (!c) return val::null();
    return val("rgb(" + std::to_string(c->r) + "," + std::to_string(c->g) + "," +
               std::to_string(c->b) + ")");
}

val picture(const std::optional<ui::Picture>& p) {
    return p ? val(std::string(ui::pictureName(*p))) : val::null();
}

val names(std::span<const ui::WidgetId> ids) {
    val out = val::array();
    for (const ui::WidgetId id : ids) out.call<void>("push", ui::widgetName(id));
    return out;
}

std::optional<ui::FormId> formOf(int n) {
    const auto form = static_cast<ui::FormId>(n);
    if (!app::isForm(form)) return std::nullopt;
    return form;
}

/// A screen's layout as the page builds it: the window, then every widget
/// that lies at least partly inside it (timers and off-window fields are
/// left out: the player never sees them).
val layout(int formNumber) {
    const auto form = formOf(formNumber);
    if (!form) return val::null();
    const ui::ScreenSpec& screenLayout = app::layoutOf(*form);
    val out = val::object();
    out.set("form", ui::formName(screenLayout.form));
    out.set("caption", ui::translate("Game", screenLayout.caption));
    out.set("width", screenLayout.client.width);
    out.set("height", screenLayout.client.height);
    out.set("frame", frameName(screenLayout.frame));
    out.set("back", colour(screenLayout.back));
    out.set("icon", picture(screenLayout.icon));
    out.set("tracksPointer", screenLayout.tracksPointer);
    out.set("firstFocus", names(screenLayout.firstFocus));
    out.set("grid", names(screenLayout.grid));
    out.set("gridColumns", screenLayout.gridColumns);
    val widgets = val::array();
    for (const ui::WidgetSpec& w : screenLayout.widgets) {
        if (w.id.kind == ui::WidgetKind::Timer || !screenLayout.onWindow(w)) continue;
        val o = val::object();
        o.set("name", ui::widgetName(w.id));
        o.set("kind", std::string(ui::kindName(w.id.kind)));
        o.set("left", w.box.left);
        o.set("top", w.box.top);
        o.set("width", w.box.width);
        o.set("height", w.box.height);
        o.set("text", ui::translate("Game", w.text));
        o.set("points", w.look.points);
        o.set("color", colour(w.look.text));
        o.set("back", colour(w.look.back));
        o.set("picture", picture(w.picture));
        o.set("tooltip", ui::translate("Game", w.tooltip));
        o.set("startsVisible", w.startsVisible);
        o.set("readOnly", w.readOnly);
        o.set("tracksPointer", w.tracksPointer);
        o.set("exposed", w.exposed);
        widgets.call<void>("push", o);
    }
    out.set("widgets", widgets);
    return out;
}

val nameOrNull(const std::optional<ui::WidgetId>& w) {
    return w ? val(ui::widgetName(*w)) : val::null();
}

/// The game as the page drives it, on the page's clock in milliseconds,
/// with the rules every front end follows (time, keys, focus) asked here.
class WebGame {
  public:
    /// A player action at time `now`: the clock moves there first, nothing
    /// due is delivered (that is the timer callback's turn). Unknown forms,
    /// widgets or kinds are refused, as the game refuses what the player
    /// could not do.
    bool act(const std::string& kind, int formNumber, const std::string& widget,
             const std::string& text, double now) {
        app::Action action;
        if (kind == "click") {
            action.kind = app::Action::Kind::Click;
        } else if (kind == "move") {
            action.kind = app::Action::Kind::Move;
        } else if (kind == "type") {
            action.kind = app::Action::Kind::Type;
        } else if (kind == "close") {
            action.kind = app::Action::Kind::Close;
        } else if (kind == "ok") {
            action.kind = app::Action::Kind::Ok;
        } else {
            return false;
        }
        const auto form = formOf(formNumber);
        if (!form) return false;
        action.form = *form;
        if (!widget.empty()) {
            action.widget = ui::parseWidgetName(widget);
            if (!action.widget) return false;
        }
        action.text = text;
        return front_.act(action, clock(now));
    }

    /// One turn of the page's timer: at most one tick delivered.
    bool turn(double now) { return front_.turn(clock(now)); }

    /// What the page's timer should do now: -2 stop, -1 keep waiting,
    /// otherwise fire in that many milliseconds.
    double wake(double now) {
        const app::Wake w = front_.wake(clock(now));
        switch (w.kind) {
            case app::Wake::Kind::Stop:
                return -2;
            case app::Wake::Kind::Keep:
                return -1;
            case app::Wake::Kind::Set:
                break;
        }
        return static_cast<double>(w.in);
    }
    /// The next tick's time, or -1 when nothing is armed or the game ended.
    [[nodiscard]] double nextDeadline() const {
        if (game_.ended()) return -1;
        const auto d = game_.nextDeadline();
        return d ? static_cast<double>(*d) : -1;
    }
    [[nodiscard]] double now() const { return static_cast<double>(game_.now()); }

    /// Space or Enter ("space", "enter"): true when this press clicks.
    /// `time` is the event's time stamp in milliseconds.
    bool keyPress(const std::string& key, bool repeat, double time) {
        const auto k = clickKey(key);
        return k && front_.keyPress(*k, repeat, clock(time));
    }
    void keyRelease(const std::string& key, bool repeat, double time) {
        if (const auto k = clickKey(key)) front_.keyRelease(*k, repeat, clock(time));
    }

    /// Where the focus goes from `at` ("" for nowhere) on "tab", "backtab",
    /// "left", "right", "up" or "down"; null when it stays.
    val focusMove(int formNumber, const std::string& at, const std::string& key) {
        const auto form = formOf(formNumber);
        static const std::array<std::pair<const char*, app::FocusKey>, 6> kKeys{{
            {"tab", app::FocusKey::Tab},
            {"backtab", app::FocusKey::BackTab},
            {"left", app::FocusKey::Left},
            {"right", app::FocusKey::Right},
            {"up", app::FocusKey::Up},
            {"down", app::FocusKey::Down},
        }};
        const auto k =
            std::find_if(kKeys.begin(), kKeys.end(), [&](const auto& p) { return key == p.first; });
        if (!form || k == kKeys.end()) return val::null();
        return nameOrNull(front_.focusMove(*form, widgetOf(at), k->second));
    }
    val focusStart(int formNumber) {
        const auto form = formOf(formNumber);
        return form ? nameOrNull(front_.focusStart(*form)) : val::null();
    }
    val focusAfterChange(int formNumber, const std::string& at) {
        const auto form = formOf(formNumber);
        return form ? nameOrNull(front_.focusAfterChange(*form, widgetOf(at))) : val::null();
    }
    void focused(int formNumber, const std::string& at) {
        const auto form = formOf(formNumber);
        const auto w = widgetOf(at);
        if (form && w) front_.focused(*form, *w);
    }
    val gridStop(int formNumber) {
        const auto form = formOf(formNumber);
        return form ? nameOrNull(front_.gridStop(*form)) : val::null();
    }
    [[nodiscard]] bool ended() const { return game_.ended(); }
    [[nodiscard]] val message() const {
        const auto& m = game_.message();
        return m ? val(*m) : val::null();
    }

    /// Counts the screen objects a form has had: it changes when a screen is
    /// unloaded and created afresh, so the page builds a new panel. 0 while
    /// the form has no screen.
    int generation(int formNumber) {
        const auto form = formOf(formNumber);
        if (!form || game_.ended()) return 0;
        const ui::Screen* s = game_.screen(*form);
        auto& slot = slots_.at(static_cast<std::size_t>(ui::formIndex(*form)));
        if (s != slot.screen) {
            slot.screen = s;
            if (s != nullptr) slot.generation = ++generations_;
        }
        return s == nullptr ? 0 : slot.generation;
    }

    [[nodiscard]] bool visible(int formNumber) const {
        const ui::Screen* s = screen(formNumber);
        return s != nullptr && s->visible();
    }
    [[nodiscard]] int showCount(int formNumber) const {
        const ui::Screen* s = screen(formNumber);
        return s == nullptr ? 0 : s->showCount();
    }
    /// What a screen reader calls the screen's panel.
    [[nodiscard]] std::string windowName(int formNumber) const {
        const ui::Screen* s = screen(formNumber);
        return s == nullptr ? std::string() : s->windowName();
    }
    [[nodiscard]] bool helpAvailable() const { return front_.helpAvailable(); }
    /// What Enter or a double-click in the widget opens (a mailto: or web
    /// address), or "".
    [[nodiscard]] std::string link(int formNumber, const std::string& name) const {
        const ui::Screen* s = screen(formNumber);
        const auto w = widgetOf(name);
        return s == nullptr || !w ? std::string() : s->link(*w);
    }
    /// The screen's latest sentence for the screen reader, and how many it
    /// has had.
    [[nodiscard]] std::string announcement(int formNumber) const {
        const ui::Screen* s = screen(formNumber);
        return s == nullptr ? std::string() : s->announcement();
    }
    [[nodiscard]] double announcements(int formNumber) const {
        const ui::Screen* s = screen(formNumber);
        return s == nullptr ? 0 : static_cast<double>(s->announcements());
    }
    [[nodiscard]] double revision(int formNumber) const {
        const ui::Screen* s = screen(formNumber);
        return s == nullptr ? -1 : static_cast<double>(s->revision());
    }

    /// What every widget of the page's panel shows now, by widget name.
    [[nodiscard]] val widgets(int formNumber) const {
        const ui::Screen* s = screen(formNumber);
        if (s == nullptr) return val::null();
        const ui::ScreenSpec& screenLayout = s->layout();
        val out = val::object();
        for (const ui::WidgetSpec& w : screenLayout.widgets) {
            if (w.id.kind == ui::WidgetKind::Timer || !screenLayout.onWindow(w)) continue;
            val o = val::object();
            o.set("visible", s->widgetVisible(w.id));
            o.set("text", s->widgetText(w.id));
            o.set("picture", picture(s->widgetPicture(w.id)));
            o.set("name", s->accessibleName(w.id));
            o.set("description", s->accessibleDescription(w.id));
            const auto checked = s->widgetChecked(w.id);
            o.set("checked", checked ? val(*checked) : val::null());
            out.set(ui::widgetName(w.id), o);
        }
        return out;
    }

    /// Every field of the screen as the scenario runner reads them: name to
    /// a list of values.
    [[nodiscard]] val fields(int formNumber) const {
        const ui::Screen* s = screen(formNumber);
        if (s == nullptr) return val::null();
        val out = val::object();
        for (const ui::Field& f : s->fields()) {
            val values = val::array();
            for (const auto& v : f.values) values.call<void>("push", v);
            out.set(f.name, values);
        }
        return out;
    }

  private:
    static std::optional<app::ClickKey> clickKey(const std::string& key) {
        if (key == "space") return app::ClickKey::Space;
        if (key == "enter") return app::ClickKey::Enter;
        return std::nullopt;
    }
    static std::optional<ui::WidgetId> widgetOf(const std::string& name) {
        return name.empty() ? std::nullopt : ui::parseWidgetName(name);
    }

    struct Slot {
        const ui::Screen* screen = nullptr;
        int generation = 0;
    };

    [[nodiscard]] const ui::Screen* screen(int formNumber) const {
        const auto form = formOf(formNumber);
        if (!form || game_.ended()) return nullptr;
        return game_.screen(*form);
    }
    /// The page's clock as the game's: whole milliseconds, never negative,
    /// and never beyond what a double holds exactly (the game refuses a
    /// clock past its end; a cast from a larger double would be undefined).
    static ui::Millis clock(double now) {
        constexpr double kLargest = 9007199254740992.0;  // 2^53
        if (!(now > 0)) return 0;
        return static_cast<ui::Millis>(now < kLargest ? now : kLargest);
    }

    app::FrontEnd front_;
    const app::Game& game_ = front_.game();
    std::array<Slot, ui::kFormCount> slots_{};
    int generations_ = 0;
};

std::string title() { return ui::translate("Game", ui::kApplicationTitle); }

/// The player's language, as the page read it from the catalogue it
/// fetched: each entry once, before the game starts. Without entries every
/// text stays Japanese.
std::map<std::string, std::string, std::less<>>& translations() {
    static std::map<std::string, std::string, std::less<>> entries;
    return entries;
}

std::string catalogueKey(std::string_view context, std::string_view source) {
    std::string key(context);
    key += '\x04';
    key += source;
    return key;
}

void addTranslation(const std::string& context, const std::string& source,
                    const std::string& translation) {
    if (translation.empty()) return;
    auto& entries = translations();
    const bool first = entries.empty();
    entries[catalogueKey(context, source)] = translation;
    if (!first) return;
    ui::setCatalogue(
        [](const char* context, std::string_view source) -> std::optional<std::string> {
            const auto& known = translations();
            const auto at = known.find(catalogueKey(context, source));
            if (at == known.end()) return std::nullopt;
            return at->second;
        });
}

/// The help, "遊び方", in the player's language: {kind, text} in reading
/// order, kind "heading", "paragraph" or "item".
val help() {
    val out = val::array();
    for (const app::HelpEntry& entry : app::helpText()) {
        val o = val::object();
        switch (entry.kind) {
            case app::HelpEntry::Kind::Heading:
                o.set("kind", std::string("heading"));
                break;
            case app::HelpEntry::Kind::Paragraph:
                o.set("kind", std::string("paragraph"));
                break;
            case app::HelpEntry::Kind::Item:
                o.set("kind", std::string("item"));
                break;
        }
        o.set("text", ui::translate("Help", entry.text));
        out.call<void>("push", o);
    }
    return out;
}

EMSCRIPTEN_BINDINGS(mironeka) {
    emscripten::constant("formCount", ui::kFormCount);
    emscripten::constant("textBoxLimit", static_cast<int>(ui::kTextBoxLimit));
    emscripten::function("title", &title);
    emscripten::function("layout", &layout);
    emscripten::function("addTranslation", &addTranslation);
    emscripten::function("help", &help);
    emscripten::class_<WebGame>("Game")
        .constructor<>()
        .function("act", &WebGame::act)
        .function("turn", &WebGame::turn)
        .function("wake", &WebGame::wake)
        .function("nextDeadline", &WebGame::nextDeadline)
        .function("keyPress", &WebGame::keyPress)
        .function("keyRelease", &WebGame::keyRelease)
        .function("focusMove", &WebGame::focusMove)
        .function("focusStart", &WebGame::focusStart)
        .function("focusAfterChange", &WebGame::focusAfterChange)
        .function("focused", &WebGame::focused)
        .function("gridStop", &WebGame::gridStop)
        .function("now", &WebGame::now)
        .function("ended", &WebGame::ended)
        .function("message", &WebGame::message)
        .function("generation", &WebGame::generation)
        .function("visible", &WebGame::visible)
        .function("showCount", &WebGame::showCount)
        .function("revision", &WebGame::revision)
        .function("windowName", &WebGame::windowName)
        .function("link", &WebGame::link)
        .function("helpAvailable", &WebGame::helpAvailable)
        .function("announcement", &WebGame::announcement)
        .function("announcements", &WebGame::announcements)
        .function("widgets", &WebGame::widgets)
        .function("fields", &WebGame::fields);
}

}  // namespace

}  // namespace mironeka::web
