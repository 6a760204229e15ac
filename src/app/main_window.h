#pragma once
#include "ui/design.h"

namespace ui {
class WindowSystem;
}

namespace app {

// The main window, its buttons, menus and the hidden score board.
void defineMainWindow(ui::WindowSystem& windows);

// The main window and the controls of it that other parts of the program use.
inline constexpr ui::Name kMainWindow = "Test";
inline constexpr ui::Name kStartButton = "start";
inline constexpr ui::Name kResetButton = "restart";
inline constexpr ui::Name kDifficultyButton = "dif";
inline constexpr ui::Name kIntroduction = "Label1";
// The score board: the counts, held only as these labels' texts.
inline constexpr ui::Name kRightCount = "right";
inline constexpr ui::Name kWrongCount = "wrong";
inline constexpr ui::Name kPercentage = "percent";
// The grade messages and the score board's captions, hidden until the score.
inline constexpr ui::Name kExcellentGrade = "excelent";
inline constexpr ui::Name kGoodGrade = "good";
inline constexpr ui::Name kPoorGrade = "poor";
inline constexpr ui::Name kPercentageCaption = "per";
inline constexpr ui::Name kPercentSign = "per1";
inline constexpr ui::Name kRightCaption = "Label2";
inline constexpr ui::Name kWrongCaption = "Label3";

}  // namespace app
