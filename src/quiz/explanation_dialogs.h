#pragma once
#include "ui/design.h"

namespace ui {
class WindowSystem;
}

namespace quiz {

// The explanation dialogs a1 to a50 and a22a, and the notice between the two
// parts of the test.
void defineExplanationDialogs(ui::WindowSystem& windows);

// Each explanation dialog's client size and rectangles, fitted to its text.
struct ExplanationLayout {
    int width = 0;   // client area
    int height = 0;
    ui::Twips text{};
    ui::Twips ok{};
};

// Index 0 to 49: questions 1 to 50; a22a shares the layout of a22.
extern const ExplanationLayout kExplanationLayouts[50];

}  // namespace quiz
