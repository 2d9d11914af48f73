// The driver and the windows' input: what the player does reaches the game,
// and what the game does shows in the windows.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QUrlQuery>
#include <optional>
#include <vector>

#include "app/publisher.h"
#include "app/screens.h"
#include "garden/garden_screen.h"
#include "qt/fonts.h"
#include "session.h"

namespace mironeka::view_test {
namespace {

const FormId kGarden1 = app::Game::gardenForm(1);

QRect tileBox(int n) { return {8 + 48 * ((n - 1) % 4), 48 + 48 * ((n - 1) / 4), 50, 50}; }

void moveOver(QWidget* widget, QPoint local) {
    QMouseEvent move(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

TEST(Driver, ClickedSugarShowsOnTheTileOneTickLater) {
    Session session;
    session.reach(kGarden1);
    auto* window = session.window(kGarden1);
    EXPECT_FALSE(Grab(window).contains(tileBox(6), Qt::white));

    QTest::mouseClick(session.widget(kGarden1, "Command2"), Qt::LeftButton);
    QTest::mouseClick(session.widget(kGarden1, "Image6"), Qt::LeftButton);
    EXPECT_FALSE(Grab(window).contains(tileBox(6), Qt::white));  // not before the tick
    session.wait(1);
    EXPECT_TRUE(Grab(window).contains(tileBox(6), Qt::white));
    EXPECT_FALSE(Grab(window).contains(tileBox(11), Qt::white));
}

TEST(Driver, TooMuchSugarShowsRedAntsAndThePoints) {
    Session session;
    const FormId garden = app::Game::gardenForm(2);
    session.reach(garden);
    session.place(garden, 2, {1, 2, 3, 5, 9});
    EXPECT_FALSE(Grab(session.window(garden)).contains(tileBox(6), QColor(255, 0, 0)));
    session.nextDay(garden);
    EXPECT_TRUE(Grab(session.window(garden)).contains(tileBox(6), QColor(255, 0, 0)));

    const auto* model = session.game().screenAs<garden::GardenScreen>(garden);
    EXPECT_EQ(session.widget<QLineEdit>(garden, "Text37")->text().toStdString(),
              std::to_string(model->points()));
    EXPECT_EQ(session.widget<QLabel>(garden, "Label10")->text(), QStringLiteral("6"));
}

TEST(Driver, ScreensComeAndGoWithTheModel) {
    Session session;
    ASSERT_NE(session.window(FormId::Form1), nullptr);
    EXPECT_EQ(session.window(FormId::Form2), nullptr);
    session.wait(1499);
    EXPECT_NE(session.window(FormId::Form1), nullptr);
    session.wait(1);
    EXPECT_EQ(session.window(FormId::Form1), nullptr);
    ASSERT_NE(session.window(FormId::Form2), nullptr);
    EXPECT_TRUE(session.window(FormId::Form2)->isVisible());

    QTest::mouseClick(session.widget(FormId::Form2, "Command1"), Qt::LeftButton);
    EXPECT_EQ(session.window(FormId::Form2), nullptr);
    ASSERT_NE(session.window(FormId::Form4), nullptr);

    // Opening a garden swaps its open button for its resume button.
    auto* open = session.widget(FormId::Form4, "Command2");
    auto* resume = session.widget(FormId::Form4, "Command8");
    EXPECT_TRUE(open->isVisible());
    EXPECT_FALSE(resume->isVisible());
    QTest::mouseClick(open, Qt::LeftButton);
    EXPECT_FALSE(open->isVisible());
    EXPECT_TRUE(resume->isVisible());
    ASSERT_NE(session.window(kGarden1), nullptr);
    EXPECT_TRUE(session.window(kGarden1)->isVisible());

    // "×" hides the garden; the resume button shows the same window again.
    auto* garden = session.window(kGarden1);
    QTest::mouseClick(session.widget(kGarden1, "Command6"), Qt::LeftButton);
    EXPECT_FALSE(garden->isVisible());
    QTest::mouseClick(resume, Qt::LeftButton);
    EXPECT_EQ(session.window(kGarden1), garden);
    EXPECT_TRUE(garden->isVisible());
}

TEST(Driver, CloseBoxOfTheIntroductionEndsTheGame) {
    Session session;
    bool ended = false;
    QObject::connect(&session.driver(), &qt::Driver::gameEnded, [&] { ended = true; });
    session.reach(FormId::Form2);
    EXPECT_FALSE(session.window(FormId::Form2)->close());  // the game decides, not the window
    EXPECT_TRUE(ended);
    EXPECT_TRUE(session.game().ended());
    for (int i = 1; i <= ui::kFormCount; ++i) {
        EXPECT_EQ(session.window(static_cast<FormId>(i)), nullptr);
    }
}

TEST(Driver, FramelessWindowsIgnoreCloseRequests) {
    Session session;
    session.reach(kGarden1);
    for (const FormId form : {kGarden1, FormId::Form4}) {
        EXPECT_FALSE(session.window(form)->close());
        EXPECT_TRUE(session.window(form)->isVisible());
    }
    EXPECT_FALSE(session.game().ended());
}

TEST(Driver, GardenEndShowsTheMessageBoxAndItsOkGoesToTheGame) {
    Session session;
    session.reach(kGarden1);
    for (int day = 1; day <= 7; ++day) session.nextDay(kGarden1);
    auto* box = session.driver().messageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("５日経過しました。"));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("VELMORAKI　ミロネカ"));
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
    ASSERT_EQ(box->buttons().size(), 1);
    ASSERT_NE(box->defaultButton(), nullptr);
    EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(box->defaultButton()->icon().isNull());
    EXPECT_EQ(box->font().families(), qt::defaultFont().families());
    EXPECT_FALSE(session.window(kGarden1)->isVisible());

    // The clock goes on while the box is open.
    const auto before = session.game().now();
    session.wait(1000);
    EXPECT_EQ(session.game().now(), before + 1000);
    EXPECT_EQ(session.game().screenAs<app::StageSelectScreen>(FormId::Form4)->gardensFinished(), 0);

    QTest::mouseClick(box->defaultButton(), Qt::LeftButton);
    EXPECT_FALSE(session.game().message().has_value());
    EXPECT_EQ(session.driver().messageBox(), nullptr);
    EXPECT_EQ(session.game().screenAs<app::StageSelectScreen>(FormId::Form4)->gardensFinished(), 1);
}

TEST(Driver, PointerOverToolsShowsHintsAndBareBackgroundClearsThem) {
    Session session;
    session.reach(kGarden1);
    auto* hint = session.widget<QLabel>(kGarden1, "Label12");
    auto* window = session.window(kGarden1);

    moveOver(session.widget(kGarden1, "Command3"), {5, 5});
    EXPECT_EQ(hint->text(), QStringLiteral("水溜りを作ります。"));
    moveOver(session.widget(kGarden1, "Image6"), {5, 5});  // a tile: nothing happens
    EXPECT_EQ(hint->text(), QStringLiteral("水溜りを作ります。"));
    moveOver(session.widget(kGarden1, "Label14"), {5, 5});  // a caption: nothing either
    EXPECT_EQ(hint->text(), QStringLiteral("水溜りを作ります。"));
    moveOver(window->page(), {262, 150});  // bare background
    EXPECT_EQ(hint->text(), QString());
}

// Moves go to the game only when they could change something: to another
// place, or after the screen has changed since the last one.
TEST(Driver, RepeatedPointerMovesReachTheGameOncePerPlaceAndChange) {
    struct Counter final : qt::ActionSink {
        bool act(const app::Action& action) override {
            if (action.kind == app::Action::Kind::Move) moves.push_back(action.widget);
            return true;
        }
        app::FrontEnd& policy() override { return front; }
        app::FrontEnd front;
        std::vector<std::optional<ui::WidgetId>> moves;
    } counter;
    Session session;
    session.reach(kGarden1);
    const ui::Screen& screen = *session.game().screen(kGarden1);
    qt::FormWindow window(screen.layout(), counter);
    window.sync(screen);
    auto* tool = window.findChild<QWidget*>(QStringLiteral("Command3"));
    ASSERT_NE(tool, nullptr);

    for (int i = 0; i < 3; ++i) moveOver(window.page(), {262, 150 + i});  // bare background
    EXPECT_EQ(counter.moves.size(), 1u);
    for (int i = 0; i < 3; ++i) moveOver(tool, {5, 5 + i});
    EXPECT_EQ(counter.moves.size(), 2u);
    moveOver(window.page(), {262, 150});
    EXPECT_EQ(counter.moves.size(), 3u);
    // The screen changes (sugar on tile 6): the same place counts again.
    ASSERT_TRUE(session.place(kGarden1, 2, {6}));
    window.sync(screen);
    moveOver(window.page(), {262, 151});
    ASSERT_EQ(counter.moves.size(), 4u);
    EXPECT_EQ(counter.moves[0], std::nullopt);
    EXPECT_EQ(counter.moves[1], ui::command(3));
    EXPECT_EQ(counter.moves[3], std::nullopt);
}

TEST(Driver, ToolButtonsCarryTheirTooltips) {
    Session session;
    session.reach(kGarden1);
    const std::array<std::pair<const char*, const char*>, 4> kTips{
        {{"Command2", "砂糖"}, {"Command3", "水溜り"}, {"Command4", "草"}, {"Command5", "砂地"}}};
    for (const auto& [name, tip] : kTips) {
        EXPECT_EQ(session.widget(kGarden1, name)->toolTip(), QString::fromUtf8(tip)) << name;
    }
}

TEST(Driver, PointsBoxIsReadOnly) {
    Session session;
    session.reach(kGarden1);
    auto* points = session.widget<QLineEdit>(kGarden1, "Text37");
    ASSERT_NE(points, nullptr);
    EXPECT_TRUE(points->isReadOnly());
    QTest::keyClicks(points, "12");
    EXPECT_EQ(points->text(), QStringLiteral("0"));
    // A screen reader's edit (AT-SPI's SetTextContents) is refused too: the
    // box shows what the game holds, at once.
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(points);
    ASSERT_NE(reader, nullptr);
    ASSERT_NE(reader->editableTextInterface(), nullptr);
    reader->editableTextInterface()->replaceText(0, 1, QStringLiteral("99999"));
    EXPECT_EQ(points->text(), QStringLiteral("0"));
}

TEST(Driver, ScoreCodeBoxesAreEditableAndRefreshedFromTheGame) {
    Session session;
    session.reach(FormId::Form11);
    const auto* model = session.game().screenAs<app::ScoreCodeScreen>(FormId::Form11);
    auto* mail = session.widget<QLineEdit>(FormId::Form11, "Text3");
    auto* code = session.widget<QLineEdit>(FormId::Form11, "Text2");
    ASSERT_NE(mail, nullptr);
    EXPECT_EQ(code->text().toStdString(), model->boxText(2));

    mail->setFocus();
    mail->setCursorPosition(0);
    QTest::keyClicks(mail, "ab");
    EXPECT_EQ(model->boxText(3), "ab" + std::string(model->layout().find(ui::text(3))->text));
    session.wait(100);
    EXPECT_EQ(mail->cursorPosition(), 2);  // a refresh with the same text leaves it alone

    // The code box is rewritten by the game's own 100 ms timer.
    QTest::keyClicks(code, "9");
    EXPECT_EQ(model->boxText(2), code->text().toStdString());
    session.wait(100);
    EXPECT_EQ(code->text().toStdString(), model->boxText(2));
    EXPECT_FALSE(code->text().endsWith(QLatin1Char('9')));
}

TEST(Driver, ResultRevealsTotalAndButtonsThenQuitEndsTheGame) {
    Session session;
    bool ended = false;
    QObject::connect(&session.driver(), &qt::Driver::gameEnded, [&] { ended = true; });
    session.reach(FormId::Form10);
    auto* total = session.widget<QLabel>(FormId::Form10, "Label2");
    auto* quit = session.widget(FormId::Form10, "Command2");
    EXPECT_EQ(total->text(), QString());
    EXPECT_FALSE(quit->isVisible());
    session.wait(4000);
    EXPECT_EQ(total->text().toStdString(),
              session.game().screenAs<app::ResultScreen>(FormId::Form10)->shownTotalText());
    EXPECT_FALSE(total->text().isEmpty());
    EXPECT_FALSE(quit->isVisible());
    // Revealed, the total is read with its value and said once.
    EXPECT_EQ(total->accessibleName(), QStringLiteral("合計ポイント：") + total->text());
    EXPECT_EQ(QString::fromStdString(session.game().screen(FormId::Form10)->announcement()),
              QStringLiteral("合計ポイントは") + total->text() + QStringLiteral("です。"));
    session.wait(1000);
    ASSERT_TRUE(quit->isVisible());
    QTest::mouseClick(quit, Qt::LeftButton);
    EXPECT_TRUE(ended);
    EXPECT_EQ(session.window(FormId::Form10), nullptr);
}

}  // namespace
}  // namespace mironeka::view_test

