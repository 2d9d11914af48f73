// The game with keys alone, and as a screen reader sees it: every key goes
// through the same actions as the mouse, and every widget a player can see
// has a Japanese name and a role.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTextBrowser>

#include "app/screens.h"
#include "garden/garden_screen.h"
#include "qt/help_window.h"
#include "session.h"

namespace mironeka::view_test {
namespace {

const FormId kGarden1 = app::Game::gardenForm(1);

class Keys : public ::testing::Test {
  protected:
    /// Presses a key where the keyboard focus of `form`'s window is.
    void press(FormId form, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QApplication::processEvents();  // windows shown just now become active
        QWidget* focus = focused(form);
        ASSERT_NE(focus, nullptr) << ui::formName(form) << " has no focus";
        QTest::keyClick(focus, key, mods);
    }
    /// The object name of the widget with the keyboard focus in `form`'s window.
    QString focusName(FormId form) { return focused(form)->objectName(); }
    QWidget* focused(FormId form) {
        auto* w = session.window(form);
        return w == nullptr ? nullptr : w->focusWidget();
    }
    const garden::GardenScreen& garden() {
        return *session.game().screenAs<garden::GardenScreen>(kGarden1);
    }
    Session session;
};

TEST_F(Keys, PlayFromTheIntroductionToADayWithTwoSugarTiles) {
    session.reach(FormId::Form2);
    EXPECT_EQ(focusName(FormId::Form2), QStringLiteral("Command1"));  // OK
    press(FormId::Form2, Qt::Key_Space);

    // The stage-select screen starts on garden 1's button, not on "×".
    ASSERT_NE(session.window(FormId::Form4), nullptr);
    EXPECT_EQ(focusName(FormId::Form4), QStringLiteral("Command2"));
    press(FormId::Form4, Qt::Key_Return);
    ASSERT_NE(session.window(kGarden1), nullptr);
    EXPECT_EQ(focusName(kGarden1), QStringLiteral("Image1"));

    // Tab goes top to bottom: the tiles, then the tools from the top.
    press(kGarden1, Qt::Key_Tab);
    EXPECT_EQ(focusName(kGarden1), QStringLiteral("Command5"));
    press(kGarden1, Qt::Key_Tab);
    EXPECT_EQ(focusName(kGarden1), QStringLiteral("Command2"));
    // A tool that takes the focus shows its hint.
    EXPECT_EQ(garden().hintText(), "砂糖を置きます。");
    press(kGarden1, Qt::Key_Space);
    EXPECT_EQ(garden().selectedTool(), garden::Tool::Sugar);

    // Back to the grid, which is one stop; the arrows move inside it and
    // stop at its edges.
    press(kGarden1, Qt::Key_Tab, Qt::ShiftModifier);
    press(kGarden1, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focusName(kGarden1), QStringLiteral("Image1"));
    press(kGarden1, Qt::Key_Left);
    press(kGarden1, Qt::Key_Up);
    EXPECT_EQ(focusName(kGarden1), QStringLiteral("Image1"));
    press(kGarden1, Qt::Key_Right);
    press(kGarden1, Qt::Key_Down);
    EXPECT_EQ(focusName(kGarden1), QStringLiteral("Image6"));
    press(kGarden1, Qt::Key_Space);
    press(kGarden1, Qt::Key_Right);
    press(kGarden1, Qt::Key_Return);
    session.wait(1);
    EXPECT_EQ(garden().sugarCount(), 2);

    // From the grid's current tile, Tab reaches "next day" after the tools.
    for (int i = 0; i < 5; ++i) press(kGarden1, Qt::Key_Tab);
    EXPECT_EQ(focusName(kGarden1), QStringLiteral("Command1"));
    press(kGarden1, Qt::Key_Return);
    session.wait(13);
    EXPECT_EQ(garden().points(), 4);
    EXPECT_EQ(session.widget<QLineEdit>(kGarden1, "Text37")->text(), QStringLiteral("4"));
    for (const int n : {2, 3, 10, 11}) EXPECT_EQ(garden().tilePicture(n), ui::Picture::BlackAnt);

    // A tile that got the focus by the arrows is where Tab comes back to.
    press(kGarden1, Qt::Key_Tab, Qt::ShiftModifier);
    for (int i = 0; i < 4; ++i) press(kGarden1, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focusName(kGarden1), QStringLiteral("Image7"));
}

// A key held down on "next day" repeats; only its first press counts, as a
// held mouse button is one click. Return clicked on every repeat before. On
// a busy X server some repeats come unflagged, as a release and a press of
// the same moment.
class HeldKey : public Keys, public ::testing::WithParamInterface<Qt::Key> {};

TEST_P(HeldKey, OnNextDaySkipsOneDay) {
    session.reach(kGarden1);
    QApplication::processEvents();
    QWidget* next = session.widget(kGarden1, "Command1");
    next->setFocus();
    const Qt::Key key = GetParam();
    QTest::sendKeyEvent(QTest::Press, next, key, QString(), Qt::NoModifier);
    for (int i = 0; i < 30; ++i) {
        const bool flagged = i % 2 == 0;
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), flagged);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), flagged);
        release.setTimestamp(1000 + 30 * static_cast<ulong>(i));
        press.setTimestamp(release.timestamp());
        QApplication::sendEvent(next, &release);
        QApplication::sendEvent(next, &press);
        session.wait(30);
    }
    QTest::sendKeyEvent(QTest::Release, next, key, QString(), Qt::NoModifier);
    session.wait(100);
    EXPECT_EQ(garden().daysLeft(), 6);
    EXPECT_EQ(session.driver().messageBox(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Keys, HeldKey, ::testing::Values(Qt::Key_Space, Qt::Key_Return));

TEST_F(Keys, TheEndMessageTakesTheKeysAndHoldsEveryOtherWindow) {
    session.reach(kGarden1);
    for (int day = 1; day <= 6; ++day) session.nextDay(kGarden1);
    // Back from the tiles: the points box, "×", then "next day".
    for (int i = 0; i < 3; ++i) press(kGarden1, Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focusName(kGarden1), QStringLiteral("Command1"));
    press(kGarden1, Qt::Key_Return);
    auto* box = session.driver().messageBox();
    ASSERT_NE(box, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(box->focusWidget(), box->defaultButton());

    // The stage-select screen's buttons don't answer while the box is open.
    const auto* board = session.game().screenAs<app::StageSelectScreen>(FormId::Form4);
    press(FormId::Form4, Qt::Key_Space);
    EXPECT_TRUE(board->openButtonVisible(2));
    EXPECT_EQ(session.window(app::Game::gardenForm(2)), nullptr);

    QTest::keyClick(box->focusWidget(), Qt::Key_Return);
    session.wait(20);
    EXPECT_FALSE(session.game().message().has_value());
    EXPECT_EQ(board->gardensFinished(), 1);
    EXPECT_NE(focused(FormId::Form4), session.widget(FormId::Form4, "Command1"));  // not "×"
}

// Escape answers the end message as OK does: it has no other answer.
TEST_F(Keys, EscapeClosesTheEndMessageAsOkDoes) {
    session.reach(kGarden1);
    for (int day = 1; day <= 7; ++day) session.nextDay(kGarden1);
    auto* box = session.driver().messageBox();
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_Escape);
    session.wait(20);
    EXPECT_FALSE(session.game().message().has_value());
    EXPECT_EQ(session.game().screenAs<app::StageSelectScreen>(FormId::Form4)->gardensFinished(), 1);
}

TEST_F(Keys, TheResultScreenStartsOnSendingTheScore) {
    session.reach(FormId::Form10);
    session.wait(5000);
    EXPECT_EQ(focusName(FormId::Form10), QStringLiteral("Command1"));
    press(FormId::Form10, Qt::Key_Space);
    session.wait(100);
    ASSERT_NE(session.window(FormId::Form11), nullptr);
    EXPECT_EQ(focusName(FormId::Form11), QStringLiteral("Text2"));
}

// The focus mark: a black frame with a white one inside, three pixels in from
// the control's edge, whole pixels at any scale (no grey edges at 2x).
TEST_F(Keys, TheFocusedControlShowsASharpMark) {
    session.reach(kGarden1);
    QApplication::processEvents();
    for (const auto& [form, name] :
         {std::pair(kGarden1, "Image1"), std::pair(FormId::Form4, "Command3")}) {
        QWidget* control = session.widget(form, name);
        control->window()->activateWindow();
        QApplication::processEvents();
        control->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(control->hasFocus()) << name;
        const QImage image = control->grab().toImage();
        const qreal r = image.devicePixelRatio();
        const int mid = static_cast<int>(control->height() * r / 2);
        for (int x = 0; x < static_cast<int>(2 * r); ++x) {  // the black frame's width
            EXPECT_EQ(image.pixelColor(static_cast<int>(3 * r) + x, mid), QColor(Qt::black))
                << name << " at " << x;
        }
        for (int x = 0; x < static_cast<int>(r); ++x) {  // then the white one
            EXPECT_EQ(image.pixelColor(static_cast<int>(5 * r) + x, mid), QColor(Qt::white))
                << name << " at " << x;
        }
        control->clearFocus();
        QApplication::processEvents();
        const QImage plain = control->grab().toImage();
        EXPECT_NE(plain.pixelColor(static_cast<int>(3 * r), mid), QColor(Qt::black)) << name;
    }
}

// F1 opens the help from any window; Escape closes it. It changes nothing of
// the game, whose clock runs on while it is open.
TEST_F(Keys, F1OpensTheHelpEscapeClosesItAndTheGameGoesOn) {
    session.reach(kGarden1);
    ASSERT_TRUE(session.place(kGarden1, 2, {6, 7}));
    const std::uint64_t before = session.game().screen(kGarden1)->revision();
    press(kGarden1, Qt::Key_F1);
    qt::HelpWindow* help = session.driver().help();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), QStringLiteral("遊び方"));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("次の日へスキップ")));
    EXPECT_EQ(session.game().screen(kGarden1)->revision(), before);
    // A day passes with the help open.
    ASSERT_TRUE(session.nextDay(kGarden1));
    EXPECT_EQ(garden().points(), 4);
    EXPECT_TRUE(help->isVisible());
    QTest::keyClick(help->browser(), Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
}

