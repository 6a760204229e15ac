#include "text_picture.h"

#include <QFontInfo>
#include <QPainter>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace ui {

void TextPicture::draw(QPainter& painter, const QWidget* widget, const QRect& rect, int flags,
                       const QString& text, const QPalette& palette, bool enabled, QPalette::ColorRole role)
{
    if (text.isEmpty() || rect.isEmpty()) return;
    const QColor colour = palette.color(role);
    // Dark text of ordinary size comes out of the picture exactly as drawn
    // straight onto the window. The edges of light, coloured or large text
    // blend a little differently, so such text is drawn straight away.
    const bool dark = std::max({colour.red(), colour.green(), colour.blue()}) < 64;
    if (!dark || QFontInfo(painter.font()).pixelSize() > 20) {
        widget->style()->drawItemText(&painter, rect, flags, palette, enabled, text, role);
        return;
    }
    const Looks looks{text, painter.font(), rect.size(), flags, colour.rgba(), enabled,
                      painter.device()->devicePixelRatio()};
    if (picture_.isNull() || !(looks == looks_)) {
        looks_ = looks;
        // Black text needs only its coverage, a quarter of the memory.
        const bool black = colour.rgb() == qRgb(0, 0, 0);
        picture_ = QImage(rect.size() * looks.pixelRatio,
                          black ? QImage::Format_Alpha8 : QImage::Format_ARGB32_Premultiplied);
        picture_.setDevicePixelRatio(looks.pixelRatio);
        picture_.fill(Qt::transparent);
        QPainter p(&picture_);
        p.setFont(looks.font);
        widget->style()->drawItemText(&p, QRect(QPoint(), rect.size()), flags, palette, enabled, text, role);
    }
    painter.drawImage(rect.topLeft(), picture_);
}

void paintOffstage(const QWidget* widget, const std::function<void(QPainter&)>& draw)
{
    QImage nowhere(1, 1, QImage::Format_ARGB32_Premultiplied);
    nowhere.setDevicePixelRatio(widget->devicePixelRatioF());
    QPainter p(&nowhere);
    p.setFont(widget->font());
    draw(p);
}

}  // namespace ui
