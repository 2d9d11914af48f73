#include "ui/event_loop.h"

#include <gtest/gtest.h>

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
    timer("b", 70);
    timer("idle");
    EXPECT_EQ(loop.nextDeadline(), 70);
}

TEST_F(EventLoopTest, TimeNeverRunsBackwards) {
    loop.advanceTo(100);
    loop.advanceTo(40);
    EXPECT_EQ(loop.now(), 100);
}

}  // namespace
}  // namespace mironeka::ui
