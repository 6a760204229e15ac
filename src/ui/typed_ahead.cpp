#include "typed_ahead.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace ui {

TypedAhead::TypedAhead() { QCoreApplication::instance()->installEventFilter(this); }

TypedAhead::~TypedAhead()
{
    if (QCoreApplication* application = QCoreApplication::instance()) application->removeEventFilter(this);
}

// A press is first offered as an override, to the focused control of the
// window it is for, and only then matched against the shortcuts.
bool TypedAhead::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
    const auto* control = qobject_cast<QWidget*>(watched);
    if (!control || QApplication::activePopupWidget()) return false;
    QWidget* window = control->window();
    if (window->isVisible() && window != QApplication::activeWindow()) QApplication::setActiveWindow(window);
    return false;
}

}  // namespace ui
