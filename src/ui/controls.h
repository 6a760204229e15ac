#pragma once
// The few widgets the designs need beyond Qt's own: buttons and choices whose
// captions wrap onto several lines, as the designed rectangles expect, a
// label that can be clicked, a picture sharp on every screen, and the client
// area of a window.

#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QRadioButton>

namespace ui {

class PushButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

class RadioButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // Whether anything answers the label's clicks: only then is it a link.
    bool isClickable() const { return isSignalConnected(QMetaMethod::fromSignal(&ClickableLabel::clicked)); }
    // Clicks the label as the mouse does.
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A picture from the program's resources, stretched to the control or shown
// at its natural size. It comes at 1x and 2x ("name@2x.png"), and each paint
// takes the one that suits the screen the window is on, as Qt's icons do.
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(const QString& resource, bool stretched, QWidget* parent);

    QSize naturalSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString resource_;
    bool stretched_;
};

// Paints an optional coloured band across its top.
class ClientArea : public QWidget {
    Q_OBJECT
public:
    ClientArea(QRect band, QColor bandColour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect band_;
    QColor bandColour_;
};

}  // namespace ui
