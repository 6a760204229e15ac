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

void PushButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    useSharedPalette(this, opt);
    const QString caption = opt.text;
    opt.text.clear();
    p.drawControl(QStyle::CE_PushButton, opt);
    const QRect r = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
    p.drawItemText(r, Qt::AlignCenter | Qt::TextWordWrap | mnemonicFlags(this, opt), opt.palette,
                   isEnabled(), caption, QPalette::ButtonText);
}

void RadioButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    useSharedPalette(this, opt);
    QStyleOptionButton indicator = opt;
    indicator.rect = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, this);
    p.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicator);

    const int gap = style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &opt, this);
    const QRect area = rect().adjusted(indicator.rect.right() + 1 + gap, 0, 0, 0);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | mnemonicFlags(this, opt);
    p.drawItemText(area, flags, opt.palette, isEnabled(), text(), QPalette::WindowText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = p.fontMetrics().boundingRect(area, flags, text()).adjusted(-1, 0, 1, 0) & rect();
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

// The whole rectangle answers the mouse, wrapped caption included.
bool RadioButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

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
