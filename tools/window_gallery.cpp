// Renders every window of the program in its design state to PNG files, for
// looking at layouts without clicking through a test:
//   build/window-gallery OUT-DIR [WINDOW...]

#include <QApplication>
#include <QDir>

#include "app/program.h"
#include "ui/look.h"
#include "ui/qt_platform.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    ui::installLook();
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        qWarning("usage: window-gallery OUT-DIR [WINDOW...]");
        return 2;
    }
    QDir().mkpath(args.first());
    ui::QtPlatform platform;  // nothing is clicked: it is never asked for anything
    app::Program program(platform);
    QStringList names = args.mid(1);
    if (names.isEmpty()) names = program.windows().definedNames();
    for (const QString& name : names) {
        ui::Window* w = program.windows().show(name);
        QCoreApplication::processEvents();
        w->grab().save(args.first() + QLatin1Char('/') + name + QLatin1String(".png"));
    }
    return 0;
}
