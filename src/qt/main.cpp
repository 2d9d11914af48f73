#include <QApplication>
#include <QIcon>
#include <optional>

#include "qt/driver.h"
#include "qt/pictures.h"
#include "qt/startup.h"

int main(int argc, char* argv[]) {
    if (!mironeka::qt::displayAvailable(argc, argv)) return 1;
    // Who the game is on the desktop. No display name: Qt would append it to
    // every window title, and the titles are the game's own captions.
    QApplication::setApplicationName(QStringLiteral("Mironeka"));
    QApplication::setApplicationVersion(QStringLiteral(MIRONEKA_VERSION));
    QApplication::setOrganizationName(QStringLiteral("VELMORAKI"));
    QApplication::setOrganizationDomain(QStringLiteral("velmoraki.example"));
    QApplication::setDesktopFileName(QStringLiteral("example.velmoraki.Mironeka"));
    std::optional<mironeka::qt::DisplayGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    mironeka::qt::prepareApplication();
    // The icon of every window that has none of its own, frameless ones too;
    // drawn from the SVG at whatever size the desktop asks for.
    QApplication::setWindowIcon(
        QIcon(mironeka::qt::resourcePath(mironeka::ui::Picture::WindowIcon)));
    // The game alone decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    mironeka::qt::Driver driver;
    QObject::connect(&driver, &mironeka::qt::Driver::gameEnded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
