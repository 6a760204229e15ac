#pragma once
// A key held down presses once. Its repeats never reach a control, whichever
// window has come up since it went down: Enter held on the welcome screen
// opens the main window and does not go on to press its focused "Quit", and
// an access key held on a question answers that question only. Every other
// press acts, however short the tap and however late the window manager
// hands the next window the keyboard.
//
// A repeat is told by what the platform says of it, never by the time since
// the key went down. Qt marks the repeats it makes (on Wayland the program
// repeats a held key itself, and only in the window the key went down in).
// An X server repeats a held key as a release and a fresh press with one time
// stamp, which no hand can give them; Qt marks such a pair only when both
// are waiting at once, so the filter also tells them by the stamp. A key
// whose release went unseen (sent while the window it went down in was
// closing) is pressed again as a fresh key.
//
// While a screen reader listens to the keyboard, Qt's accessibility bridge,
// an application event filter too, holds every key press and release back
// until the screen reader has heard it, then posts a copy without a time
// stamp. The keys are judged as they first come, ahead of the bridge: a
// repeat goes no further, and the copies of the others pass.

#include <QHash>
#include <QObject>

class QKeyEvent;

namespace ui {

class HeldKeys : public QObject {
    Q_OBJECT
public:
    // Watches every key event of the application while it exists.
    HeldKeys();
    ~HeldKeys() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keepFirst();
    bool isRepeat(const QKeyEvent& press) const;

    QHash<quint32, ulong> releasedAt_;  // time stamp of each key's latest release
};

}  // namespace ui
