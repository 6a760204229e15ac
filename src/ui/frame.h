#pragma once

namespace ui {

// One frame for every window on every desktop: the desktop's own, with the
// buttons the windows ask for (minimise and close, as the desktop shows
// them), never one that lets a window be maximised or resized.
//
// A Wayland desktop that draws no frames for its programs' windows (GNOME
// Shell, weston) leaves Qt to draw its own, which in Qt 6.4 always offers a
// maximise button. Where such a desktop also runs XWayland, the program goes
// through it: the desktop then frames the windows as it frames every X11
// program. Returns the Qt platform to start on, or nullptr for Qt's own
// choice, which also stands whenever the user has named one.
const char* platformForTheDesktopsFrame();

}  // namespace ui
