#include "look.h"

#include <QApplication>
#include <QList>
#include <QIcon>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>

#include <utility>

#ifdef __GLIBC__
#include <malloc.h>
#endif


namespace ui {
namespace {

// The variables setUpProcess() set, as opposed to those the user did.
QList<const char*>& switchesSet()
{
    static QList<const char*> names;
    return names;
}

void setForTheToolkit(const char* name)
{
    if (qEnvironmentVariableIsSet(name)) return;  // the user's own choice stands
    qputenv(name, "1");
    switchesSet().append(name);
}

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
    // The style keeps a picture of every button face it draws, in every state
    // (hovered, pressed, focused, in an active window or not), and would keep
    // up to 10 MB of them. The faces of the windows on view fit in far less.
    QPixmapCache::setCacheLimit(128);
    QApplication::setPalette(QApplication::style()->standardPalette());
    // The icon is not drawn in any window, so it is decoded after the first
    // window is up rather than before.
    QMetaObject::invokeMethod(
        qApp, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/snelk-32.png"))); },
        Qt::QueuedConnection);
}

void setUpProcess()
{
#ifdef __GLIBC__
    // A window's picture of itself, a few hundred kilobytes, comes and goes
    // with every window. Left to itself glibc would, after the first is freed,
    // carve such blocks from the heap instead of mapping them, and the heap
    // would fragment and grow over a long session.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    // Every window of the program is small, and a click often brings up a new
    // one: its pixels reach the X server sooner through the connection itself
    // than through a shared memory segment set up afresh for each window.
    setForTheToolkit("QT_XCB_NO_MITSHM");
    // With the extended input of X, Qt asks the X server about every scrolling
    // device whenever the pointer enters one of its windows, a round trip per
    // device in the middle of nearly every click here, since each click brings
    // a new window up under the pointer. The program has nothing to scroll,
    // and touch and pen still arrive, as the pointer they move.
    setForTheToolkit("QT_XCB_NO_XI2");
}

void takeBackProcessSwitches()
{
    for (const char* name : std::exchange(switchesSet(), {})) qunsetenv(name);
}

}  // namespace ui
