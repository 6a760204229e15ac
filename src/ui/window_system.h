#pragma once
// The registry of the program's windows. Every window exists at most once,
// is built from its design state when first needed and destroyed when it
// closes. The program ends when no window exists any more, checked only once
// the click being handled has finished.

#include <functional>
#include <deque>
#include <map>
#include <utility>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include "held_keys.h"
#include "typed_ahead.h"
#include "window.h"

namespace ui {

class Platform;

class WindowSystem : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<Window*()>;

    explicit WindowSystem(Platform& platform);
    ~WindowSystem() override;

    Platform& platform() { return platform_; }

    // Registers how the window of that name is built.
    void define(const QString& name, Factory factory);
    // Registers a window built from a design that never changes, under the
    // design's name; `setup` then gives it its handlers.
    void define(const WindowSpec& design, std::function<void(Window&)> setup);
    // The names of every window that can be built, in name order.
    QStringList definedNames() const;

    // Shows the window, building it first if it does not exist; an existing
    // window, hidden or on view, is shown again and raised.
    Window* show(const QString& name);
    // The window, built hidden if it does not exist yet.
    Window* ensure(const QString& name);
    // The window if it exists.
    Window* find(const QString& name) const;
    // Closes and destroys the window, if it exists.
    void close(const QString& name);

    // A control of a window, building the window hidden if needed.
    template <class T = QWidget>
    T* control(const QString& window, const QString& name)
    {
        return ensure(window)->control<T>(name);
    }

    // Ends the program at once: every window closes.
    void endProgram();
    bool hasEnded() const { return ended_; }

    QStringList windowNames() const;
    // Whether the window was built ahead of a click and is not yet shown.
    bool isPrepared(const Window* window) const;

signals:
    void windowCreated(ui::Window* window);
    void windowShown(ui::Window* window);

private:
    Window* findOrBuild(const QString& name);
    void putOnScreen(Window* w);
    void putWaitingOnScreen();
    Window* build(const QString& name);
    void prepareFollowers(Window* shown);
    void prepareOne();
    Window* preparable(const QString& name) const;
    void prepareIfNext(const QString& name);
    void want(const QString& name);
    void dropPrepared(const QStringList& keep);
    void forget(Window* window);
    void endIfNoWindowLeft();

    Platform& platform_;
    HeldKeys heldKeys_;  // for every window: a held key presses once
    TypedAhead typedAhead_;  // for every window: a key acts in the window it is typed into
    std::map<QString, Factory> factories_;
    std::map<QString, QPointer<Window>> windows_;
    std::map<QString, QPointer<Window>> prepared_;  // built ahead, not yet the program's
    enum class Step { Build, Place };
    std::deque<std::pair<QString, Step>> wanted_;
    std::vector<QPointer<Window>> waiting_;  // shown while a window of their caption was on view
    QTimer preparing_;
    bool ended_ = false;
};

}  // namespace ui
