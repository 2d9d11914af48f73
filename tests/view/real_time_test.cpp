// The driver in real time: what a stall does to the timers, and how the
// steps of a chain reach Qt's event loop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <set>
#include <vector>

#include "garden/garden_screen.h"
#include "session.h"

namespace mironeka::view_test {
namespace {

const FormId kGarden1 = app::Game::gardenForm(1);

// What the driver's alarm does when the program gets going again after the
// clock moved on: it rings, and then Qt's event loop runs until nothing more
// is due. Returns the ticks delivered.
std::uint64_t resume(Session& session) {
    auto& driver = session.driver();
    const auto before = driver.deliveries();
    driver.advance();
    const qt::Alarm& alarm = driver.alarm();
    for (int turn = 0; turn < 100 && alarm.isActive() && alarm.remainingTime() == 0; ++turn) {
        QCoreApplication::processEvents();
    }
    return driver.deliveries() - before;
}

struct Periodic {
    FormId form;
    int interval;
};

void PrintTo(const Periodic& p, std::ostream* os) { *os << ui::formName(p.form); }

class StallTest : public ::testing::TestWithParam<Periodic> {};

TEST_P(StallTest, ALateTickComesOnceThenTheTimerWaitsItsWholeInterval) {
    const auto [form, interval] = GetParam();
    Session session;
    session.reach(form);
    ASSERT_EQ(session.game().nextDeadline(), session.game().now() + interval);
    session.stall(3 * interval + interval / 2);
    EXPECT_EQ(resume(session), 1u);
    session.stall(interval - 1);
    EXPECT_EQ(resume(session), 0u);
    session.stall(1);
    EXPECT_EQ(resume(session), 1u);
}

INSTANTIATE_TEST_SUITE_P(ScoreBoardAndScoreCode, StallTest,
                         ::testing::Values(Periodic{FormId::Form4, 1000},
                                           Periodic{FormId::Form11, 100}));

// A tick is never delivered before its millisecond: the day's first step,
// armed by the click for the next millisecond, waits for it.
TEST(RealTime, NothingRunsBeforeItsMillisecond) {
    Session session;
    session.reach(kGarden1);
    // Right after a score-board tick, so that nothing else falls due.
    session.wait(*session.game().nextDeadline() - session.game().now());
    ASSERT_TRUE(session.click(kGarden1, ui::command(1)));
    EXPECT_EQ(resume(session), 0u);
    session.stall(1);
    EXPECT_EQ(resume(session), 1u);
}

TEST(RealTime, AfterAStallTheResultButtonsStillComeAWholeSecondAfterTheTotal) {
    Session session;
    session.reach(FormId::Form10);
    auto* total = session.widget<QLabel>(FormId::Form10, "Label2");
    auto* quit = session.widget(FormId::Form10, "Command2");
    ASSERT_TRUE(total != nullptr && quit != nullptr);
    EXPECT_TRUE(total->text().isEmpty());

    session.stall(60'000);
    resume(session);
    EXPECT_FALSE(total->text().isEmpty());
    EXPECT_FALSE(quit->isVisible());
    session.stall(999);
    resume(session);
    EXPECT_FALSE(quit->isVisible());
    session.stall(1);
    resume(session);
    EXPECT_TRUE(quit->isVisible());
}

TEST(RealTime, EachStepOfADayIsItsOwnQtEventWithTheWindowRefreshedInBetween) {
    Session session;
    session.reach(kGarden1);
    ASSERT_TRUE(session.place(kGarden1, 2, {6, 7}));  // sugar: the day runs all its steps
    // Start right after a score-board tick, so that nothing else falls due.
    session.wait(*session.game().nextDeadline() - session.game().now());
    const auto* garden = session.game().screenAs<garden::GardenScreen>(kGarden1);
    auto* points = session.widget<QLineEdit>(kGarden1, "Text37");
    ASSERT_TRUE(garden != nullptr && points != nullptr);

    struct Turn {
        std::uint64_t ticks;
        QString shown;
        int points;
    };
    std::vector<Turn> turns;
    auto seen = session.driver().deliveries();
    auto record = QObject::connect(&session.driver().alarm(), &qt::Alarm::rang, [&] {
        const auto ticks = session.driver().deliveries() - seen;
        seen += ticks;
        turns.push_back({ticks, points->text(), garden->points()});
    });
    ASSERT_TRUE(session.click(kGarden1, ui::command(1)));
    // A slow machine: every reading of the clock is later than the last, so
    // each step is already overdue when the step before arms it.
    session.setLag(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !garden->evaluating(); }, 10'000));
    session.setLag(0);
    QObject::disconnect(record);

    ASSERT_EQ(turns.size(), 13u);
    std::set<int> pointsSeen;
    for (std::size_t i = 0; i < turns.size(); ++i) {
        EXPECT_EQ(turns[i].ticks, 1u) << "turn " << i + 1;
        EXPECT_EQ(turns[i].shown, QString::number(turns[i].points)) << "turn " << i + 1;
        pointsSeen.insert(turns[i].points);
    }
    // The scoring adds up row by row, and every partial sum was on show.
    EXPECT_GE(pointsSeen.size(), 3u);
    EXPECT_EQ(session.game().screenAs<app::StageSelectScreen>(FormId::Form4)->gardenScore(1),
              garden->points());
}

TEST(RealTime, AnActionThatLeavesTheNextDeadlineAloneLeavesTheTimerAlone) {
    Session session;
    session.reach(FormId::Form4);
    const qt::Alarm& alarm = session.driver().alarm();
    ASSERT_TRUE(alarm.isActive());
    ASSERT_GT(alarm.remainingTime(), 900);  // set in real ms for the board's 1000 ms
    session.stall(600);
    session.act(Action::Kind::Move, FormId::Form4);
    // Set again from the moved clock it would wait 400 ms.
    EXPECT_GT(alarm.remainingTime(), 700);
}

}  // namespace
}  // namespace mironeka::view_test
