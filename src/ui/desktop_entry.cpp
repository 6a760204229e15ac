#include "desktop_entry.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

namespace ui {
namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, false, uint16_t(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return found;
}

}  // namespace

void nameDesktopEntry(QWindow* window)
{
    // Only Qt's X11 platform: others may offer the same interface with no
    // connection behind it (the offscreen one does).
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection || !window || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    static const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    static const xcb_atom_t names[] = {atom(connection, "_KDE_NET_WM_DESKTOP_FILE"),
                                       atom(connection, "_GTK_APPLICATION_ID")};
    const QByteArray entry = QGuiApplication::desktopFileName().toUtf8();
    for (const xcb_atom_t name : names)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), name, utf8, 8,
                            uint32_t(entry.size()), entry.constData());
}

}  // namespace ui
