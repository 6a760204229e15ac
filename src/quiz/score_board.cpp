#include "score_board.h"

#include <stdexcept>

#include <QLabel>
#include <QStringList>

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

// The score board's labels in the order the eye reads them: the grade, then
// the percentage, then the counts.
constexpr ui::Name kResultsInReadingOrder[] = {
    app::kExcellentGrade, app::kGoodGrade, app::kPoorGrade,
    app::kPercentageCaption, app::kPercentage, app::kPercentSign,
    app::kRightCaption, app::kRightCount,
    app::kWrongCaption, app::kWrongCount,
};

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
    describeScoreBoard(*windows.ensure(app::kMainWindow));
}

void describeScoreBoard(ui::Window& main)
{
    QStringList shown;
    for (ui::Name name : kResultsInReadingOrder) {
        const auto* label = main.control<QLabel>(name);
        if (label->isVisibleTo(&main)) shown << label->text();
    }
    const QString description =
        shown.isEmpty() ? main.control<QLabel>(app::kIntroduction)->text() : shown.join(QLatin1Char(' '));
    // Each change is announced to screen readers, which keep what they heard.
    if (main.accessibleDescription() != description) main.setAccessibleDescription(description);
}

}  // namespace quiz
