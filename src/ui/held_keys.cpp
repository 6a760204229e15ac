#include "held_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace ui {
namespace {

// The physical key where the platform names it, else the key it gives.
quint32 identity(const QKeyEvent& e)
{
    return e.nativeScanCode() ? e.nativeScanCode() : quint32(e.key()) | 0x80000000u;
}

// A key event posted anew by a filter that held the original back.
bool isCopy(const QKeyEvent& e) { return !e.spontaneous() && e.timestamp() == 0; }

}  // namespace

HeldKeys::HeldKeys() { QCoreApplication::instance()->installEventFilter(this); }

HeldKeys::~HeldKeys()
{
    if (QCoreApplication* application = QCoreApplication::instance()) application->removeEventFilter(this);
}

bool HeldKeys::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        const auto& press = *static_cast<QKeyEvent*>(event);
        if (isCopy(press)) return false;
        keepFirst();
        if (!isRepeat(press)) return false;
        // An override taken keeps the access key from acting; the press that
        // then follows is a repeat as well, and goes nowhere.
        event->accept();
        return true;
    }
    case QEvent::KeyRelease: {
        const auto& release = *static_cast<QKeyEvent*>(event);
        if (!isCopy(release) && !release.isAutoRepeat()) releasedAt_[identity(release)] = release.timestamp();
        return false;
    }
    default:
        return false;
    }
}

// The application's event filters see an event newest first: this one puts
// itself back ahead of any installed since. A press's override comes before
// the press, and the bridge lets it by, so the press and the release after
// it come here first.
void HeldKeys::keepFirst() { QCoreApplication::instance()->installEventFilter(this); }

// One press is seen several times (as the override that asks whether it is
// an access key, then by the window and by each control it passes through)
// and is judged the same each time. A time stamp of 0 says nothing: such a
// press is taken at its word.
bool HeldKeys::isRepeat(const QKeyEvent& press) const
{
    if (press.isAutoRepeat()) return true;
    const ulong at = press.timestamp();
    const auto release = releasedAt_.constFind(identity(press));
    return at != 0 && release != releasedAt_.cend() && *release == at;
}

}  // namespace ui
