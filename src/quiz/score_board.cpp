#include "score_board.h"

#include <stdexcept>

#include <QLabel>

#include "app/main_window.h"
#include "ui/window_system.h"

namespace quiz {
namespace {

bool isDecimal(const QString& text)
{
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

quint64 decimal(const QString& text)
{
    bool ok = false;
    const quint64 value = text.toULongLong(&ok);
    if (!isDecimal(text) || !ok)
        throw std::invalid_argument("count \"" + text.toStdString() + "\" is not a whole number");
    return value;
}

}  // namespace

QString plusOne(const QString& count) { return QString::number(decimal(count) + 1); }

QString percentage(const QString& rightCount)
{
    const double right = double(decimal(rightCount));
    const double percent = right / 50.0 * 100.0;
    return QString::number(percent, 'g', 15);
}

Grade grade(double percent)
{
    if (percent > 100) return Grade::None;
    if (percent == 100) return Grade::Excellent;
    if (percent >= 70) return Grade::Good;
    return Grade::Poor;
}

QString scoreText(ui::WindowSystem& windows, const QString& label)
{
    return windows.control<QLabel>(app::kMainWindow, label)->text();
}

void setScoreText(ui::WindowSystem& windows, const QString& label, const QString& text)
{
    windows.control<QLabel>(app::kMainWindow, label)->setText(text);
}

}  // namespace quiz
