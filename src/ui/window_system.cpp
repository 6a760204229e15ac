#include "window_system.h"

#include <utility>

#include <QLayout>

#include "platform.h"

namespace ui {

WindowSystem::WindowSystem(Platform& platform) : platform_(platform)
{
    preparing_.setSingleShot(true);
    preparing_.setInterval(0);
    connect(&preparing_, &QTimer::timeout, this, &WindowSystem::prepareOne);
}

WindowSystem::~WindowSystem()
{
    ended_ = true;
    dropPrepared({});
    const auto windows = windows_;
    windows_.clear();
    for (const auto& [name, window] : windows) delete window.data();
}

void WindowSystem::define(const QString& name, Factory factory)
{
    factories_[name] = std::move(factory);
}

void WindowSystem::define(const WindowSpec& design, std::function<void(Window&)> setup)
{
    define(design.name, [&design, setup = std::move(setup)] {
        auto* w = new Window(design);
        setup(*w);
        return w;
    });
}

QStringList WindowSystem::definedNames() const
{
    QStringList names;
    for (const auto& [name, factory] : factories_) names.append(name);
    return names;
}

Window* WindowSystem::show(const QString& name)
{
    Window* w = findOrBuild(name);
    emit windowShown(w);
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

void WindowSystem::putOnScreen(Window* w)
{
    w->show();
    if (w->hasBeenDrawn()) {
        w->raise();
        w->activateWindow();
    } else {
        // A window going on screen for the first time comes up on top anyway,
        // and it takes the keyboard once it has been drawn: asking for either
        // sooner would make the display answer those requests first.
        connect(w, &Window::drawn, w, &QWidget::activateWindow, Qt::SingleShotConnection);
    }
}

void WindowSystem::putWaitingOnScreen()
{
    for (const QPointer<Window>& w : std::exchange(waiting_, {}))
        if (w && find(w->objectName()) == w) putOnScreen(w);
}

Window* WindowSystem::ensure(const QString& name)
{
    const bool existed = find(name);
    Window* w = findOrBuild(name);
    w->dress();
    if (!existed) prepareIfNext(name);
    return w;
}

Window* WindowSystem::findOrBuild(const QString& name)
{
    if (Window* w = find(name)) return w;
    Window* w = nullptr;
    if (const auto ready = prepared_.find(name); ready != prepared_.end()) {
        w = ready->second.data();
        prepared_.erase(ready);
    }
    if (!w) w = build(name);
    windows_[name] = w;
    connect(w, &Window::drawn, this, &WindowSystem::prepareFollowers);
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

Window* WindowSystem::build(const QString& name)
{
    const auto factory = factories_.find(name);
    if (factory == factories_.end())
        unknownName("no window is called " + name);
    return factory->second();
}

// While the user reads a window, the windows its clicks may bring up are
// built, dressed and given their place on the display, so that a click has
// only to put the next one on screen. They belong to the program only once
// shown or asked for; the others are let go when the next window is drawn.
void WindowSystem::prepareFollowers(Window* shown)
{
    wanted_.clear();
    for (const QString& name : shown->followers()) want(name);
    dropPrepared(shown->followers());
    if (!wanted_.empty()) preparing_.start();
}

// A window built hidden, because a click set one of its controls, is made
// ready like one built ahead if a window on view may bring it up next.
void WindowSystem::prepareIfNext(const QString& name)
{
    for (const auto& [openName, open] : windows_) {
        if (!open || !open->hasBeenDrawn() || !open->isVisible() || !open->followers().contains(name)) continue;
        want(name);
        preparing_.start();
        return;
    }
}

// The steps that make a window ready; those already done are passed over.
void WindowSystem::want(const QString& name)
{
    for (Step step : {Step::Build, Step::Place}) wanted_.push_back({name, step});
}

// One step of one window per turn of the event loop, so that a click never
// waits long for the work ahead of it.
void WindowSystem::prepareOne()
{
    while (!ended_ && !wanted_.empty()) {
        const auto [name, step] = wanted_.front();
        wanted_.pop_front();
        if (step == Step::Build && (find(name) || prepared_.count(name) || !factories_.count(name))) continue;
        Window* ready = preparable(name);
        if (step != Step::Build && !ready) continue;
        runHandler(QStringLiteral("preparing ") + name, [&] {
            switch (step) {
            case Step::Build: {
                QPointer<Window> w = build(name);
                prepared_[name] = w;
                w->dress();
                break;
            }
            case Step::Place:
                ready->ensurePolished();
                // Its own size first, so the native window is made at that
                // size and showing it moves nothing on the display.
                ready->layout()->activate();
                ready->winId();
                break;
            }
        });
        preparing_.start();
        return;
    }
}

// A window built ahead, or one the program built hidden because another
// window set one of its controls and that has not been on screen yet.
Window* WindowSystem::preparable(const QString& name) const
{
    if (const auto ready = prepared_.find(name); ready != prepared_.end()) return ready->second.data();
    Window* w = find(name);
    return w && !w->isVisible() && !w->hasBeenDrawn() ? w : nullptr;
}

bool WindowSystem::isPrepared(const Window* window) const
{
    const auto it = prepared_.find(window->objectName());
    return it != prepared_.end() && it->second.data() == window;
}

void WindowSystem::dropPrepared(const QStringList& keep)
{
    for (auto it = prepared_.begin(); it != prepared_.end();) {
        if (keep.contains(it->first)) {
            ++it;
            continue;
        }
        delete it->second.data();
        it = prepared_.erase(it);
    }
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
    dropPrepared({});
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
