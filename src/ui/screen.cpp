#include "ui/screen.h"

namespace mironeka::ui {

Screen::Screen(FormId form, ScreenHost& host, EventLoop& loop)
    : form_(form), host_(host), loop_(loop) {}

void Screen::disableTimers() {
    for (auto& t : timers_) t->disable();
}

Timer& Screen::addTimer(EventLoop::Handler handler, int interval) {
    timers_.push_back(std::make_unique<Timer>(loop_, std::move(handler), interval));
    return *timers_.back();
}

}  // namespace mironeka::ui
