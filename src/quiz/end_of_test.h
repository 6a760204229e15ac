#pragma once

namespace ui {
class WindowSystem;
}

namespace quiz {

// The end-of-test screen "done", whose "Score" reveals the results on the
// main window.
void defineEndOfTest(ui::WindowSystem& windows);

}  // namespace quiz
