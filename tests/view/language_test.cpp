// The game in the player's language: which one it picks, and in English
// every text the windows show or give screen readers has a catalogue entry
// and fits its box.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTextBrowser>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/game.h"
#include "qt/form_window.h"
#include "qt/help_window.h"
#include "qt/startup.h"
#include "session.h"
#include "ui/translate.h"

namespace mironeka::view_test {
namespace {

const FormId kGarden1 = app::Game::gardenForm(1);

struct Pick {
    QStringList desktop;
    const char* game;
};

class GameLanguage : public ::testing::TestWithParam<Pick> {};

TEST_P(GameLanguage, IsTheDesktopsFirstThatHasACatalogueUnlessJapaneseComesFirst) {
    EXPECT_EQ(qt::gameLanguage(GetParam().desktop, {QStringLiteral("en")}),
              QString::fromLatin1(GetParam().game));
}

INSTANTIATE_TEST_SUITE_P(Desktops, GameLanguage,
                         ::testing::Values(Pick{{"en-US"}, "en"}, Pick{{"en-GB", "ja-JP"}, "en"},
                                           Pick{{"ja-JP", "en-US"}, "ja"}, Pick{{"C"}, "ja"},
                                           Pick{{"de-DE"}, "ja"}, Pick{{"de-DE", "en-US"}, "en"},
                                           Pick{{}, "ja"}),
                         [](const auto& p) { return "case" + std::to_string(p.index); });

// Every text a window shows or gives a screen reader, with the widget it
// belongs to.
void eachText(QWidget* window, const std::function<void(const QString&, QWidget*)>& see) {
    see(window->windowTitle(), window);
    see(window->accessibleName(), window);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) && w->objectName() != QLatin1String("Announcer")) continue;
        if (auto* label = qobject_cast<QLabel*>(w)) see(label->text(), w);
        if (auto* button = qobject_cast<QAbstractButton*>(w)) see(button->text(), w);
        if (auto* box = qobject_cast<QLineEdit*>(w)) see(box->text(), w);
        see(w->toolTip(), w);
        see(w->accessibleName(), w);
        see(w->accessibleDescription(), w);
    }
}

// True when the text fits its widget in the widget's font: a label's lines
// wrapped at its width within its height, a button's one line within its
// width less the frame.
bool fits(const QString& text, QWidget* w) {
    const QFontMetrics metrics(w->font());
    if (auto* label = qobject_cast<QLabel*>(w)) {
        const QRect need = metrics.boundingRect(QRect(0, 0, label->width(), 100000),
                                                Qt::TextWordWrap | label->alignment(), text);
        return need.width() <= label->width() && need.height() <= label->height();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w); button != nullptr && !text.isEmpty()) {
        return metrics.horizontalAdvance(text) + 6 <= button->width();
    }
    return true;
}

// The one Japanese word an English player still types: the subject the
// ranking looks for.
bool allowedJapanese(const QString& text) { return text.contains(QStringLiteral("“スコア”")); }

class English : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(qt::useGameLanguage(QStringLiteral("en")), "en"); }
    void TearDown() override { qt::useGameLanguage(QStringLiteral("ja")); }

    // Checks every text of the window now.
    void check(FormId form) {
        QWidget* window = session.window(form);
        ASSERT_NE(window, nullptr) << ui::formName(form);
        eachText(window, [&](const QString& text, QWidget* w) {
            const std::string where = ui::formName(form) + " " + w->objectName().toStdString();
            EXPECT_TRUE(!ui::needsTranslation(text.toStdString()) || allowedJapanese(text))
                << where << " shows " << text.toStdString();
            // Only words are measured: "×" and "①" are the game's own marks.
            if (w->objectName() != QLatin1String("Announcer") && text == visibleText(w) &&
                text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) {
                EXPECT_TRUE(fits(text, w)) << where << " clips " << text.toStdString();
            }
        });
    }
    static QString visibleText(QWidget* w) {
        if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
        return {};
    }

    Session session;
};

TEST_F(English, EveryScreenReadsInEnglishAndEveryTextFitsItsBox) {
    session.reach(FormId::Form2);
    check(FormId::Form2);
    session.reach(kGarden1);
    check(FormId::Form4);
    // Each tool's hint, pointed at; ants black and red over the days.
    for (int tool = 2; tool <= 5; ++tool) {
        session.act(Action::Kind::Move, kGarden1, ui::command(tool));
        check(kGarden1);
    }
    session.place(kGarden1, 2, {6, 7});
    session.nextDay(kGarden1);
    check(kGarden1);
    session.place(kGarden1, 2, {1, 2, 3, 4, 5, 8, 9, 10, 11});
    session.place(kGarden1, 3, {12, 13});
    session.place(kGarden1, 4, {14, 15, 16});
    for (int day = 2; day <= 7; ++day) {
        session.nextDay(kGarden1);
        if (day < 7) check(kGarden1);
    }
    check(FormId::Form4);  // the last day's outcome is said there
    ASSERT_NE(session.driver().messageBox(), nullptr);
    EXPECT_EQ(session.driver().messageBox()->text(), QStringLiteral("5 days have passed."));
    session.act(Action::Kind::Ok, FormId::Form1);
    session.reach(FormId::Form10);
    session.wait(5000);
    check(FormId::Form10);
    session.reach(FormId::Form11);
    check(FormId::Form11);
    // The help, in English throughout.
    session.driver().openHelp();
    qt::HelpWindow* help = session.driver().help();
    EXPECT_EQ(help->windowTitle(), QStringLiteral("How to play"));
    const QString shown = help->browser()->toPlainText();
    EXPECT_FALSE(ui::needsTranslation(shown.toStdString())) << shown.toStdString();
}

// The desktop's language, as the game is started under LANG (the ctest
// runs language.*): English for English, Japanese otherwise.
TEST(DesktopLanguage, ScreensSpeakIt) {
    const char* expected = std::getenv("MIRONEKA_EXPECT");
    if (expected == nullptr) GTEST_SKIP() << "run by the ctest language.* tests";
    qt::prepareApplication();
    Session session;
    const bool english = std::string(expected) == "en";
    const auto text = [&](FormId form, const char* name) {
        QWidget* w = session.widget(form, name);
        if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
        return QString();
    };
    session.reach(FormId::Form2);
    EXPECT_EQ(text(FormId::Form2, "Label1").startsWith(QStringLiteral("Make the empty")), english);
    session.reach(kGarden1);
    EXPECT_EQ(text(FormId::Form4, "Label4"),
              english ? QStringLiteral("Total points") : QStringLiteral("現在の累計ポイント"));
    EXPECT_EQ(text(kGarden1, "Command1"),
              english ? QStringLiteral("Next day") : QStringLiteral("次の日へスキップ"));
    session.reach(FormId::Form11);
    EXPECT_EQ(text(FormId::Form11, "Label1"),
              english ? QStringLiteral("Score code:") : QStringLiteral("スコアコード："));
    qt::useGameLanguage(QStringLiteral("ja"));
}

}  // namespace
}  // namespace mironeka::view_test
