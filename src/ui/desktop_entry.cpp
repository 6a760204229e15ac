#include "desktop_entry.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <array>

namespace ui {
namespace {

// The atoms of the given names, asked for together: one round trip to the
// X server, made before the window is mapped.
template <std::size_t N>
std::array<xcb_atom_t, N> atoms(xcb_connection_t* connection, const std::array<const char*, N>& names)
{
    std::array<xcb_intern_atom_cookie_t, N> cookies{};
    for (std::size_t i = 0; i < N; ++i)
        cookies[i] = xcb_intern_atom(connection, false, uint16_t(qstrlen(names[i])), names[i]);
    std::array<xcb_atom_t, N> found{};
    for (std::size_t i = 0; i < N; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
        found[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
    }
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
    static const auto [utf8, kdeEntry, gtkEntry] =
        atoms<3>(connection, {"UTF8_STRING", "_KDE_NET_WM_DESKTOP_FILE", "_GTK_APPLICATION_ID"});
    const QByteArray entry = QGuiApplication::desktopFileName().toUtf8();
    for (const xcb_atom_t name : {kdeEntry, gtkEntry})
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), name, utf8, 8,
                            uint32_t(entry.size()), entry.constData());
}

}  // namespace ui
