#include "ui/screen.h"

namespace mironeka::ui {

Screen::Screen(const ScreenSpec& layout, ScreenHost& host, EventLoop& loop)
    : layout_(layout), host_(host), loop_(loop) {}

void Screen::markShown() {
    visible_ = true;
    ++showCount_;
    changed();
}

void Screen::hide() {
    if (visible_) changed();
    visible_ = false;
}

bool Screen::widgetVisible(WidgetId w) const {
    const WidgetSpec* entry = layout_.find(w);
    return entry != nullptr && visibleNow(w).value_or(entry->startsVisible);
}

std::string Screen::widgetText(WidgetId w) const {
    if (auto text = textNow(w)) return std::move(*text);
    const WidgetSpec* entry = layout_.find(w);
    return entry == nullptr ? std::string() : translate("Game", entry->text);
}

std::optional<Picture> Screen::widgetPicture(WidgetId w) const {
    if (auto picture = pictureNow(w)) return picture;
    const WidgetSpec* entry = layout_.find(w);
    return entry == nullptr ? std::nullopt : entry->picture;
}

std::string Screen::accessibleName(WidgetId w) const {
    const WidgetSpec* entry = layout_.find(w);
    if (entry == nullptr) return {};
    if (!entry->accessibleName.empty()) return translate("Game", entry->accessibleName);
    if (!entry->tooltip.empty()) return translate("Game", entry->tooltip);
    if (std::string text = widgetText(w); !text.empty()) return text;
    if (auto picture = widgetPicture(w)) return translate("Game", pictureLabel(*picture));
    return {};
}

bool Screen::reachable(WidgetId w) const {
    const WidgetSpec* entry = layout_.find(w);
    return entry != nullptr && layout_.onWindow(*entry) && widgetVisible(w);
}

std::vector<Field> Screen::fields() const {
    std::vector<Field> out;
    out.reserve(layout_.fields.size());
    for (const auto& f : layout_.fields) out.push_back({std::string(f.name), f.read(*this)});
    return out;
}

void Screen::disableTimers() {
    for (auto& t : timers_) t->disable();
}

Timer& Screen::addTimer(int number, EventLoop::Handler handler) {
    const WidgetSpec* entry = layout_.find({WidgetKind::Timer, number});
    const int interval = entry == nullptr ? 0 : entry->interval;
    timers_.push_back(std::make_unique<Timer>(loop_, std::move(handler), interval));
    return *timers_.back();
}

}  // namespace mironeka::ui
