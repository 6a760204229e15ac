#pragma once

namespace ui {
class WindowSystem;
}

namespace app {

// The welcome screen "start", the first window of every run.
void defineWelcomeScreen(ui::WindowSystem& windows);

}  // namespace app
