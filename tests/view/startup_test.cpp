// What the game sets up at start: Qt's own texts in Japanese, a word about
// missing fonts, and numbers written the same under any locale.
#include "qt/startup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QToolTip>
#include <QTranslator>
#include <clocale>
#include <cstdlib>
#include <ostream>
#include <string>

#include "qt/fonts.h"
#include "session.h"

namespace mironeka::view_test {
namespace {

TEST(QtTexts, TextBoxMenuIsInJapanese) {
    QTranslator* translator = qt::loadJapaneseQtTranslations();
    ASSERT_NE(translator, nullptr) << "is qt6-translations-l10n installed?";
    Session session;
    session.reach(FormId::Form11);
    auto* box = session.widget<QLineEdit>(FormId::Form11, "Text3");
    ASSERT_NE(box, nullptr);

    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), box->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(box, &event);
    QStringList entries;
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (const QAction* action : menu->actions()) entries << action->text();
        menu->close();
    }

    QCoreApplication::removeTranslator(translator);
    delete translator;
    ASSERT_FALSE(entries.isEmpty()) << "no menu opened";
    EXPECT_EQ(entries.filter(QStringLiteral("コピー")).size(), 1)
        << entries.join(u'|').toStdString();
    EXPECT_TRUE(entries.filter(QStringLiteral("Copy")).isEmpty());
}

// Tooltips, the boxes' menus and the end message are written in the game's
// font too: no second Japanese font is loaded for them.
TEST(GameFont, IsTheFontOfWhatTheGameDoesNotBuildItself) {
    const QFont appFont = QApplication::font();
    const QFont tipFont = QToolTip::font();
    const QString style = QApplication::style()->name();
    QTranslator* translator = qt::prepareApplication();
    const QStringList families = qt::defaultFont().families();
    EXPECT_EQ(QApplication::font().families(), families);
    EXPECT_EQ(QToolTip::font().families(), families);
    EXPECT_EQ(QApplication::font().pixelSize(), qt::defaultFont().pixelSize());

    if (translator != nullptr) QCoreApplication::removeTranslator(translator);
    delete translator;
    QApplication::setStyle(style);
    QApplication::setFont(appFont);
    QToolTip::setFont(tipFont);
}

struct FontCase {
    QStringList families;
    bool notice;
};

void PrintTo(const FontCase& c, std::ostream* os) {
    *os << (c.families.isEmpty() ? "none" : c.families.join(u',').toStdString());
}

class MissingFont : public ::testing::TestWithParam<FontCase> {};

TEST_P(MissingFont, SaysWhichPackagesToInstallOnlyWhenThereIsNoJapaneseFont) {
    const QString notice = qt::missingFontNotice(GetParam().families);
    if (!GetParam().notice) {
        EXPECT_TRUE(notice.isEmpty());
        return;
    }
    EXPECT_TRUE(notice.contains(QStringLiteral("fonts-monapo")));
    EXPECT_TRUE(notice.contains(QStringLiteral("fonts-ipafont-gothic")));
    EXPECT_FALSE(notice.contains(u'\n'));
}

INSTANTIATE_TEST_SUITE_P(Families, MissingFont,
                         ::testing::Values(FontCase{{}, true}, FontCase{{"IPAPGothic"}, false},
                                           FontCase{{"Monapo", "Noto Sans CJK JP"}, false}));

// Run by ctest under LC_ALL=de_DE.UTF-8 too, where the C library writes
// "3,65": the score code must still read "3.65" for a total of 1.
TEST(CommaLocale, ScoreCodeIsWrittenWithAPoint) {
    const char* all = std::getenv("LC_ALL");
    if (all != nullptr && std::string(all).starts_with("de_DE")) {
        // The QApplication has made the C library follow the environment.
        ASSERT_STREQ(std::localeconv()->decimal_point, ",")
            << "the German locale is missing: is locales-all installed?";
    }
    Session session;
    const FormId garden1 = app::Game::gardenForm(1);
    session.reach(garden1);
    // Two lumps of sugar, at tiles 1 and 11, bring one black ant: 1 point.
    ASSERT_TRUE(session.place(garden1, 2, {1, 11}));
    session.reach(FormId::Form11);
    auto* code = session.widget<QLineEdit>(FormId::Form11, "Text2");
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->text(), QStringLiteral("3.65"));
}

}  // namespace
}  // namespace mironeka::view_test
