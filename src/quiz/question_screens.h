#pragma once
#include <QString>

#include "ui/design.h"

namespace ui {
class WindowSystem;
}

namespace quiz {

// Window names: "q7" is the screen of question 7, "a7" its explanation.
QString screenName(int question);
QString dialogName(int question);
inline const QString kPartTwoNotice = QStringLiteral("Dialog");
inline const QString kEndOfTest = QStringLiteral("done");
inline const QString kRightAnswerDialog = QStringLiteral("a22a");

// The screens of questions 1 to 50.
void defineQuestionScreens(ui::WindowSystem& windows);

// What differs between the twenty multiple-choice screens.
struct ChoiceScreen {
    int number = 0;
    std::string_view questionLabel = "Label1";
    ui::Twips question{};
    ui::Twips options[4];          // Option1 to Option4
    int optionTabs[4] = {3, 4, 5, 6};
    std::string_view next = "next";
    std::string_view nextCaption = "&Next Question";
    std::string_view quit = "quit";
    std::string_view quitCaption = "&Quit";
    int width = 4680;   // client area
    int height = 3195;
    int buttonTop = 2520;
    int quitLeft = 240;
    int nextLeft = 3120;
};

// What differs between the thirty true/false screens.
struct StatementScreen {
    int number = 0;
    ui::Twips statement{};
    int buttonTop = 1560;
    int falseLeft = 3000;
    int quitLeft = 1680;
};

extern const ChoiceScreen kChoiceScreens[20];
extern const StatementScreen kStatementScreens[30];

}  // namespace quiz
