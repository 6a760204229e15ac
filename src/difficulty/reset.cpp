#include "reset.h"

#include <QLabel>
#include <QPushButton>

#include "app/main_window.h"
#include "option_masks.h"
#include "ui/window_system.h"

namespace difficulty {

void resetTest(ui::WindowSystem& windows)
{
    ui::Window* main = windows.ensure(app::kMainWindow);
    const auto label = [main](const char* name) { return main->control<QLabel>(QString::fromLatin1(name)); };
    const auto button = [main](const char* name) {
        return main->control<QPushButton>(QString::fromLatin1(name));
    };
    const QString zero = QStringLiteral("0");
    label("right")->setText(zero);
    label("wrong")->setText(zero);
    label("percent")->setText(zero);
    label("excelent")->hide();
    label("good")->hide();
    label("poor")->hide();
    button("start")->setEnabled(true);
    button("restart")->setEnabled(false);
    label("per")->hide();
    label("per1")->hide();
    label("percent")->hide();
    button("dif")->setEnabled(true);
    label("Label2")->hide();
    label("Label3")->hide();
    label("right")->hide();
    label("wrong")->hide();
    setMaskedOptions(windows, Which::First, true);
    setMaskedOptions(windows, Which::Second, true);
}

}  // namespace difficulty
