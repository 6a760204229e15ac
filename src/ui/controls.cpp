#include "controls.h"

#include <QFile>
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

// As QPushButton and QRadioButton paint themselves, with the caption broken
// into the lines that fit the button, since the style draws it on one line.
void PushButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QRect room = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
    opt.text = inLines(opt.text, font(), room.width());
    p.drawControl(QStyle::CE_PushButton, opt);
}

void RadioButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QRect room = style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, this);
    opt.text = inLines(opt.text, font(), room.width());
    p.drawControl(QStyle::CE_RadioButton, opt);
}

// The whole rectangle answers the mouse, wrapped caption included.
bool RadioButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

Picture::Picture(const QString& resource, bool stretched, QWidget* parent)
    : QWidget(parent), stretched_(stretched)
{
    QString sharp = resource;
    sharp.insert(sharp.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
    versions_.addFile(resource);
    if (QFile::exists(sharp)) versions_.addFile(sharp);
    naturalSize_ = QImageReader(resource).size();
}

void Picture::paintEvent(QPaintEvent*)
{
    const QRect place = stretched_ ? rect() : QRect(QPoint(), naturalSize_);
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // The device's pixel ratio: the screen's backing store's when painted on screen.
    p.drawPixmap(place, versions_.pixmap(place.size(), p.device()->devicePixelRatio()));
}

ClientArea::ClientArea(QRect band, QColor bandColour) : band_(band), bandColour_(bandColour) {}

void ClientArea::paintEvent(QPaintEvent*)
{
    if (band_.isEmpty()) return;
    QPainter p(this);
    p.fillRect(band_, bandColour_);
}

}  // namespace ui
