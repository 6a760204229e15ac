#pragma once
// The level of difficulty lives only in the enabled flags of the choices on
// the twenty multiple-choice screens; these helpers write those flags.

namespace ui {
class WindowSystem;
}

namespace difficulty {

enum class Which { First, Second };

// Enables or disables the first or second masked choice of questions 1 to 20
// in turn, building a screen hidden where it does not exist yet.
void setMaskedOptions(ui::WindowSystem& windows, Which which, bool enabled);

}  // namespace difficulty
