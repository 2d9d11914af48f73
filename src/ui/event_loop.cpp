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
    if (it->second.interval > 0) --armed_;
    timers_.erase(it);
    prune();
}

EventLoop::Entry* EventLoop::find(TimerId id) {
    auto it = timers_.find(id);
    return it == timers_.end() ? nullptr : &it->second;
}

const EventLoop::Entry* EventLoop::find(TimerId id) const {
    auto it = timers_.find(id);
    return it == timers_.end() ? nullptr : &it->second;
}

bool EventLoop::live(const Due& due) const {
    const Entry* e = find(due.id);
    return e != nullptr && e->interval > 0 && e->order == due.order;
}

void EventLoop::arm(TimerId id, Entry& e, Millis deadline) {
    e.deadline = deadline;
    e.order = nextOrder_++;  // any older heap entry of this timer is stale from now on
    queue_.push_back(Due{e.deadline, e.order, id});
    std::push_heap(queue_.begin(), queue_.end());
}

void EventLoop::prune() {
    constexpr std::size_t kSlack = 64;
    if (queue_.size() > 2 * armed_ + kSlack) {
        std::erase_if(queue_, [this](const Due& due) { return !live(due); });
        std::make_heap(queue_.begin(), queue_.end());
        return;
    }
    while (!queue_.empty() && !live(queue_.front())) {
        std::pop_heap(queue_.begin(), queue_.end());
        queue_.pop_back();
    }
}

void EventLoop::setInterval(TimerId id, int ms) {
    Entry* e = find(id);
    if (e == nullptr || halted_) return;
    if (e->interval > 0) --armed_;
    e->interval = std::max(ms, 0);
    if (ms > 0) {
        ++armed_;
        arm(id, *e, now_ + ms);  // now_ <= kClockEnd, so the deadline always fits
    }
    prune();
}

int EventLoop::interval(TimerId id) const {
    const Entry* e = find(id);
    return e == nullptr ? 0 : e->interval;
}

std::optional<Millis> EventLoop::nextDeadline() const {
    if (halted_ || queue_.empty()) return std::nullopt;
    return queue_.front().deadline;
}

bool EventLoop::deliverFirst(Millis limit) {
    if (halted_ || queue_.empty() || queue_.front().deadline > limit) return false;
    const TimerId id = queue_.front().id;
    std::pop_heap(queue_.begin(), queue_.end());
    queue_.pop_back();
    Entry& e = timers_.at(id);
    now_ = std::max(now_, e.deadline);
    // The next tick of a periodic timer is set before its handler runs, so
    // the handler may restart or stop it as it likes.
    arm(id, e, now_ + e.interval);
    prune();
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
    armed_ = 0;
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
