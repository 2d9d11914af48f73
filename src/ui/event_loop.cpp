#include "ui/event_loop.h"

#include <algorithm>
#include <utility>

namespace mironeka::ui {

// A timer id is its slot's number plus one in the low 32 bits and the
// slot's generation above them, so the id of a removed timer never finds
// the timer that reuses its slot.
EventLoop::TimerId EventLoop::addTimer(Handler handler) {
    std::uint32_t index = 0;
    if (freeSlots_.empty()) {
        index = static_cast<std::uint32_t>(slots_.size());
        slots_.emplace_back();
    } else {
        index = freeSlots_.back();
        freeSlots_.pop_back();
    }
    Slot& slot = slots_[index];
    slot.used = true;
    slot.entry = Entry{std::move(handler)};
    ++timerCount_;
    return (TimerId{slot.generation} << 32) | (index + 1);
}

void EventLoop::removeTimer(TimerId id) {
    Entry* e = find(id);
    if (e == nullptr) return;
    if (e->interval > 0) --armed_;
    const bool onTop = !queue_.empty() && queue_.front().id == id;
    const auto index = static_cast<std::uint32_t>((id & 0xFFFF'FFFF) - 1);
    Slot& slot = slots_[index];
    slot.entry = Entry{};
    slot.used = false;
    ++slot.generation;
    freeSlots_.push_back(index);
    --timerCount_;
    prune(onTop);
}

EventLoop::Entry* EventLoop::find(TimerId id) {
    return const_cast<Entry*>(std::as_const(*this).find(id));
}

const EventLoop::Entry* EventLoop::find(TimerId id) const {
    const std::uint64_t number = id & 0xFFFF'FFFF;
    if (number == 0 || number > slots_.size()) return nullptr;
    const Slot& slot = slots_[static_cast<std::size_t>(number - 1)];
    return slot.used && slot.generation == id >> 32 ? &slot.entry : nullptr;
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

void EventLoop::prune(bool topMayBeStale) {
    constexpr std::size_t kSlack = 64;
    if (queue_.size() > 2 * armed_ + kSlack) {
        std::erase_if(queue_, [this](const Due& due) { return !live(due); });
        std::make_heap(queue_.begin(), queue_.end());
        return;
    }
    if (!topMayBeStale) return;
    while (!queue_.empty() && !live(queue_.front())) {
        std::pop_heap(queue_.begin(), queue_.end());
        queue_.pop_back();
    }
}

void EventLoop::setInterval(TimerId id, int ms) {
    Entry* e = find(id);
    if (e == nullptr || halted_) return;
    if (e->interval > 0) --armed_;
    const bool onTop = !queue_.empty() && queue_.front().id == id;
    e->interval = std::max(ms, 0);
    if (ms > 0) {
        ++armed_;
        arm(id, *e, now_ + ms);  // now_ <= kClockEnd, so the deadline always fits
    }
    prune(onTop);
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
    prune(true);
    Entry& e = *find(id);  // the top is always live
    now_ = std::max(now_, e.deadline);
    // The next tick of a periodic timer is set before its handler runs, so
    // the handler may restart or stop it as it likes. It joins the heap only
    // after the handler, and only if the handler left it alone: most
    // handlers stop or restart their own timer.
    e.deadline = now_ + e.interval;
    const std::uint64_t order = e.order = nextOrder_++;
    // The handler may remove its own timer (its screen unloaded), so it
    // runs from a copy.
    Handler handler = e.handler;
    handler();
    const Entry* after = find(id);
    if (!halted_ && after != nullptr && after->interval > 0 && after->order == order) {
        queue_.push_back(Due{after->deadline, order, id});
        std::push_heap(queue_.begin(), queue_.end());
    }
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
    for (auto& slot : slots_) slot.entry.interval = 0;
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
