#include "option_masks.h"

#include <QRadioButton>

#include "quiz/question_bank.h"
#include "quiz/course.h"
#include "quiz/question_screens.h"
#include "ui/window_system.h"

namespace difficulty {

void setMaskedOptions(ui::WindowSystem& windows, Which which, bool enabled)
{
    for (int n = quiz::kFirstQuestion; n <= quiz::kLastMultipleChoice; ++n) {
        const quiz::OptionMask mask = *quiz::optionMask(n);
        const quiz::Slot slot = which == Which::First ? mask.first : mask.second;
        windows.control<QRadioButton>(quiz::screenName(n), quiz::optionName(slot))->setEnabled(enabled);
    }
}

}  // namespace difficulty
