#pragma once
#include "ui/design.h"

namespace ui {
class WindowSystem;
}

namespace app {

// The welcome screen, the first window of every run.
inline constexpr ui::Name kWelcomeScreen = "start";

void defineWelcomeScreen(ui::WindowSystem& windows);

}  // namespace app
