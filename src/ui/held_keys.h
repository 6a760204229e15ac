#pragma once
// A key held down presses once. Its repeats never reach a control, whichever
// window has come up since it went down: Enter held on the welcome screen
// opens the main window and does not go on to press its focused "Quit", and
// an access key held on a question answers that question only.
//
// The keyboard's own repeats are not always marked as such: on a busy X
// server a held key's repeat now and then arrives as a release and a fresh
// press. Those two carry the same time stamp, which no person's hand can
// give them, and that is how they are told apart.
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
    bool isRepeat(const QKeyEvent& press);
    void released(const QKeyEvent& release);

    struct Key {
        bool down = false;
        ulong pressedAt = 0;  // time stamp of the latest press, repeats included
        bool autoRepeat = false;
        bool repeat = false;  // whether that press was a repeat
        bool seen = false;
        ulong releasedAt = 0;
        bool released = false;
    };
    QHash<quint32, Key> keys_;
};

}  // namespace ui
