// Renders every window of the program in its design state to PNG files, for
// looking at layouts without clicking through a test:
//   build/window-gallery OUT-DIR [WINDOW...]

#include <QApplication>
#include <QDir>

#include "session.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        qWarning("usage: window-gallery OUT-DIR [WINDOW...]");
        return 2;
    }
    QDir().mkpath(args.first());
    QStringList names = args.mid(1);
    if (names.isEmpty()) names = everyWindow();
    Session s;
    for (const QString& name : names) {
        ui::Window* w = s.windows().show(name);
        QCoreApplication::processEvents();
        w->grab().save(args.first() + QLatin1Char('/') + name + QLatin1String(".png"));
    }
    return 0;
}
