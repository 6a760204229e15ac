#pragma once
#include "ui/held_keys.h"
#include "ui/typed_ahead.h"
#include "ui/window_system.h"

namespace app {

// The whole program: what holds for every window, set up once at start-up
// and kept for the program's life (one look, how the controls present
// themselves to screen readers, a held key pressing once, a key acting in the
// window it is typed into), and every window
// defined in the registry, nothing built until asked for.
class Program {
public:
    explicit Program(ui::WindowSystem& windows);

    // Shows the welcome screen, the only window at start-up.
    void start();

private:
    ui::WindowSystem& windows_;
    ui::HeldKeys heldKeys_;
    ui::TypedAhead typedAhead_;
};

}  // namespace app
