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
    kExcellentGrade, kGoodGrade, kPoorGrade,
    kPercentageCaption, kPercentage, kPercentSign,
    kRightCaption, kRightCount,
    kWrongCaption, kWrongCount,
};

QLabel* label(ui::WindowSystem& windows, const QString& name) { return windows.control<QLabel>(app::kMainWindow, name); }

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

QString scoreText(ui::WindowSystem& windows, const QString& name) { return label(windows, name)->text(); }

void setScoreText(ui::WindowSystem& windows, const QString& name, const QString& text)
{
    label(windows, name)->setText(text);
    describeScoreBoard(*windows.ensure(app::kMainWindow));
}

void showResults(ui::WindowSystem& windows, Grade grade)
{
    // Two runs mixed by a reset can each be scored: the grade of the earlier
    // one gives way, so that one message at most is on view.
    label(windows, kExcellentGrade)->setVisible(grade == Grade::Excellent);
    label(windows, kGoodGrade)->setVisible(grade == Grade::Good);
    label(windows, kPoorGrade)->setVisible(grade == Grade::Poor);
    for (ui::Name name : {kPercentageCaption, kPercentSign, kPercentage, kRightCaption, kWrongCaption, kRightCount,
                          kWrongCount})
        label(windows, name)->show();
    describeScoreBoard(*windows.ensure(app::kMainWindow));
}

void clearScoreBoard(ui::WindowSystem& windows)
{
    for (ui::Name count : {kRightCount, kWrongCount, kPercentage}) label(windows, count)->setText(QStringLiteral("0"));
    for (ui::Name result : kResultsInReadingOrder) label(windows, result)->hide();
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
