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
    const WidgetSpec* spec = layout_.find(w);
    return spec != nullptr && visibleNow(w).value_or(spec->startsVisible);
}

std::string Screen::widgetText(WidgetId w) const {
    if (auto text = textNow(w)) return std::move(*text);
    const WidgetSpec* spec = layout_.find(w);
    return spec == nullptr ? std::string() : std::string(spec->text);
}

std::optional<Picture> Screen::widgetPicture(WidgetId w) const {
    if (auto picture = pictureNow(w)) return picture;
    const WidgetSpec* spec = layout_.find(w);
    return spec == nullptr ? std::nullopt : spec->picture;
}

std::string Screen::accessibleName(WidgetId w) const {
    const WidgetSpec* spec = layout_.find(w);
    if (spec == nullptr) return {};
    if (!spec->accessibleName.empty()) return std::string(spec->accessibleName);
    if (!spec->tooltip.empty()) return std::string(spec->tooltip);
    if (std::string text = widgetText(w); !text.empty()) return text;
    if (auto picture = widgetPicture(w)) return std::string(pictureLabel(*picture));
    return {};
}

bool Screen::reachable(WidgetId w) const {
    const WidgetSpec* spec = layout_.find(w);
    return spec != nullptr && layout_.onWindow(*spec) && widgetVisible(w);
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
    const WidgetSpec* spec = layout_.find({WidgetKind::Timer, number});
    const int interval = spec == nullptr ? 0 : spec->interval;
    timers_.push_back(std::make_unique<Timer>(loop_, std::move(handler), interval));
    return *timers_.back();
}

}  // namespace mironeka::ui
