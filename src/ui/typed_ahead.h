#pragma once
// A key typed into a window acts there, even when it comes before the word
// that the window is the active one. On Wayland Qt learns that a window is
// active only from the compositor's next configure of it, which can come
// after keys the compositor already sends to that window: a user who types
// on as the next window comes up would find its access keys (window-wide
// shortcuts, which act only in the active window) did nothing. Keys come
// only to the window that has the keyboard, so the window a key is for is
// made the active one before the key is looked at.

#include <QObject>

namespace ui {

class TypedAhead : public QObject {
    Q_OBJECT
public:
    // Watches every key press of the application while it exists.
    TypedAhead();
    ~TypedAhead() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace ui
