#pragma once
// A control's text drawn once into a picture of its own and copied whenever
// the control paints. Drawing text glyph by glyph is most of what painting a
// window costs, and a control's text seldom changes; the picture is drawn
// again whenever anything it shows does (text, font, colour, size, state).

#include <functional>

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QString>

class QPainter;
class QWidget;

namespace ui {

class TextPicture {
public:
    // Draws the text as the widget's style would, with the painter's font.
    void draw(QPainter& painter, const QWidget* widget, const QRect& rect, int flags, const QString& text,
              const QPalette& palette, bool enabled, QPalette::ColorRole role);

private:
    struct Looks {
        QString text;
        QFont font;
        QSize size;
        int flags = 0;
        QRgb colour = 0;
        bool enabled = true;
        qreal pixelRatio = 1;
        bool operator==(const Looks&) const = default;
    };
    Looks looks_;
    QImage picture_;
};

// A control whose text is drawn through a TextPicture.
class DrawsTextPicture {
public:
    // Draws the picture ahead of the control's first paint, so that a window
    // built ahead has only to copy its texts when it comes on screen.
    virtual void prepareTextPicture() = 0;

protected:
    ~DrawsTextPicture() = default;
};

// Runs the drawing with a painter that draws nowhere, set up with the
// widget's font and pixel ratio.
void paintOffstage(const QWidget* widget, const std::function<void(QPainter&)>& draw);

}  // namespace ui
