#include "reset.h"

#include <QPushButton>

#include "app/main_window.h"
#include "option_masks.h"
#include "quiz/score_board.h"
#include "ui/window_system.h"

namespace difficulty {

void resetTest(ui::WindowSystem& windows)
{
    using namespace app;
    quiz::clearScoreBoard(windows);
    ui::Window* main = windows.ensure(kMainWindow);
    const auto button = [main](ui::Name name) { return main->control<QPushButton>(name); };
    button(kStartButton)->setEnabled(true);
    button(kResetButton)->setEnabled(false);
    button(kDifficultyButton)->setEnabled(true);
    setMaskedOptions(windows, Which::First, true);
    setMaskedOptions(windows, Which::Second, true);
}

}  // namespace difficulty
