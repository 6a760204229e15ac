#pragma once

namespace ui {
class WindowSystem;
}

namespace difficulty {

// "Reset Test": zero and hide the score board, make a new test possible and
// give every multiple-choice question its four choices back.
void resetTest(ui::WindowSystem& windows);

}  // namespace difficulty
