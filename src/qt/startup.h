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

/// What to tell the player when none of the installed font families
/// (`japaneseFamilies`) can write Japanese: one line naming the Debian
/// packages to install. Empty when there is such a font.
[[nodiscard]] QString missingFontNotice(const QStringList& japaneseFamilies);

/// The game's set-up once the QApplication exists: the Fusion style and the
/// game's palette for every window, message box, menu and tooltip, Qt's
/// texts in Japanese, and one word on standard error when no Japanese font
/// is installed. Returns the translator of Qt's texts, as
/// loadJapaneseQtTranslations does.
QTranslator* prepareApplication();

}  // namespace mironeka::qt
