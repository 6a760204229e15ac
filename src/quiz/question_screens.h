#pragma once
#include <array>
#include <string_view>

#include "question_bank.h"
#include "ui/design.h"

namespace ui {
class WindowSystem;
}

namespace quiz {

// The screens of questions 1 to 50.
void defineQuestionScreens(ui::WindowSystem& windows);

// The four choices of a multiple-choice screen, by slot.
inline constexpr ui::Name kOptionNames[4] = {"Option1", "Option2", "Option3", "Option4"};
constexpr ui::Name optionName(Slot slot) { return kOptionNames[slotIndex(slot)]; }

// What differs between the twenty multiple-choice screens.
struct ChoiceScreen {
    int number = 0;
    ui::Name questionLabel = "Label1";
    ui::Twips question{};
    ui::Twips options[4];          // Option1 to Option4
    int optionTabs[4] = {3, 4, 5, 6};
    ui::Name next = "next";
    std::string_view nextCaption = "&Next Question";
    ui::Name quit = "quit";
    std::string_view quitCaption = "&Quit";
    int width = 4680;   // client area
    int height = 3195;
    int buttonTop = 2520;
    int quitLeft = 240;
    int nextLeft = 3120;
    int rightAnswerBeeps = 1;
    bool countsAfresh = false;  // writes "1" whatever the count held
};

// What differs between the thirty true/false screens.
struct StatementScreen {
    int number = 0;
    ui::Twips statement{};
    int buttonTop = 1560;
    int falseLeft = 3000;
    int quitLeft = 1680;
    std::array<int, 3> tabs = {0, 1, 2};  // of True, False and Quit
};

extern const ChoiceScreen kChoiceScreens[20];
extern const StatementScreen kStatementScreens[30];

}  // namespace quiz
