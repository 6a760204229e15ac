#include <QApplication>

#include "program.h"
#include "ui/look.h"
#include "ui/qt_platform.h"

int main(int argc, char* argv[])
{
    ui::setUpProcess();
    QApplication application(argc, argv);
    // The program itself decides when it ends: hidden windows keep it alive.
    QApplication::setQuitOnLastWindowClosed(false);
    // Lets the desktop match the windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.SnelkTest"));
    ui::installLook();
    ui::QtPlatform platform;
    app::Program program(platform);
    program.start();
    return QApplication::exec();
}
