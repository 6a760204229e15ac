#include "controls.h"

#include <QApplication>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace ui {
namespace {

int mnemonicFlags(const QWidget* w, const QStyleOption& opt)
{
    return w->style()->styleHint(QStyle::SH_UnderlineShortcut, &opt, w) ? Qt::TextShowMnemonic
                                                                       : Qt::TextHideMnemonic;
}

// Draws with the application's own palette object wherever the control has
// no colours of its own. Every widget holds a private copy of the palette, and
// the style keys its cache of drawn bevels by that copy, so without this the
// cache would never serve a second button and would fill up with pictures of
// buttons long closed.
void useSharedPalette(const QWidget* w, QStyleOption& opt)
{
    if (w->testAttribute(Qt::WA_SetPalette)) return;
    QPalette shared = QApplication::palette(w);
    if (!(shared == opt.palette)) return;
    shared.setCurrentColorGroup(opt.palette.currentColorGroup());
    opt.palette = shared;
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

QStyleOptionButton PushButton::styleOption() const
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    useSharedPalette(this, opt);
    return opt;
}

void PushButton::drawCaption(QPainter& p, const QStyleOptionButton& opt)
{
    const QRect r = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
    caption_.draw(p, this, r, Qt::AlignCenter | Qt::TextWordWrap | mnemonicFlags(this, opt), opt.text,
                  opt.palette, isEnabled(), QPalette::ButtonText);
}

void PushButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt = styleOption();
    QStyleOptionButton bevel = opt;
    bevel.text.clear();
    p.drawControl(QStyle::CE_PushButton, bevel);
    drawCaption(p, opt);
}

void PushButton::prepareTextPicture()
{
    paintOffstage(this, [this](QPainter& p) { drawCaption(p, styleOption()); });
}

QStyleOptionButton RadioButton::styleOption() const
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    useSharedPalette(this, opt);
    return opt;
}

QRect RadioButton::indicatorRect(const QStyleOptionButton& opt) const
{
    return style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, this);
}

int RadioButton::captionFlags(const QStyleOptionButton& opt) const
{
    return Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | mnemonicFlags(this, opt);
}

QRect RadioButton::captionRect(const QStyleOptionButton& opt) const
{
    const int gap = style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &opt, this);
    return rect().adjusted(indicatorRect(opt).right() + 1 + gap, 0, 0, 0);
}

void RadioButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    const QStyleOptionButton opt = styleOption();
    QStyleOptionButton indicator = opt;
    indicator.rect = indicatorRect(opt);
    p.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicator);

    drawCaption(p, opt);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect =
            p.fontMetrics().boundingRect(captionRect(opt), captionFlags(opt), text()).adjusted(-1, 0, 1, 0) & rect();
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void RadioButton::drawCaption(QPainter& p, const QStyleOptionButton& opt)
{
    caption_.draw(p, this, captionRect(opt), captionFlags(opt), text(), opt.palette, isEnabled(),
                  QPalette::WindowText);
}

void RadioButton::prepareTextPicture()
{
    paintOffstage(this, [this](QPainter& p) { drawCaption(p, styleOption()); });
}

// The whole rectangle answers the mouse, wrapped caption included.
bool RadioButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

bool ClickableLabel::isPlainText() const
{
    return pixmap().isNull() && textFormat() == Qt::PlainText && !buddy() && !margin() && indent() <= 0;
}

// Plain text as QLabel draws it, through a picture of the text.
void ClickableLabel::drawText(QPainter& p)
{
    QStyleOption opt;
    opt.initFrom(this);
    int flags = QStyle::visualAlignment(layoutDirection(), alignment());
    if (wordWrap()) flags |= Qt::TextWordWrap;
    text_.draw(p, this, contentsRect(), flags, text(), opt.palette, isEnabled(), foregroundRole());
}

void ClickableLabel::paintEvent(QPaintEvent* event)
{
    if (!isPlainText()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    drawFrame(&p);
    drawText(p);
}

void ClickableLabel::prepareTextPicture()
{
    if (isPlainText()) paintOffstage(this, [this](QPainter& p) { drawText(p); });
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

ClientArea::ClientArea(QRect band, QColor bandColour) : band_(band), bandColour_(bandColour) {}

void ClientArea::paintEvent(QPaintEvent*)
{
    if (band_.isEmpty()) return;
    QPainter p(this);
    p.fillRect(band_, bandColour_);
}

}  // namespace ui
