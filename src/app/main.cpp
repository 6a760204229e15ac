#include <QApplication>

#include "program.h"
#include "program_identity.h"
#include "ui/frame.h"
#include "ui/qt_platform.h"

int main(int argc, char* argv[])
{
    // The program reads no command line, not even the toolkit's own options
    // (-reverse, -style, -platform and the like): however it is started, it
    // shows the same windows. The desktop's settings for Qt still reach it,
    // through the environment.
    char fallbackName[] = "snelk-test";
    char platformOption[] = "-platform";
    char* toolkitArguments[] = {argc > 0 && argv[0] ? argv[0] : fallbackName, nullptr, nullptr, nullptr};
    int toolkitArgumentCount = 1;
    // Given to Qt alone, so that nothing the program starts inherits it.
    if (const char* platform = ui::platformForTheDesktopsFrame()) {
        toolkitArguments[toolkitArgumentCount++] = platformOption;
        toolkitArguments[toolkitArgumentCount++] = const_cast<char*>(platform);
    }
    QApplication application(toolkitArgumentCount, toolkitArguments);
    // The program itself decides when it ends: hidden windows keep it alive.
    QApplication::setQuitOnLastWindowClosed(false);
    // Lets the desktop match the windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(SNELK_APP_ID));
    ui::QtPlatform platform;
    ui::WindowSystem windows(platform);
    app::Program program(windows);
    program.start();
    return QApplication::exec();
}
