#include "ui/event_loop.h"

#include <algorithm>

namespace mironeka::ui {

EventLoop::TimerId EventLoop::addTimer(Handler handler) {
    const TimerId id = nextId_++;
    timers_.emplace(id, Entry{std::move(handler)});
    return id;
}

void EventLoop::removeTimer(TimerId id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    const Entry& e = it->second;
    if (e.interval > 0) queue_.erase(Due{e.deadline, e.order, id});
    timers_.erase(it);
}

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
    if (e == nullptr || halted_) return;
    if (e->interval > 0) queue_.erase(Due{e->deadline, e->order, id});
    if (ms <= 0) {
        e->interval = 0;
        return;
    }
    // now_ <= kClockEnd, so the deadline always fits.
    e->interval = ms;
    e->deadline = now_ + ms;
    e->order = nextOrder_++;
    queue_.insert(Due{e->deadline, e->order, id});
}

int EventLoop::interval(TimerId id) const {
    const Entry* e = find(id);
    return e == nullptr ? 0 : e->interval;
}

std::optional<Millis> EventLoop::nextDeadline() const {
    if (halted_ || queue_.empty()) return std::nullopt;
    return queue_.begin()->deadline;
}

bool EventLoop::deliverFirst(Millis limit) {
    if (halted_ || queue_.empty() || queue_.begin()->deadline > limit) return false;
    auto node = queue_.extract(queue_.begin());
    Entry& e = timers_.at(node.value().id);
    now_ = std::max(now_, e.deadline);
    // The next tick of a periodic timer is set before its handler runs, so
    // the handler may restart or stop it as it likes.
    e.deadline = now_ + e.interval;
    e.order = nextOrder_++;
    node.value().deadline = e.deadline;
    node.value().order = e.order;
    queue_.insert(std::move(node));
    // The handler may remove its own timer (its screen unloaded), so it
    // runs from a copy.
    Handler handler = e.handler;
    handler();
    if (afterTick_) afterTick_();
    return true;
}

bool EventLoop::advanceTo(Millis t) {
    if (t > kClockEnd) return false;
    while (deliverFirst(t)) {
    }
    if (!halted_ && t > now_) now_ = t;
    return true;
}

bool EventLoop::advanceBy(Millis ms) {
    if (ms < 0 || ms > kClockEnd - now_) return false;
    return advanceTo(now_ + ms);
}

bool EventLoop::moveClockTo(Millis t) {
    if (t > kClockEnd) return false;
    if (!halted_ && t > now_) now_ = t;
    return true;
}

bool EventLoop::deliverNext(Millis t) { return moveClockTo(t) && deliverFirst(now_); }

void EventLoop::halt() {
    halted_ = true;
    queue_.clear();
    for (auto& [id, e] : timers_) e.interval = 0;
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
