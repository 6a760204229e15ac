#pragma once
#include <string_view>

#include "ui/design.h"

namespace ui {
class WindowSystem;
}

namespace quiz {

// The notice between the two parts of the test.
inline constexpr ui::Name kPartTwoNotice = "Dialog";

// The explanation dialogs of every question, the dialog after a right answer
// of a question that has one, and the notice between the two parts.
void defineExplanationDialogs(ui::WindowSystem& windows);

// Each explanation dialog's caption, client size and rectangles, fitted to
// its text.
struct ExplanationLayout {
    int width = 0;   // client area
    int height = 0;
    ui::Twips text{};
    ui::Twips ok{};
    std::string_view caption = "Wrong";
    ui::Twips picture{};  // of a question whose explanation has one
};

// Index 0 to 49: questions 1 to 50; a dialog after a right answer shares its
// question's layout.
extern const ExplanationLayout kExplanationLayouts[50];

}  // namespace quiz