// --- Screen readers ------------------------------------------------------------

struct Seen {
    QString name;
    QAccessible::Role role;
};

// Every visible widget a screen reader can reach from the window, with its
// name and role, and the containers it passes through (the window's page,
// the grid's table), each of which must be its children's parent.
void walk(QAccessibleInterface* node, std::vector<Seen>& out) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child == nullptr || child->state().invisible) continue;
        EXPECT_EQ(child->parent(), node) << child->text(QAccessible::Name).toStdString();
        out.push_back({child->text(QAccessible::Name), child->role()});
        walk(child, out);
    }
}

std::vector<Seen> readerView(QWidget* window) {
    std::vector<Seen> out;
    walk(QAccessible::queryAccessibleInterface(window), out);
    return out;
}

class Reader : public ::testing::TestWithParam<FormId> {
  protected:
    Session session;
};

TEST_P(Reader, SeesAFrameWhoseVisibleWidgetsAllHaveNamesAndRoles) {
    session.reach(GetParam());
    if (GetParam() == FormId::Form10) session.wait(5000);
    auto* window = session.window(GetParam());
    ASSERT_NE(window, nullptr);
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window);
    EXPECT_EQ(frame->role(), QAccessible::Window);
    // The caption, and for a garden which one it is: "VELMORAKI　ミロネカ　庭①".
    EXPECT_EQ(frame->text(QAccessible::Name),
              QString::fromStdString(session.game().screen(GetParam())->windowName()));
    EXPECT_TRUE(frame->text(QAccessible::Name).startsWith(window->windowTitle()));
    const auto seen = readerView(window);
    EXPECT_FALSE(seen.empty());
    for (const auto& s : seen) {
        // The window's page is named as the window is: the splash has no name.
        if (s.role != QAccessible::Pane) {
            EXPECT_FALSE(s.name.trimmed().isEmpty()) << "a nameless widget of role " << s.role;
        }
        EXPECT_NE(s.role, QAccessible::Client) << s.name.toStdString();
        EXPECT_NE(s.role, QAccessible::NoRole) << s.name.toStdString();
        EXPECT_NE(s.name, QStringLiteral("×"));
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, Reader,
                         ::testing::Values(FormId::Form1, FormId::Form2, FormId::Form4,
                                           FormId::Form3, FormId::Form9, FormId::Form10,
                                           FormId::Form11),
                         [](const auto& p) { return ui::formName(p.param); });

