#include <QApplication>

#include "qt/driver.h"
#include "qt/startup.h"

int main(int argc, char* argv[]) {
    if (!mironeka::qt::displayAvailable(argc, argv)) return 1;
    QApplication app(argc, argv);
    mironeka::qt::prepareApplication();
    // The game alone decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    mironeka::qt::Driver driver;
    QObject::connect(&driver, &mironeka::qt::Driver::gameEnded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
