#pragma once
// The program's only requests to the world outside its windows.

class QUrl;

namespace ui {

class Platform {
public:
    virtual ~Platform() = default;
    // One short standard sound; never blocks the click.
    virtual void beep() = 0;
    // Asks the desktop to open the address in the user's browser without
    // waiting; returns false when the desktop refused.
    virtual bool openUrl(const QUrl& url) = 0;
    // Leaves the program's event loop; the windows are already closed.
    virtual void endProgram() = 0;
};

}  // namespace ui