bool hasName(const std::vector<Seen>& seen, const char* name, QAccessible::Role role) {
    return std::any_of(seen.begin(), seen.end(), [&](const Seen& s) {
        return s.name == QString::fromUtf8(name) && s.role == role;
    });
}

TEST(ReaderNames, GardenAndStageSelectSayWhatEachControlIs) {
    Session session;
    session.reach(kGarden1);
    const auto stage = readerView(session.window(FormId::Form4));
    EXPECT_TRUE(hasName(stage, "庭①に戻る", QAccessible::Button));
    EXPECT_TRUE(hasName(stage, "庭②を開く", QAccessible::Button));
    // The total is read with its value, and its caption not again on its own.
    EXPECT_TRUE(hasName(stage, "現在の累計ポイント：0", QAccessible::StaticText));
    EXPECT_FALSE(hasName(stage, "現在の累計ポイント", QAccessible::StaticText));

    const auto garden = readerView(session.window(kGarden1));
    EXPECT_TRUE(hasName(garden, "タイル1：砂地", QAccessible::Cell));
    EXPECT_TRUE(hasName(garden, "あと7日", QAccessible::StaticText));
    EXPECT_FALSE(hasName(garden, "あと", QAccessible::StaticText));  // read whole, once
    EXPECT_TRUE(hasName(garden, "現在のポイント", QAccessible::EditableText));
    // A tool is checked while it is the one selected: none before the first choice.
    EXPECT_TRUE(hasName(garden, "砂糖", QAccessible::CheckBox));
    auto* sugar = QAccessible::queryAccessibleInterface(session.widget(kGarden1, "Command2"));
    EXPECT_EQ(sugar->text(QAccessible::Description), QStringLiteral("砂糖を置きます。"));
    EXPECT_FALSE(sugar->state().checked);
    auto* puddle = QAccessible::queryAccessibleInterface(session.widget(kGarden1, "Command3"));
    ASSERT_TRUE(session.click(kGarden1, ui::command(2)));
    EXPECT_TRUE(sugar->state().checked);
    ASSERT_TRUE(session.click(kGarden1, ui::command(3)));
    EXPECT_FALSE(sugar->state().checked);
    EXPECT_TRUE(puddle->state().checked);
}

