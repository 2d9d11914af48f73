#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace mironeka::ui {

/// Milliseconds since program start on the game's own clock.
using Millis = std::int64_t;

/// The game's single-threaded event loop and its timers, on a clock that is
/// moved forward from outside (a virtual clock in tests, real time in the
/// Qt front end).
///
/// Timer rules:
/// - an interval n > 0 arms the timer: it fires n ms after the assignment and
///   then every n ms; a new nonzero interval restarts the wait from now;
/// - interval 0 stops it and drops a tick that has not been delivered;
/// - at most one tick per timer is ever pending: a late tick is delivered
///   once, and the timer's next tick is a whole interval after that delivery;
/// - ticks are delivered one at a time in time order, ties in the order in
///   which their deadlines were set; a handler always runs to its end before
///   the next tick, so a timer armed inside a handler fires after it returns.
///
/// Only armed timers are queued, in a binary heap ordered by (deadline,
/// arming order): a tick or an arming costs O(log armed timers), however many
/// idle timers exist. Stopping or re-arming a timer leaves its old heap entry
/// behind as stale; stale entries are dropped when they reach the top, and
/// the heap is compacted when they outnumber the live ones.
///
/// The clock runs from 0 to `kClockEnd`. That end lies the longest possible
/// interval short of the type's range, so a timer armed at any time the clock
/// can reach has a deadline that fits; a move of the clock past the end is
/// refused and changes nothing.
class EventLoop {
  public:
    using TimerId = std::uint64_t;
    using Handler = std::function<void()>;

    static constexpr Millis kClockEnd =
        std::numeric_limits<Millis>::max() - std::numeric_limits<int>::max();

    EventLoop() = default;
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    TimerId addTimer(Handler handler);
    /// Removes the timer; its pending tick is dropped. Safe inside its own handler.
    void removeTimer(TimerId id);
    void setInterval(TimerId id, int ms);
    [[nodiscard]] int interval(TimerId id) const;

    [[nodiscard]] Millis now() const { return now_; }

    // The virtual clock: time moves from one tick to the next, every tick is
    // delivered exactly at its deadline.

    /// Delivers every tick due up to and including time t, then sets the
    /// clock to t. Time never runs backwards: an earlier t only delivers
    /// what is already due. False, changing nothing, when t is past kClockEnd.
    bool advanceTo(Millis t);
    /// advanceTo(now + ms); false, changing nothing, when ms is negative or
    /// would take the clock past kClockEnd.
    bool advanceBy(Millis ms);

    // Real time: the clock is read from outside and may have moved past
    // several deadlines at once.

    /// Moves the clock to t (never backwards) without delivering anything;
    /// ticks that fall due wait for deliverNext. False, changing nothing,
    /// when t is past kClockEnd.
    bool moveClockTo(Millis t);
    /// Moves the clock to t, then delivers the earliest due tick, if any:
    /// at most one per call. A periodic timer's next tick is then a whole
    /// interval after the clock, so a late tick is delivered once and nothing
    /// missed is replayed. True when a tick was delivered.
    bool deliverNext(Millis t);

    /// The earliest armed tick's deadline; it may already lie behind the
    /// clock in real time.
    [[nodiscard]] std::optional<Millis> nextDeadline() const;

    /// Stops all delivery for good (program end).
    void halt();
    [[nodiscard]] bool halted() const { return halted_; }

    /// Called after every delivered tick; the game uses it for its
    /// after-event bookkeeping.
    void setAfterTick(Handler hook) { afterTick_ = std::move(hook); }

    [[nodiscard]] std::size_t timerCount() const { return timerCount_; }
    [[nodiscard]] std::size_t armedCount() const { return armed_; }

  private:
    struct Entry {
        Handler handler;
        int interval = 0;
        Millis deadline = 0;
        std::uint64_t order = 0;  // when the deadline was set, for ties
    };
    struct Due {
        Millis deadline;
        std::uint64_t order;
        TimerId id;
        // The heap's order: the earliest deadline, then the earliest arming, on top.
        bool operator<(const Due& o) const {
            return deadline != o.deadline ? deadline > o.deadline : order > o.order;
        }
    };

    Entry* find(TimerId id);
    const Entry* find(TimerId id) const;
    void arm(TimerId id, Entry& e, Millis deadline);
    /// True when the heap entry still stands for its timer's armed tick.
    [[nodiscard]] bool live(const Due& due) const;
    /// Drops stale entries from the top (only needed when the top may have
    /// gone stale), and all of them when they pile up.
    void prune(bool topMayBeStale);
    /// Delivers the earliest tick if it is due by `limit`.
    bool deliverFirst(Millis limit);

    struct Slot {
        Entry entry;
        std::uint32_t generation = 0;
        bool used = false;
    };

    std::vector<Slot> slots_;  // the timers, by id; a removed timer's slot is reused
    std::vector<std::uint32_t> freeSlots_;
    std::size_t timerCount_ = 0;
    std::vector<Due> queue_;  // heap of armed ticks; its top is always live
    std::size_t armed_ = 0;   // timers with an interval > 0
    std::uint64_t nextOrder_ = 1;
    Millis now_ = 0;
    bool halted_ = false;
    Handler afterTick_;
};

/// A timer owned by a screen: removed from the loop when it is destroyed or
/// disabled. A disabled timer ignores every later interval assignment, so a
/// screen that has been unloaded can never start ticking again.
class Timer {
  public:
    Timer(EventLoop& loop, EventLoop::Handler handler, int interval = 0);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void setInterval(int ms);
    [[nodiscard]] int interval() const;
    void start() { setInterval(1); }  // the one-tick deferred call
    void stop() { setInterval(0); }
    void disable();

  private:
    EventLoop& loop_;
    EventLoop::TimerId id_ = 0;  // 0 once disabled
};

}  // namespace mironeka::ui
