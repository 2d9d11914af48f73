#include "ui/event_loop.h"

#include <tuple>

namespace mironeka::ui {

EventLoop::TimerId EventLoop::addTimer(Handler handler) {
    const TimerId id = nextId_++;
    timers_.emplace(id, Entry{std::move(handler)});
    return id;
}

void EventLoop::removeTimer(TimerId id) { timers_.erase(id); }

EventLoop::Entry* EventLoop::find(TimerId id) {
    auto it = timers_.find(id);
    return it == timers_.end() ? nullptr : &it->second;
}

const EventLoop::Entry* EventLoop::find(TimerId id) const {
    auto it = timers_.find(id);
    return it == timers_.end() ? nullptr : &it->second;
}

void EventLoop::setInterval(TimerId id, int ms) {
    Entry* e = find(id);
    if (e == nullptr) return;
    if (ms <= 0) {
        e->interval = 0;
        return;
    }
    e->interval = ms;
    e->deadline = now_ + ms;
    e->order = nextOrder_++;
}

int EventLoop::interval(TimerId id) const {
    const Entry* e = find(id);
    return e == nullptr ? 0 : e->interval;
}

std::map<EventLoop::TimerId, EventLoop::Entry>::iterator EventLoop::nextDue(Millis limit) {
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        const Entry& e = it->second;
        if (e.interval <= 0 || e.deadline > limit) continue;
        if (best == timers_.end() ||
            std::tie(e.deadline, e.order) < std::tie(best->second.deadline, best->second.order)) {
            best = it;
        }
    }
    return best;
}

std::optional<Millis> EventLoop::nextDeadline() const {
    std::optional<Millis> next;
    if (halted_) return next;
    for (const auto& [id, e] : timers_) {
        if (e.interval > 0 && (!next || e.deadline < *next)) next = e.deadline;
    }
    return next;
}

void EventLoop::advanceTo(Millis t) {
    while (!halted_) {
        auto it = nextDue(t);
        if (it == timers_.end()) break;
        Entry& e = it->second;
        if (e.deadline > now_) now_ = e.deadline;
        // The next tick of a periodic timer is set before its handler runs,
        // so the handler may restart or stop it as it likes.
        e.deadline += e.interval;
        e.order = nextOrder_++;
        // The handler may remove its own timer (its screen unloaded), so it
        // runs from a copy.
        Handler handler = e.handler;
        handler();
        if (afterTick_) afterTick_();
    }
    if (!halted_ && t > now_) now_ = t;
}

void EventLoop::halt() {
    halted_ = true;
    timers_.clear();
}

Timer::Timer(EventLoop& loop, EventLoop::Handler handler, int interval)
    : loop_(loop), id_(loop.addTimer(std::move(handler))) {
    if (interval > 0) loop_.setInterval(id_, interval);
}

Timer::~Timer() { disable(); }

void Timer::setInterval(int ms) {
    if (id_ != 0) loop_.setInterval(id_, ms);
}

int Timer::interval() const { return id_ == 0 ? 0 : loop_.interval(id_); }

void Timer::disable() {
    if (id_ != 0) loop_.removeTimer(id_);
    id_ = 0;
}

}  // namespace mironeka::ui
