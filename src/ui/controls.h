#pragma once
// The few widgets the designs need beyond Qt's own: buttons whose captions
// wrap onto several lines, as the designed rectangles expect, a label that
// can be clicked, and the client area of a window.

#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>

#include "text_picture.h"

namespace ui {

class PushButton : public QPushButton, public DrawsTextPicture {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
    void prepareTextPicture() override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QStyleOptionButton styleOption() const;
    void drawCaption(QPainter& p, const QStyleOptionButton& opt);
    TextPicture caption_;
};

class RadioButton : public QRadioButton, public DrawsTextPicture {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;
    void prepareTextPicture() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QStyleOptionButton styleOption() const;
    QRect indicatorRect(const QStyleOptionButton& opt) const;
    QRect captionRect(const QStyleOptionButton& opt) const;
    int captionFlags(const QStyleOptionButton& opt) const;
    void drawCaption(QPainter& p, const QStyleOptionButton& opt);
    TextPicture caption_;
};

class ClickableLabel : public QLabel, public DrawsTextPicture {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void prepareTextPicture() override;

    // Whether anything answers the label's clicks: only then is it a link.
    bool isClickable() const { return isSignalConnected(QMetaMethod::fromSignal(&ClickableLabel::clicked)); }
    // Clicks the label as the mouse does.
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool isPlainText() const;
    void drawText(QPainter& p);
    TextPicture text_;
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
