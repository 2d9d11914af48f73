#include "ui/event_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace mironeka::ui {
namespace {

class EventLoopTest : public ::testing::Test {
  protected:
    EventLoop loop;
    std::vector<std::string> log;

    Timer& timer(const std::string& name, int interval = 0) {
        owned.push_back(std::make_unique<Timer>(
            loop, [this, name] { log.push_back(name + "@" + std::to_string(loop.now())); },
            interval));
        return *owned.back();
    }
    std::vector<std::unique_ptr<Timer>> owned;
};

TEST_F(EventLoopTest, PeriodicTimerFiresEveryIntervalUntilStopped) {
    Timer& t = timer("t", 100);
    loop.advanceTo(350);
    EXPECT_EQ(log, (std::vector<std::string>{"t@100", "t@200", "t@300"}));
    t.stop();
    loop.advanceTo(1000);
    EXPECT_EQ(log.size(), 3u);
    EXPECT_EQ(loop.now(), 1000);
}

TEST_F(EventLoopTest, NewNonzeroIntervalRestartsTheWait) {
    Timer& t = timer("t", 100);
    loop.advanceTo(80);
    t.setInterval(100);  // restarted at 80
    loop.advanceTo(179);
    EXPECT_TRUE(log.empty());
    loop.advanceTo(180);
    EXPECT_EQ(log, (std::vector<std::string>{"t@180"}));
}

TEST_F(EventLoopTest, StoppingDropsTheUndeliveredTick) {
    Timer& t = timer("t", 10);
    loop.advanceTo(5);
    t.stop();
    t.stop();  // stopping a stopped timer does nothing
    loop.advanceTo(100);
    EXPECT_TRUE(log.empty());
}

TEST_F(EventLoopTest, ArmingTwiceBeforeTheTickGivesOneRun) {
    int runs = 0;
    Timer* self = nullptr;
    Timer t(loop, [&] {
        ++runs;
        self->stop();
    });
    self = &t;
    t.start();
    t.start();
    loop.advanceTo(50);
    EXPECT_EQ(runs, 1);
}

TEST_F(EventLoopTest, TimerArmedInsideAHandlerFiresAfterItReturns) {
    std::vector<std::string> order;
    Timer* deferred = nullptr;
    Timer second(loop, [&] {
        order.push_back("deferred");
        deferred->stop();
    });
    deferred = &second;
    Timer first(
        loop,
        [&] {
            second.start();
            order.push_back("arming handler ends");
        },
        5);
    loop.advanceTo(5);
    EXPECT_EQ(order, (std::vector<std::string>{"arming handler ends"}));
    loop.advanceTo(6);
    EXPECT_EQ(order, (std::vector<std::string>{"arming handler ends", "deferred"}));
    first.stop();
}

TEST_F(EventLoopTest, TicksComeInTimeOrderAndTiesInArmingOrder) {
    timer("late", 30);
    timer("b", 20);
    timer("a", 20);
    loop.advanceTo(30);
    EXPECT_EQ(log, (std::vector<std::string>{"b@20", "a@20", "late@30"}));
}

TEST_F(EventLoopTest, RemovedTimerNeverFiresAndMaySafelyRemoveItselfInItsHandler) {
    auto t = std::make_unique<Timer>(
        loop, [] {}, 10);
    int runs = 0;
    std::unique_ptr<Timer> self;
    self = std::make_unique<Timer>(
        loop,
        [&] {
            ++runs;
            self.reset();  // the owner goes away inside its own tick
        },
        10);
    t.reset();
    loop.advanceTo(100);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(loop.timerCount(), 0u);
}

TEST_F(EventLoopTest, DisabledTimerIgnoresLaterArming) {
    Timer& t = timer("t");
    t.disable();
    t.start();
    loop.advanceTo(10);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(t.interval(), 0);
}

TEST_F(EventLoopTest, HaltStopsDeliveryInTheMiddleOfAnAdvance) {
    Timer stopper(
        loop, [&] { loop.halt(); }, 10);
    timer("after", 20);
    loop.advanceTo(100);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(loop.halted());
    EXPECT_FALSE(loop.nextDeadline().has_value());
}

TEST_F(EventLoopTest, NextDeadlineIsTheEarliestArmedTick) {
    EXPECT_FALSE(loop.nextDeadline().has_value());
    timer("a", 300);
    Timer& b = timer("b", 70);
    Timer& c = timer("c", 50);
    timer("idle");
    EXPECT_EQ(loop.nextDeadline(), 50);
    c.disable();
    EXPECT_EQ(loop.nextDeadline(), 70);
    b.stop();
    EXPECT_EQ(loop.nextDeadline(), 300);
}

TEST_F(EventLoopTest, ATimerReArmedOverAndOverStillTicksOnceAtItsLastDeadline) {
    Timer& t = timer("t");
    Timer& other = timer("other", 50);
    for (int i = 0; i <= 100'000; ++i) {
        t.setInterval(1 + i % 97);
        if (i % 3 == 0) t.stop();
    }
    other.stop();
    const int last = t.interval();
    loop.advanceTo(last);
    EXPECT_EQ(log, (std::vector<std::string>{"t@" + std::to_string(last)}));
    EXPECT_EQ(loop.armedCount(), 1u);
}

TEST(EventLoopIds, TheIdOfARemovedTimerNeverReachesTheTimerAfterIt) {
    EventLoop loop;
    int runs = 0;
    const auto gone = loop.addTimer([] {});
    loop.setInterval(gone, 5);
    loop.removeTimer(gone);
    const auto next = loop.addTimer([&] { ++runs; });
    EXPECT_NE(next, gone);
    loop.setInterval(gone, 1);
    loop.removeTimer(gone);
    EXPECT_EQ(loop.interval(gone), 0);
    EXPECT_EQ(loop.timerCount(), 1u);
    EXPECT_FALSE(loop.nextDeadline().has_value());
    loop.setInterval(next, 10);
    loop.advanceTo(10);
    EXPECT_EQ(runs, 1);
}

// --- Real time ---------------------------------------------------------------

TEST_F(EventLoopTest, DeliverNextGivesOnlyTheEarliestDueTick) {
    timer("a", 10);
    timer("b", 10);
    timer("c", 5);
    timer("later", 500);
    EXPECT_TRUE(loop.deliverNext(100));
    EXPECT_EQ(log, (std::vector<std::string>{"c@100"}));
    EXPECT_TRUE(loop.deliverNext(100));
    EXPECT_TRUE(loop.deliverNext(100));
    EXPECT_FALSE(loop.deliverNext(100));  // each has had its one late tick
    EXPECT_EQ(log, (std::vector<std::string>{"c@100", "a@100", "b@100"}));
    EXPECT_EQ(loop.nextDeadline(), 105);
}

TEST_F(EventLoopTest, AfterAStallALateTickComesOnceThenAWholeIntervalLater) {
    timer("t", 100);
    EXPECT_TRUE(loop.deliverNext(350));
    EXPECT_FALSE(loop.deliverNext(350));
    EXPECT_FALSE(loop.deliverNext(449));
    EXPECT_TRUE(loop.deliverNext(450));
    EXPECT_EQ(log, (std::vector<std::string>{"t@350", "t@450"}));
}

TEST_F(EventLoopTest, MovingTheClockDeliversNothingAndArmsFromTheNewTime) {
    Timer& t = timer("t", 10);
    EXPECT_TRUE(loop.moveClockTo(50));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(loop.nextDeadline(), 10);  // overdue, waiting for delivery
    timer("armed at 50", 1);
    t.stop();
    EXPECT_TRUE(loop.moveClockTo(20));  // never backwards
    EXPECT_EQ(loop.now(), 50);
    EXPECT_TRUE(loop.deliverNext(60));
    EXPECT_EQ(log, (std::vector<std::string>{"armed at 50@60"}));
}

// A chain of deferred calls started by a periodic timer, another periodic
// timer and one that restarts itself, up to time 100: on the virtual clock,
// or delivered one tick at a time with the clock read exactly at each
// deadline.
std::vector<std::string> playChains(bool oneTickAtATime) {
    EventLoop loop;
    std::vector<std::string> log;
    auto note = [&](const char* name) {
        log.push_back(std::string(name) + "@" + std::to_string(loop.now()));
    };
    int steps = 0;
    Timer* chain = nullptr;
    Timer* restarting = nullptr;
    Timer step(loop, [&] {
        note("step");
        if (++steps % 13 == 0) chain->stop();
    });
    chain = &step;
    Timer board(
        loop,
        [&] {
            note("board");
            chain->start();
        },
        30);
    Timer code(
        loop, [&] { note("code"); }, 3);
    Timer restart(
        loop,
        [&] {
            note("restart");
            restarting->setInterval(5);
        },
        4);
    restarting = &restart;
    constexpr Millis kEnd = 100;
    if (oneTickAtATime) {
        for (auto d = loop.nextDeadline(); d && *d <= kEnd; d = loop.nextDeadline()) {
            EXPECT_TRUE(loop.deliverNext(*d));
        }
        loop.moveClockTo(kEnd);
    } else {
        loop.advanceTo(kEnd);
    }
    EXPECT_EQ(loop.now(), kEnd);
    return log;
}

TEST(EventLoopClocks, OneTickAtATimeOnTheDeadlinesGivesWhatTheVirtualClockGives) {
    const auto onVirtualClock = playChains(false);
    EXPECT_EQ(std::count(onVirtualClock.begin(), onVirtualClock.end(), "step@31"), 1);
    EXPECT_EQ(playChains(true), onVirtualClock);
}

// --- The clock's range -------------------------------------------------------

TEST_F(EventLoopTest, AdvancesPastTheClockEndAreRefusedAndChangeNothing) {
    timer("t", 10);
    loop.advanceTo(5);
    constexpr Millis kMax = std::numeric_limits<Millis>::max();
    EXPECT_FALSE(loop.advanceBy(kMax));
    EXPECT_FALSE(loop.advanceBy(EventLoop::kClockEnd));  // 5 + end
    EXPECT_FALSE(loop.advanceBy(-1));
    EXPECT_FALSE(loop.advanceTo(EventLoop::kClockEnd + 1));
    EXPECT_FALSE(loop.moveClockTo(kMax));
    EXPECT_FALSE(loop.deliverNext(kMax));
    EXPECT_EQ(loop.now(), 5);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(loop.advanceBy(5));  // the tick is still there
    EXPECT_EQ(log, (std::vector<std::string>{"t@10"}));
}

TEST_F(EventLoopTest, AtTheClockEndEveryIntervalStillFits) {
    int runs = 0;
    Timer* self = nullptr;
    Timer once(
        loop,
        [&] {
            ++runs;
            self->stop();
        },
        1000);
    self = &once;
    EXPECT_TRUE(loop.advanceTo(EventLoop::kClockEnd));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(loop.now(), EventLoop::kClockEnd);
    EXPECT_FALSE(loop.advanceBy(1));

    // Screens created now arm their timers with deadlines that fit; they
    // lie past the end, so they never come.
    Timer& longest = timer("longest", std::numeric_limits<int>::max());
    EXPECT_EQ(loop.nextDeadline(), std::numeric_limits<Millis>::max());
    timer("soon", 1);
    EXPECT_EQ(loop.nextDeadline(), EventLoop::kClockEnd + 1);
    EXPECT_TRUE(loop.advanceTo(EventLoop::kClockEnd));
    EXPECT_FALSE(loop.deliverNext(EventLoop::kClockEnd));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(longest.interval(), std::numeric_limits<int>::max());
}

TEST_F(EventLoopTest, TimeNeverRunsBackwards) {
    loop.advanceTo(100);
    loop.advanceTo(40);
    EXPECT_EQ(loop.now(), 100);
}

}  // namespace
}  // namespace mironeka::ui
