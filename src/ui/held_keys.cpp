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
        // The copy of a release whose original this filter did not see
        // still lets the key go.
        if (isCopy(release)) {
            if (!release.isAutoRepeat()) keys_[identity(release)].down = false;
            return false;
        }
        released(release);
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
    // A keyboard repeats only the key pressed last. A key pressed before this
    // one repeats no more, even where its release went unseen (sent while no
    // window of the program had the focus), so its next press is a fresh one.
    for (auto other = keys_.begin(); other != keys_.end(); ++other)
        if (&*other != &key) other->down = false;
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
