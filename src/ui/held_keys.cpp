#include "held_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace ui {
namespace {

// Longer than any keyboard waits before it repeats a held key. A key seen
// down that long ago, with no repeat since, was let go where the program
// could not see it (in another program's window, say).
constexpr ulong kLongestRepeatDelay = 2000;  // milliseconds

// The physical key where the platform names it, else the key it gives.
quint32 identity(const QKeyEvent& e)
{
    return e.nativeScanCode() ? e.nativeScanCode() : quint32(e.key()) | 0x80000000u;
}

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
    case QEvent::KeyPress:
        if (!isRepeat(*static_cast<QKeyEvent*>(event))) return false;
        // An override taken keeps the access key from acting; the press that
        // then follows is a repeat as well, and goes nowhere.
        event->accept();
        return true;
    case QEvent::KeyRelease:
        released(*static_cast<QKeyEvent*>(event));
        return false;
    default:
        return false;
    }
}

// One press is seen several times: as the override that asks whether it is
// an access key, then by the window and by each control it passes through.
// A time stamp of 0 says nothing: such a press is taken at its word.
bool HeldKeys::isRepeat(const QKeyEvent& press)
{
    Key& key = keys_[identity(press)];
    const ulong at = press.timestamp();
    if (key.seen && key.pressedAt == at && key.autoRepeat == press.isAutoRepeat()) return key.repeat;
    const bool timed = at != 0;
    const bool stillDown = key.down && !(timed && at - key.pressedAt > kLongestRepeatDelay);
    const bool releasedWithIt = timed && key.released && key.releasedAt == at;
    key.repeat = press.isAutoRepeat() || stillDown || releasedWithIt;
    key.seen = true;
    key.down = true;
    key.pressedAt = at;
    key.autoRepeat = press.isAutoRepeat();
    return key.repeat;
}

void HeldKeys::released(const QKeyEvent& release)
{
    if (release.isAutoRepeat()) return;  // the key is still down
    Key& key = keys_[identity(release)];
    key.down = false;
    key.released = true;
    key.releasedAt = release.timestamp();
}

}  // namespace ui
