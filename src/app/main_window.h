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
// The score board's labels are quiz/score_board.h's.

}  // namespace app
