#include "look.h"

#include <QApplication>
#include <QIcon>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>

namespace ui {
namespace {

// Fusion, but without the picture of the menu bar's overflow button: the
// menus always fit, so it never shows, and it is the one picture Qt would
// read by asking every installed image plugin what it is, which loads them
// all into the program.
class Style : public QProxyStyle {
public:
    Style() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) return {};
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

}  // namespace

void installLook()
{
    QApplication::setStyle(new Style);
    QApplication::setPalette(QApplication::style()->standardPalette());
    // The icon is not drawn in any window, so it is decoded after the first
    // window is up rather than before.
    QMetaObject::invokeMethod(
        qApp, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/snelk-32.png"))); },
        Qt::QueuedConnection);
}

}  // namespace ui
