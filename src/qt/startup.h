#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

namespace mironeka::qt {

/// True when Qt has somewhere to show windows: DISPLAY, WAYLAND_DISPLAY or
/// QT_QPA_PLATFORM is set, or a "-platform" argument is given. Otherwise
/// says on standard error, in one line, how to start the game, and returns
/// false. Call before the QApplication is made, which would abort.
[[nodiscard]] bool displayAvailable(int argc, char** argv);

/// Held over the construction of the QApplication: a display or platform
/// that can't be opened ends the program with one line naming it and
/// status 1, instead of Qt's abort. Qt's own messages of the attempt are
/// held back and passed on only when the display opened.
class DisplayGuard {
  public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
};

/// Installs Qt's own texts in Japanese (the text boxes' menu, the standard
/// buttons) from Qt's translations folder, whatever the locale. Returns the
/// installed translator, owned by the application, or nullptr when the
/// translations are missing, which is said on standard error.
QTranslator* loadJapaneseQtTranslations();

/// The language the game speaks to a player whose desktop lists
/// `uiLanguages` first to last (QLocale's, from LANGUAGE, LC_ALL,
/// LC_MESSAGES and LANG): the first of them the game has a catalogue for
/// (`catalogues`, language codes such as "en"), unless Japanese comes first;
/// Japanese, the game's own, for everything else (the C locale too).
[[nodiscard]] QString gameLanguage(const QStringList& uiLanguages, const QStringList& catalogues);
/// The languages of the catalogues built into the game.
[[nodiscard]] QStringList gameCatalogues();
/// Makes every text of the game come in `language` (Japanese when there is
/// no catalogue for it), replacing the language used so far. Returns the
/// language it took.
QString useGameLanguage(const QString& language);

/// What to tell the player when none of the installed font families
/// (`japaneseFamilies`) can write Japanese: one line naming the Debian
/// packages to install. Empty when there is such a font.
[[nodiscard]] QString missingFontNotice(const QStringList& japaneseFamilies);

/// The game's set-up once the QApplication exists: the Fusion style and the
/// game's palette for every window, message box, menu and tooltip, the
/// player's language (Qt's texts in Japanese when the game speaks it), and
/// one word on standard error when no Japanese font
/// is installed. Returns the translator of Qt's texts, as
/// loadJapaneseQtTranslations does.
QTranslator* prepareApplication();

}  // namespace mironeka::qt
