// The alarm the driver waits with: once, in a turn of the event loop of its
// own, never early, and only for the latest setting.
#include "qt/alarm.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <chrono>
#include <string>
#include <thread>

namespace mironeka::qt {
namespace {

using namespace std::chrono_literals;
using Precision = Alarm::Precision;

class AlarmTest : public ::testing::TestWithParam<Precision> {
  protected:
    AlarmTest() : alarm_(GetParam()) {
        QObject::connect(&alarm_, &Alarm::rang, [this] {
            ++rings_;
            rangAfter_ = std::chrono::nanoseconds(sinceSet_.nsecsElapsed());
        });
    }
    void ringIn(std::chrono::nanoseconds wait) {
        sinceSet_.start();
        alarm_.ringIn(wait);
    }
    // Runs the event loop until the alarm rings, for two seconds at most.
    void runUntilRung() {
        static_cast<void>(QTest::qWaitFor([this] { return rings_ > 0; }, 2000));
    }
    Alarm alarm_;
    int rings_ = 0;
    QElapsedTimer sinceSet_;
    std::chrono::nanoseconds rangAfter_{};
};

TEST_P(AlarmTest, AnAlarmAlreadyDueRingsOnceAndOnlyInALaterTurn) {
    for (const std::chrono::nanoseconds wait : {0ns, -5000000ns}) {
        rings_ = 0;
        ringIn(wait);
        EXPECT_EQ(rings_, 0);
        EXPECT_TRUE(alarm_.isActive());
        EXPECT_EQ(alarm_.remainingTime(), 0);
        runUntilRung();
        EXPECT_EQ(rings_, 1);
        EXPECT_FALSE(alarm_.isActive());
        EXPECT_EQ(alarm_.remainingTime(), -1);
        QTest::qWait(5);
        EXPECT_EQ(rings_, 1) << "rang again";
    }
}

TEST_P(AlarmTest, NeverRingsEarly) {
    for (const std::chrono::nanoseconds wait : {300'000ns, 2'000'000ns, 7'000'000ns}) {
        rings_ = 0;
        ringIn(wait);
        runUntilRung();
        EXPECT_EQ(rings_, 1);
        EXPECT_GE(rangAfter_, wait);
    }
}

TEST_P(AlarmTest, OnlyTheLatestSettingCounts) {
    // Due, and left unread long enough for the event loop to find it due,
    // then set again for later: the old expiry must not ring.
    alarm_.ringIn(0ns);
    std::this_thread::sleep_for(2ms);
    alarm_.ringIn(10s);
    QTest::qWait(20);
    EXPECT_EQ(rings_, 0);
    EXPECT_GT(alarm_.remainingTime(), 9000);

    // Stopped before the loop looks: no ring at all.
    alarm_.ringIn(0ns);
    alarm_.stop();
    QTest::qWait(20);
    EXPECT_EQ(rings_, 0);
    EXPECT_FALSE(alarm_.isActive());

    // A later wait set over an earlier one.
    alarm_.ringIn(1ms);
    alarm_.ringIn(10s);
    QTest::qWait(20);
    EXPECT_EQ(rings_, 0);
    alarm_.ringIn(1ms);
    runUntilRung();
    EXPECT_EQ(rings_, 1);
}

TEST_P(AlarmTest, KeepsNanosecondsWhereTheSystemHasThem) {
#ifdef Q_OS_LINUX
    EXPECT_EQ(alarm_.keepsNanoseconds(), GetParam() == Precision::Best);
#else
    EXPECT_FALSE(alarm_.keepsNanoseconds());
#endif
    // Rounded up: 2 ms while less than half a millisecond has passed since
    // the setting. What has passed is read after the answer, so a slow
    // machine only lowers the bound.
    ringIn(1500us);
    const int remaining = alarm_.remainingTime();
    const auto passed = std::chrono::nanoseconds(sinceSet_.nsecsElapsed());
    const auto atLeast = std::chrono::ceil<std::chrono::milliseconds>(1500us - passed).count();
    EXPECT_GE(remaining, atLeast);
    EXPECT_LE(remaining, 2);
}

std::string precisionName(const ::testing::TestParamInfo<Precision>& p) {
    return p.param == Precision::Best ? "Best" : "WholeMilliseconds";
}

INSTANTIATE_TEST_SUITE_P(Precisions, AlarmTest,
                         ::testing::Values(Precision::Best, Precision::WholeMilliseconds),
                         precisionName);

}  // namespace
}  // namespace mironeka::qt
