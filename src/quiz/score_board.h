#pragma once
// The score board lives only in the texts of three labels on the main window:
// the right count, the wrong count and the percentage, each a plain decimal
// whole number.

#include <QString>

namespace ui {
class Window;
class WindowSystem;
}

namespace quiz {

// The count one higher, as plain decimal digits ("9" gives "10"). Throws
// std::invalid_argument when the text is not a decimal whole number.
QString plusOne(const QString& count);

// The percentage of right answers out of the 50 questions: right / 50 * 100 in
// double precision, written with at most 15 significant digits ("7" gives "14").
QString percentage(const QString& rightCount);

enum class Grade { Excellent, Good, Poor, None };

// Excellent at 100, good from 70 to 99, poor below 70. A percentage above 100
// (possible only when a reset mixed two runs) earns no grade message.
Grade grade(double percent);

// Text of a score-board label on the main window.
QString scoreText(ui::WindowSystem& windows, const QString& label);
void setScoreText(ui::WindowSystem& windows, const QString& label, const QString& text);

// Gives the main window the description a screen reader reads as the window
// becomes active: the results while the score board is on view, the
// introduction before. Run again whenever the board changes, so that it
// always says what is on view.
void describeScoreBoard(ui::Window& main);

}  // namespace quiz
