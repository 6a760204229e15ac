#pragma once
// The registry of the program's windows. Every window exists at most once,
// is built from its definition when first needed and destroyed when it
// closes. The program ends when no window exists any more, checked only once
// the click being handled has finished.

#include <functional>
#include <map>
#include <vector>

#include <QObject>
#include <QPointer>

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
    // Registers a window built from a design under the design's name; `setup`
    // then gives it its handlers. The design is kept as given: its controls
    // and texts are the program's constants.
    void define(WindowSpec design, std::function<void(Window&)> setup);

    // Shows the window, building it first if it does not exist; an existing
    // window, hidden or on view, is shown again and raised.
    Window* show(const QString& name);
    // The window, built hidden if it does not exist yet, with its fonts.
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

private:
    Window* findOrBuild(const QString& name);
    void putOnScreen(Window* w);
    void putWaitingOnScreen();
    void forget(Window* window);
    void endIfNoWindowLeft();

    Platform& platform_;
    std::map<QString, Factory> factories_;
    std::map<QString, QPointer<Window>> windows_;
    std::vector<QPointer<Window>> waiting_;  // shown while a window of their caption was on view
    bool ended_ = false;
};

}  // namespace ui
