#pragma once
// The score board: labels of the main window. The counts live only in the
// texts of three of them, the right count, the wrong count and the
// percentage, each a plain decimal whole number; the results (the grade, the
// counts and their captions) are on view only once the test is scored.
// Every change goes through the functions here, which keep what a screen
// reader hears of the main window in step with what is on view.

#include <QString>

#include "ui/design.h"

namespace ui {
class Window;
class WindowSystem;
}

namespace quiz {

inline constexpr ui::Name kRightCount = "right";
inline constexpr ui::Name kWrongCount = "wrong";
inline constexpr ui::Name kPercentage = "percent";
inline constexpr ui::Name kExcellentGrade = "excelent";
inline constexpr ui::Name kGoodGrade = "good";
inline constexpr ui::Name kPoorGrade = "poor";
inline constexpr ui::Name kPercentageCaption = "per";
inline constexpr ui::Name kPercentSign = "per1";
inline constexpr ui::Name kRightCaption = "Label2";
inline constexpr ui::Name kWrongCaption = "Label3";

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

// The results on view, with the grade's message alone among the three.
void showResults(ui::WindowSystem& windows, Grade grade);
// Every count back to "0" and the results out of view.
void clearScoreBoard(ui::WindowSystem& windows);

// Gives the main window the description a screen reader reads as the window
// becomes active: the results while they are on view, the introduction
// before. The functions above run it after each change; the main window runs
// it once as it is built.
void describeScoreBoard(ui::Window& main);

}  // namespace quiz