namespace mironeka::view_test {
namespace {

// A garden's last day is evaluated after its window has gone: the
// stage-select window, still on screen, says the outcome instead.
// Enter in the mail box opens a new mail to the publisher with the code and
// a nickname line; a double-click in the page box opens the ranking page.
TEST(Driver, TheScoreCodeBoxesOpenTheMailAndTheRankingPage) {
    Session session;
    std::vector<QUrl> opened;
    session.driver().setOpener([&](const QUrl& url) { opened.push_back(url); });
    session.reach(FormId::Form11);
    const auto* screen = session.game().screenAs<app::ScoreCodeScreen>(FormId::Form11);
    auto* mail = session.widget<QLineEdit>(FormId::Form11, "Text3");
    QTest::keyClick(mail, Qt::Key_Return);
    // Held down: the repeats open nothing more.
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(mail, &repeat);
    }
    QTest::mouseDClick(session.widget(FormId::Form11, "Text4"), Qt::LeftButton);
    QTest::keyClick(session.widget(FormId::Form11, "Text2"), Qt::Key_Return);  // no link
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(opened[0].path(), QString::fromUtf8(app::kScoreMail));
    const QUrlQuery query(opened[0]);
    EXPECT_EQ(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
              QStringLiteral("スコア"));
    EXPECT_EQ(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
              QString::fromStdString(screen->boxText(2)) + QStringLiteral("\r\nニックネーム："));
    EXPECT_EQ(opened[1], QUrl(QString::fromUtf8(app::kRankingUrl)));
    EXPECT_FALSE(mail->toolTip().isEmpty());
}

TEST(Driver, TheLastDaysOutcomeIsSaidByAWindowStillOnScreen) {
    Session session;
    session.reach(kGarden1);
    for (int day = 1; day <= 7; ++day) session.nextDay(kGarden1);
    session.wait(100);
    auto* stage = session.window(FormId::Form4);
    ASSERT_NE(stage, nullptr);
    auto* announcer = stage->findChild<QWidget*>(QStringLiteral("Announcer"));
    ASSERT_NE(announcer, nullptr);
    EXPECT_TRUE(announcer->isVisibleTo(stage));
    EXPECT_EQ(announcer->accessibleName(),
              QStringLiteral("7日目：アリは来ませんでした。ポイントは0です。"));
}

}  // namespace
}  // namespace mironeka::view_test
