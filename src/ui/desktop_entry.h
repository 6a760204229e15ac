#pragma once

class QWindow;

namespace ui {

// Tells the desktop which menu entry, and so which name and icon, the window
// belongs to, before it goes on screen. On Wayland Qt sends the desktop file
// name itself; on X11 it sets only the window's class, from which KWin cannot
// find the entry, so the window carries the two properties desktops read
// there: KDE's and GTK's.
void nameDesktopEntry(QWindow* window);

}  // namespace ui
