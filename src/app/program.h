#pragma once
#include "ui/window_system.h"

namespace app {

// The whole program: every window defined, nothing built until asked for.
class Program {
public:
    explicit Program(ui::Platform& platform);

    // Shows the welcome screen, the only window at start-up.
    void start();

    ui::WindowSystem& windows() { return windows_; }

private:
    ui::WindowSystem windows_;
};

}  // namespace app
