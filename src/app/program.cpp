#include "program.h"

#include "about_screen.h"
#include "difficulty/difficulty_dialog.h"
#include "main_window.h"
#include "quiz/end_of_test.h"
#include "quiz/explanation_dialogs.h"
#include "quiz/question_screens.h"
#include "ui/accessibility.h"
#include "ui/look.h"
#include "welcome_screen.h"

namespace app {

Program::Program(ui::WindowSystem& windows) : windows_(windows)
{
    ui::installLook();
    ui::installAccessibility();
    defineWelcomeScreen(windows_);
    defineMainWindow(windows_);
    defineAboutScreen(windows_);
    quiz::defineQuestionScreens(windows_);
    quiz::defineExplanationDialogs(windows_);
    quiz::defineEndOfTest(windows_);
    difficulty::defineDifficultyDialog(windows_);
}

void Program::start() { windows_.show(kWelcomeScreen); }

}  // namespace app
