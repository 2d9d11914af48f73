#include "app/front_end.h"

#include <algorithm>
#include <tuple>

#include "app/layouts.h"

namespace mironeka::app {

using ui::FormId;
using ui::WidgetId;
using ui::WidgetKind;

bool FrontEnd::act(const Action& action, ui::Millis now) {
    // The player acts on the world as it is now: ticks that fell due wait
    // for the alarm, but the clock is already there.
    game_.moveClockTo(now);
    return game_.act(action);
}

bool FrontEnd::turn(ui::Millis now) {
    armedFor_.reset();  // the alarm rang
    return game_.deliverNext(now);
}

Wake FrontEnd::wake(ui::Millis now) {
    const auto deadline = game_.ended() ? std::nullopt : game_.nextDeadline();
    if (!deadline) {
        armedFor_.reset();
        return {};
    }
    if (armedFor_ == deadline) return {Wake::Kind::Keep, 0};
    armedFor_ = deadline;
    // A long wait is cut short; the alarm then finds nothing due and waits again.
    constexpr ui::Millis kLongestWait = 1 << 30;
    return {Wake::Kind::Set, std::clamp<ui::Millis>(*deadline - now, 0, kLongestWait)};
}

bool FrontEnd::keyPress(ClickKey key, bool autoRepeat, std::optional<ui::Millis> time) {
    // A release and a press closer than this are a repeat the system didn't flag.
    constexpr ui::Millis kRepeatGap = 10;
    const auto& released = released_.at(static_cast<std::size_t>(key));
    const bool unflaggedRepeat =
        released && time && *time >= *released && *time - *released < kRepeatGap;
    return !autoRepeat && !unflaggedRepeat;
}

void FrontEnd::keyRelease(ClickKey key, bool autoRepeat, std::optional<ui::Millis> time) {
    if (!autoRepeat) released_.at(static_cast<std::size_t>(key)) = time;
}

std::pair<const ui::Screen*, FrontEnd::Ring*> FrontEnd::ring(FormId form) {
    const ui::Screen* screen = game_.ended() ? nullptr : game_.screen(form);
    if (screen == nullptr) return {nullptr, nullptr};
    Ring& r = rings_.at(static_cast<std::size_t>(ui::formIndex(form)));
    if (r.screen != screen) r = Ring{screen};
    return {screen, &r};
}

namespace {

std::optional<std::size_t> tileIndex(const ui::ScreenSpec& layout, WidgetId w) {
    const auto it = std::find(layout.grid.begin(), layout.grid.end(), w);
    if (it == layout.grid.end()) return std::nullopt;
    return static_cast<std::size_t>(it - layout.grid.begin());
}

bool takesFocus(const ui::ScreenSpec& layout, WidgetId w) {
    return w.kind == WidgetKind::Command || w.kind == WidgetKind::Text ||
           tileIndex(layout, w).has_value();
}

}  // namespace

std::vector<WidgetId> FrontEnd::controlOrder(const ui::ScreenSpec& layout) {
    struct Place {
        int top;
        int left;
        WidgetId id;
    };
    std::vector<Place> found;
    for (const ui::WidgetSpec& w : layout.widgets) {
        if (!takesFocus(layout, w.id) || !layout.onWindow(w)) continue;
        const auto tile = tileIndex(layout, w.id);
        if (tile && *tile != 0) continue;  // the grid comes whole, at its first tile
        found.push_back({w.box.top, w.box.left, w.id});
    }
    std::stable_sort(found.begin(), found.end(), [](const Place& a, const Place& b) {
        return std::tie(a.top, a.left) < std::tie(b.top, b.left);
    });
    std::vector<WidgetId> out;
    for (const Place& p : found) {
        if (tileIndex(layout, p.id)) {
            out.insert(out.end(), layout.grid.begin(), layout.grid.end());
        } else {
            out.push_back(p.id);
        }
    }
    return out;
}

std::vector<WidgetId> FrontEnd::stops(const ui::Screen& screen, const Ring& r) const {
    const ui::ScreenSpec& layout = screen.layout();
    std::vector<WidgetId> out;
    for (const WidgetId w : controlOrder(layout)) {
        if (!screen.reachable(w)) continue;
        // The grid is one stop, answered by its current tile.
        if (const auto tile = tileIndex(layout, w)) {
            if (*tile == 0) out.push_back(layout.grid[r.gridStop]);
            continue;
        }
        out.push_back(w);
    }
    return out;
}

std::optional<WidgetId> FrontEnd::gridStop(FormId form) {
    auto [screen, r] = ring(form);
    if (screen == nullptr || screen->layout().grid.empty()) return std::nullopt;
    return screen->layout().grid[r->gridStop];
}

std::optional<WidgetId> FrontEnd::focusStart(FormId form) {
    auto [screen, r] = ring(form);
    if (screen == nullptr) return std::nullopt;
    for (const WidgetId w : screen->layout().firstFocus) {
        if (!screen->reachable(w)) continue;
        if (const auto tile = tileIndex(screen->layout(), w)) r->gridStop = *tile;
        return w;
    }
    return std::nullopt;
}

void FrontEnd::focused(FormId form, WidgetId w) {
    auto [screen, r] = ring(form);
    if (screen == nullptr) return;
    if (const auto tile = tileIndex(screen->layout(), w)) r->gridStop = *tile;
}

std::optional<WidgetId> FrontEnd::focusMove(FormId form, std::optional<WidgetId> at, FocusKey key) {
    auto [screen, r] = ring(form);
    if (screen == nullptr) return std::nullopt;
    if (at) focused(form, *at);
    if (key != FocusKey::Tab && key != FocusKey::BackTab) {
        if (!at) return std::nullopt;
        return arrow(*screen, *r, *at, key);
    }
    const auto list = stops(*screen, *r);
    if (list.empty()) return std::nullopt;
    const bool back = key == FocusKey::BackTab;
    const auto here = at ? std::find(list.begin(), list.end(), *at) : list.end();
    if (here == list.end()) return back ? list.back() : list.front();
    const auto n = static_cast<std::ptrdiff_t>(list.size());
    const std::ptrdiff_t i = here - list.begin();
    return list[static_cast<std::size_t>((i + (back ? n - 1 : 1)) % n)];
}

std::optional<WidgetId> FrontEnd::arrow(const ui::Screen& screen, Ring& r, WidgetId at,
                                        FocusKey key) const {
    const ui::ScreenSpec& layout = screen.layout();
    const auto from = tileIndex(layout, at);
    if (!from || layout.gridColumns <= 0) return std::nullopt;
    const auto columns = static_cast<std::size_t>(layout.gridColumns);
    const std::size_t count = layout.grid.size();
    const std::size_t row = *from / columns;
    const std::size_t column = *from % columns;
    std::size_t to = *from;
    // No wrapping: the arrows stop at the grid's edges.
    if (key == FocusKey::Left && column > 0) to = *from - 1;
    if (key == FocusKey::Right && column + 1 < columns && *from + 1 < count) to = *from + 1;
    if (key == FocusKey::Up && row > 0) to = *from - columns;
    if (key == FocusKey::Down && *from + columns < count) to = *from + columns;
    if (to == *from || !screen.reachable(layout.grid[to])) return std::nullopt;
    r.gridStop = to;
    return layout.grid[to];
}

std::optional<WidgetId> FrontEnd::focusAfterChange(FormId form, std::optional<WidgetId> at) {
    auto [screen, r] = ring(form);
    if (screen == nullptr) return std::nullopt;
    if (at && takesFocus(screen->layout(), *at) && screen->reachable(*at)) return at;
    return focusStart(form);
}

}  // namespace mironeka::app
