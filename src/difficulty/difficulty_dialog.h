#pragma once

namespace ui {
class WindowSystem;
}

namespace difficulty {

// The dialog "options" where the user picks Normal, Easy or Very Easy.
void defineDifficultyDialog(ui::WindowSystem& windows);

// Shows the one dialog and keeps "Start Test" disabled while it is open.
void openDialog(ui::WindowSystem& windows);

}  // namespace difficulty
