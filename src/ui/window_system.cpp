#include "window_system.h"

#include <stdexcept>

#include "platform.h"

namespace ui {

WindowSystem::WindowSystem(Platform& platform) : platform_(platform) {}

WindowSystem::~WindowSystem()
{
    ended_ = true;
    const auto windows = windows_;
    windows_.clear();
    for (const auto& [name, window] : windows) delete window.data();
}

void WindowSystem::define(const QString& name, Factory factory)
{
    factories_[name] = std::move(factory);
}

Window* WindowSystem::show(const QString& name)
{
    Window* w = findOrBuild(name);
    w->show();
    w->raise();
    w->activateWindow();
    emit windowShown(w);
    return w;
}

Window* WindowSystem::ensure(const QString& name)
{
    Window* w = findOrBuild(name);
    w->dress();
    return w;
}

Window* WindowSystem::findOrBuild(const QString& name)
{
    if (Window* w = find(name)) return w;
    const auto factory = factories_.find(name);
    if (factory == factories_.end())
        throw std::out_of_range("no window is called " + name.toStdString());
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
    emit windowCreated(w);
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

QStringList WindowSystem::windowNames() const
{
    QStringList names;
    for (const auto& [name, window] : windows_)
        if (window) names.append(name);
    return names;
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
