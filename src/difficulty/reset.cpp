#include "reset.h"

#include <QLabel>
#include <QPushButton>

#include "app/main_window.h"
#include "option_masks.h"
#include "quiz/score_board.h"
#include "ui/window_system.h"

namespace difficulty {

void resetTest(ui::WindowSystem& windows)
{
    using namespace app;
    ui::Window* main = windows.ensure(kMainWindow);
    const auto label = [main](ui::Name name) { return main->control<QLabel>(name); };
    const auto button = [main](ui::Name name) { return main->control<QPushButton>(name); };
    const QString zero = QStringLiteral("0");
    label(kRightCount)->setText(zero);
    label(kWrongCount)->setText(zero);
    label(kPercentage)->setText(zero);
    label(kExcellentGrade)->hide();
    label(kGoodGrade)->hide();
    label(kPoorGrade)->hide();
    button(kStartButton)->setEnabled(true);
    button(kResetButton)->setEnabled(false);
    label(kPercentageCaption)->hide();
    label(kPercentSign)->hide();
    label(kPercentage)->hide();
    button(kDifficultyButton)->setEnabled(true);
    label(kRightCaption)->hide();
    label(kWrongCaption)->hide();
    label(kRightCount)->hide();
    label(kWrongCount)->hide();
    setMaskedOptions(windows, Which::First, true);
    setMaskedOptions(windows, Which::Second, true);
    quiz::describeScoreBoard(*main);
}

}  // namespace difficulty
