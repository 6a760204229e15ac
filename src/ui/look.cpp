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
    // The icon is not drawn in any window, so it is decoded after the first
    // window is up rather than before.
    QMetaObject::invokeMethod(
        qApp, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/snelk-32.png"))); },
        Qt::QueuedConnection);
}

}  // namespace ui
