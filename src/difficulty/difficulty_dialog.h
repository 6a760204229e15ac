#pragma once
#include "ui/design.h"

namespace ui {
class WindowSystem;
}

namespace difficulty {

// The dialog where the user picks Normal, Easy or Very Easy.
inline constexpr ui::Name kDifficultyDialog = "options";

void defineDifficultyDialog(ui::WindowSystem& windows);

// Shows the one dialog and keeps "Start Test" disabled while it is open.
void openDialog(ui::WindowSystem& windows);

}  // namespace difficulty
