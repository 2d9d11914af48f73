#include <QApplication>

#include "qt/driver.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The game alone decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    mironeka::qt::Driver driver;
    QObject::connect(&driver, &mironeka::qt::Driver::gameEnded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
