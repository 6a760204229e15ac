#pragma once
// A top-level window of the program, built from its design state. Every
// window shares one frame: caption, the program's icon, a fixed client size,
// minimise and close boxes; it is never maximised or made full-screen, even
// where the frame offers that against the window's wishes. Closing a window
// destroys it.

#include <functional>
#include <vector>

#include <QMainWindow>

#include "design.h"

namespace ui {

// A window or control asked for by a name no design gives: a fault of the
// program itself, never of its user. A debug build stops there and then; a
// release build stops the click, logs it and goes on.
[[noreturn]] void unknownName(const QString& what);

class Window : public QMainWindow {
    Q_OBJECT
public:
    explicit Window(const WindowSpec& spec);

    // Gives the controls their fonts at once; does nothing the second time.
    // A window gets them as it is built, but the first fonts set up the font
    // machinery of the whole program: a window built before that (the
    // welcome screen) gets them once the display has been asked to map it,
    // just before it is first painted, and comes up as soon as a bare window
    // would.
    void giveFonts();

    // Takes the keyboard once the display has it on screen. Asked for before
    // the window is mapped, the request is answered first and comes to
    // nothing: GNOME through XWayland then reports the new window as having
    // the keyboard while its keys reach no window of the program.
    void activateOnceExposed();

    bool isMainWindow() const { return isMainWindow_; }

    // The control of that name. There is always one: asking for another is
    // a fault of the program's own (see unknownName).
    template <class T = QWidget>
    T* control(const QString& name) const
    {
        if (T* c = findChild<T*>(name)) return c;
        unknownName("window " + objectName() + " has no control " + name);
    }

    // Runs the handler when the button, clickable label or menu item of that
    // name is clicked. A handler that throws stops at that step; the failure
    // is logged and the program goes on.
    void onClick(const QString& name, std::function<void()> handler);

    // Runs when the user closes the window through its frame.
    void onFrameClose(std::function<void()> handler);

    // Closes and destroys the window as the program's own action.
    void closeWindow();

signals:
    void closing(ui::Window* window);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void clickIfEnabled(const QString& name);

    QString defaultButton_;
    QString cancelButton_;
    std::function<void()> frameCloseHandler_;
    bool closingByProgram_ = false;
    bool isMainWindow_ = false;
    struct PendingFont {
        QWidget* control;
        FontSpec font;
    };
    std::vector<PendingFont> pendingFonts_;
    bool activateOnceExposed_ = false;
};

// Runs a click handler, logging instead of propagating any failure.
void runHandler(const QString& where, const std::function<void()>& handler);

}  // namespace ui
