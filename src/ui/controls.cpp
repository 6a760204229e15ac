#include "controls.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>

namespace ui {
namespace {

// The caption with a line break wherever Qt's word wrapping breaks it within
// `width` pixels. An access key's "&" counts for nothing and stays with its
// letter.
QString inLines(const QString& caption, const QFont& font, int width)
{
    QString shown;
    QList<qsizetype> from;  // where each shown character is in the caption
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && ++i == caption.size()) break;
        shown += caption[i];
        from << i;
    }
    QTextLayout layout(shown, font);
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(wrapping);
    layout.beginLayout();
    QString lines;
    qsizetype done = 0;  // in the caption
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        const qsizetype end = line.textStart() + line.textLength();
        const qsizetype upTo = end < from.size() ? from[end] : caption.size();
        if (!lines.isEmpty()) lines += QLatin1Char('\n');
        lines += caption.mid(done, upTo - done).trimmed();
        done = upTo;
    }
    layout.endLayout();
    return lines;
}

// Paints with the application's own palette object wherever the control has
// no colours of its own. Each widget holds a copy of the palette of its own,
// and the style keys the pictures of button faces it keeps by that copy: left
// to itself it would never reuse one for another button, and would keep
// adding pictures of buttons long closed (a megabyte or two every few tests).
void useSharedPalette(const QWidget* w, QStyleOption& opt)
{
    if (w->testAttribute(Qt::WA_SetPalette)) return;
    QPalette shared = QApplication::palette(w);
    if (!(shared == opt.palette)) return;
    shared.setCurrentColorGroup(opt.palette.currentColorGroup());
    opt.palette = shared;
}

// As QPushButton and QRadioButton paint themselves, with the caption broken
// into the lines that fit its room, since the style draws it on one line.
void paintInLines(QWidget* button, QStyleOptionButton& opt, QStyle::SubElement room, QStyle::ControlElement face)
{
    useSharedPalette(button, opt);
    opt.text = inLines(opt.text, button->font(), button->style()->subElementRect(room, &opt, button).width());
    QStylePainter(button).drawControl(face, opt);
}

}  // namespace

// An access key presses the button at once, like a click, rather than after
// Qt's animated press: the click is handled to its end before the next key.
bool PushButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
        if (isEnabled()) {
            setFocus(Qt::ShortcutFocusReason);
            click();
        }
        return true;
    }
    return QPushButton::event(event);
}

void PushButton::paintEvent(QPaintEvent*)
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    paintInLines(this, opt, QStyle::SE_PushButtonContents, QStyle::CE_PushButton);
}

void RadioButton::paintEvent(QPaintEvent*)
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    paintInLines(this, opt, QStyle::SE_RadioButtonContents, QStyle::CE_RadioButton);
}

// The whole rectangle answers the mouse, wrapped caption included.
bool RadioButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

namespace {

// One set of versions per picture for the program's life: Qt keeps what it
// draws of an icon between paints, under that icon's own key, so a fresh icon
// for each window would add a copy every time the window came up.
const QIcon& versionsOf(const QString& resource)
{
    static QHash<QString, QIcon> loaded;
    auto it = loaded.find(resource);
    if (it == loaded.end()) {
        // Qt adds the 2x version by itself only where a screen at 2x is
        // already there; the picture may be shown on one later.
        QIcon versions(resource);
        QString sharp = resource;
        sharp.insert(sharp.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
        const QSize natural = QImageReader(resource).size();
        if (QFile::exists(sharp) && !versions.availableSizes().contains(natural * 2)) versions.addFile(sharp);
        it = loaded.insert(resource, versions);
    }
    return *it;
}

}  // namespace

Picture::Picture(const QString& resource, bool stretched, QWidget* parent)
    : QWidget(parent), resource_(resource), stretched_(stretched)
{
}

QSize Picture::naturalSize() const { return QImageReader(resource_).size(); }

// The picture is read when first painted, so that a window shown straight
// away is on the screen before any picture is decoded.
void Picture::paintEvent(QPaintEvent*)
{
    const QRect place = stretched_ ? rect() : QRect(QPoint(), naturalSize());
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // The device's pixel ratio: the screen's backing store's when painted on screen.
    p.drawPixmap(place, versionsOf(resource_).pixmap(place.size(), p.device()->devicePixelRatio()));
}

ClientArea::ClientArea(QRect band, QColor bandColour) : band_(band), bandColour_(bandColour) {}

void ClientArea::paintEvent(QPaintEvent*)
{
    if (band_.isEmpty()) return;
    QPainter p(this);
    p.fillRect(band_, bandColour_);
}

}  // namespace ui
