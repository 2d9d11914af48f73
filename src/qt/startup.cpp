#include "qt/startup.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QToolTip>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "qt/fonts.h"
#include "qt/looks.h"
#include "ui/translate.h"

namespace mironeka::qt {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

void say(const QString& line) { std::fprintf(stderr, "mironeka: %s\n", qPrintable(line)); }

}  // namespace

bool displayAvailable(int argc, char** argv) {
    if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM")) return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return true;
        }
    }
    say(
        QStringLiteral("no display found: start the game in an X11 or Wayland session "
                       "(DISPLAY or WAYLAND_DISPLAY set), or without a screen with "
                       "QT_QPA_PLATFORM=offscreen"));
    return false;
}

namespace {

QtMessageHandler previousHandler = nullptr;
struct Held {
    QtMsgType type;
    QString text;
};
// Qt's messages while a DisplayGuard is held.
std::vector<Held> held;

void holdOrRefuse(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtFatalMsg) {
        held.push_back({type, text});
        return;
    }
    const char* display = std::getenv("WAYLAND_DISPLAY");
    if (display == nullptr || *display == '\0') display = std::getenv("DISPLAY");
    say(QStringLiteral("cannot open the display%1%2: start the game in a running X11 or "
                       "Wayland session, or without a screen with QT_QPA_PLATFORM=offscreen")
            .arg(isSet("QT_QPA_PLATFORM")
                     ? QStringLiteral(" (platform %1)").arg(qEnvironmentVariable("QT_QPA_PLATFORM"))
                     : QString())
            .arg(display != nullptr && *display != '\0'
                     ? QStringLiteral(" %1").arg(QString::fromLocal8Bit(display))
                     : QString()));
    std::_Exit(1);
}

}  // namespace

DisplayGuard::DisplayGuard() { previousHandler = qInstallMessageHandler(holdOrRefuse); }

DisplayGuard::~DisplayGuard() {
    qInstallMessageHandler(previousHandler);
    const QMessageLogContext context;
    for (const auto& m : held) qt_message_output(m.type, context, m.text);
    held.clear();
    held.shrink_to_fit();
}

QTranslator* loadJapaneseQtTranslations() {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ja"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        say(QStringLiteral("Qt's Japanese texts are not in %1, so menus are in English "
                           "(Debian package qt6-translations-l10n)")
                .arg(folder));
        return nullptr;
    }
    return translator;
}

QString gameLanguage(const QStringList& uiLanguages, const QStringList& catalogues) {
    for (const QString& name : uiLanguages) {
        const QLocale locale(name);
        if (locale.language() == QLocale::Japanese) break;
        if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage) continue;
        const QString code = QLocale::languageToCode(locale.language());
        if (catalogues.contains(code)) return code;
    }
    return QStringLiteral("ja");
}

QStringList gameCatalogues() {
    QStringList codes;
    const QString prefix = QStringLiteral("mironeka_");
    for (const QString& file : QDir(QStringLiteral(":/i18n")).entryList({prefix + "*.qm"})) {
        codes << file.mid(prefix.size()).chopped(3);
    }
    return codes;
}

QString useGameLanguage(const QString& language) {
    static QTranslator* installed = nullptr;
    if (installed != nullptr) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    ui::setCatalogue({});
    if (language == QLatin1String("ja")) return language;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("mironeka_") + language, QStringLiteral(":/i18n")) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return QStringLiteral("ja");
    }
    installed = translator.release();
    ui::setCatalogue(
        [](const char* context, std::string_view source) -> std::optional<std::string> {
            const QByteArray key(source.data(), static_cast<qsizetype>(source.size()));
            return QCoreApplication::translate(context, key.constData()).toStdString();
        });
    return language;
}

QString missingFontNotice(const QStringList& japaneseFamilies) {
    if (!japaneseFamilies.isEmpty()) return {};
    return QStringLiteral(
        "no font with Japanese characters found, so the game's texts show as "
        "boxes; install one, e.g. the Debian packages fonts-monapo and "
        "fonts-ipafont-gothic");
}

QTranslator* prepareApplication() {
    // The same look on every desktop: Fusion draws everything from the
    // palette, and the palette is the game's, not the desktop theme's.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(gamePalette());
    QToolTip::setPalette(gamePalette());
    // The game's font also for what it doesn't build itself (tooltips, the
    // edit boxes' menus): one font for every Japanese text, so no second
    // font is loaded for a few words.
    QApplication::setFont(defaultFont());
    QToolTip::setFont(defaultFont());
    // The player's language where the game has it, else Japanese; Qt's own
    // words follow (its sources are English).
    const QString language =
        useGameLanguage(gameLanguage(QLocale::system().uiLanguages(), gameCatalogues()));
    QTranslator* translator =
        language == QLatin1String("ja") ? loadJapaneseQtTranslations() : nullptr;
    const QString notice = missingFontNotice(QFontDatabase::families(QFontDatabase::Japanese));
    if (!notice.isEmpty()) say(notice);
    return translator;
}

}  // namespace mironeka::qt
