#include "look.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

namespace ui {

void installLook()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    // Read after the first window is mapped: the first image Qt reads makes it
    // look through its image plugins, which put the welcome screen on screen
    // some 3 ms later, and no window draws the icon itself.
    QMetaObject::invokeMethod(
        qApp, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/snelk-32.png"))); },
        Qt::QueuedConnection);
}

}  // namespace ui
