#include "window_system.h"

#include <utility>

#include <QWindow>

#include "platform.h"

namespace ui {

WindowSystem::WindowSystem(Platform& platform) : platform_(platform) {}

WindowSystem::~WindowSystem()
{
    ended_ = true;
    const auto windows = std::exchange(windows_, {});
    for (const auto& [name, window] : windows) delete window.data();
}

void WindowSystem::define(const QString& name, Factory factory)
{
    factories_[name] = std::move(factory);
}

void WindowSystem::define(WindowSpec design, std::function<void(Window&)> setup)
{
    define(design.name, [design, setup = std::move(setup)] {
        auto* w = new Window(design);
        setup(*w);
        return w;
    });
}

Window* WindowSystem::show(const QString& name)
{
    Window* w = findOrBuild(name);
    // Window managers tell two windows of one caption apart by numbering the
    // newer ("True or False <2>"). Where the window on view with this caption
    // is the one the click is about to close, this one goes on screen once
    // it has gone; should it stay, this one comes up after the click anyway.
    for (const auto& [otherName, other] : windows_) {
        if (other && other != w && other->isVisible() && other->windowTitle() == w->windowTitle()) {
            waiting_.push_back(w);
            QMetaObject::invokeMethod(this, &WindowSystem::putWaitingOnScreen, Qt::QueuedConnection);
            return w;
        }
    }
    putOnScreen(w);
    return w;
}

// A window going on screen for the first time comes up on top anyway;
// raising it as well would only give the display a change of place to handle
// before the window can be drawn. Qt hands a window the keyboard once the
// display has mapped it.
void WindowSystem::putOnScreen(Window* w)
{
    if (w->isVisible()) w->raise();
    w->show();
    if (w->windowHandle()->isExposed()) w->activateWindow();
    else w->activateOnceExposed();
}

void WindowSystem::putWaitingOnScreen()
{
    for (const QPointer<Window>& w : std::exchange(waiting_, {}))
        if (w && find(w->objectName()) == w) putOnScreen(w);
}

Window* WindowSystem::ensure(const QString& name)
{
    Window* w = findOrBuild(name);
    w->giveFonts();
    return w;
}

Window* WindowSystem::findOrBuild(const QString& name)
{
    if (Window* w = find(name)) return w;
    const auto factory = factories_.find(name);
    if (factory == factories_.end()) unknownName("no window is called " + name);
    Window* w = factory->second();
    windows_[name] = w;
    connect(w, &Window::closing, this, &WindowSystem::forget);
    connect(w, &QObject::destroyed, this, [this, name, w] {
        auto it = windows_.find(name);
        if (it != windows_.end() && (it->second.isNull() || it->second.data() == w)) {
            windows_.erase(it);
            endIfNoWindowLeft();
        }
    });
    return w;
}

Window* WindowSystem::find(const QString& name) const
{
    const auto it = windows_.find(name);
    return it == windows_.end() ? nullptr : it->second.data();
}

void WindowSystem::close(const QString& name)
{
    if (Window* w = find(name)) w->closeWindow();
    putWaitingOnScreen();
}

void WindowSystem::endProgram()
{
    if (ended_) return;
    ended_ = true;
    const auto windows = windows_;
    for (const auto& [name, window] : windows)
        if (window) window->closeWindow();
    platform_.endProgram();
}

// A closed window is gone at once for the program, even though Qt deletes
// the object only when control returns to the event loop.
void WindowSystem::forget(Window* window)
{
    const auto it = windows_.find(window->objectName());
    if (it == windows_.end() || it->second.data() != window) return;
    windows_.erase(it);
    endIfNoWindowLeft();
}

void WindowSystem::endIfNoWindowLeft()
{
    if (!windows_.empty() || ended_) return;
    // Wait for the click being handled: it may be about to show another window.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (windows_.empty() && !ended_)
                runHandler(QStringLiteral("end of program"), [this] { endProgram(); });
        },
        Qt::QueuedConnection);
}

}  // namespace ui
