#pragma once
#include "ui/design.h"

namespace ui {
class WindowSystem;
}

namespace quiz {

// The end-of-test screen, whose "Score" reveals the results on the main
// window.
inline constexpr ui::Name kEndOfTest = "done";

void defineEndOfTest(ui::WindowSystem& windows);

}  // namespace quiz