// The tiles are the cells of a 4 x 4 table: a reader says row and column.
TEST(ReaderNames, TheGridIsATableOfFourRowsAndColumnsWhoseCellsAreTheTiles) {
    Session session;
    session.reach(kGarden1);
    QAccessibleInterface* grid = nullptr;
    QAccessibleInterface* page =
        QAccessible::queryAccessibleInterface(session.window(kGarden1))->child(0);
    for (int i = 0; i < page->childCount(); ++i) {
        if (page->child(i)->role() == QAccessible::Table) grid = page->child(i);
    }
    ASSERT_NE(grid, nullptr);
    QAccessibleTableInterface* table = grid->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 4);
    EXPECT_EQ(table->columnCount(), 4);
    QAccessibleInterface* tile7 = table->cellAt(1, 2);
    ASSERT_NE(tile7, nullptr);
    EXPECT_EQ(tile7->object(), session.widget(kGarden1, "Image7"));
    EXPECT_EQ(grid->indexOfChild(tile7), 6);
    ASSERT_NE(tile7->tableCellInterface(), nullptr);
    EXPECT_EQ(tile7->tableCellInterface()->rowIndex(), 1);
    EXPECT_EQ(tile7->tableCellInterface()->columnIndex(), 2);
    // Pressed as a button is: sugar on tile 7.
    ASSERT_TRUE(session.click(kGarden1, ui::command(2)));
    tile7->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    session.wait(1);
    EXPECT_EQ(tile7->text(QAccessible::Name), QStringLiteral("タイル7：砂糖"));
}

// The introduction's pictures are pictures: no control, no Tab stop.
TEST(ReaderNames, APictureThatIsNoTileIsAnImageAndNoTabStop) {
    Session session;
    session.reach(FormId::Form2);
    for (const char* name : {"Image1", "Image5"}) {
        QWidget* picture = session.widget(FormId::Form2, name);
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(picture)->role(), QAccessible::Graphic)
            << name;
        EXPECT_EQ(picture->focusPolicy(), Qt::NoFocus) << name;
    }
}

TEST(ReaderNames, PressingATileClicksItAndItsNameFollowsItsPicture) {
    Session session;
    session.reach(kGarden1);
    session.click(kGarden1, ui::command(2));  // sugar
    QAccessibleInterface* tile =
        QAccessible::queryAccessibleInterface(session.widget(kGarden1, "Image6"));
    ASSERT_NE(tile->actionInterface(), nullptr);
    EXPECT_EQ(tile->text(QAccessible::Name), QStringLiteral("タイル6：砂地"));
    tile->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTest::qWait(200);  // a press is animated, as on screen
    session.wait(1);
    EXPECT_EQ(session.game().screenAs<garden::GardenScreen>(kGarden1)->sugarCount(), 1);
    EXPECT_EQ(tile->text(QAccessible::Name), QStringLiteral("タイル6：砂糖"));
}

}  // namespace
}  // namespace mironeka::view_test
