#include "difficulty_dialog.h"

#include <QPushButton>
#include <QRadioButton>

#include "app/main_window.h"
#include "option_masks.h"
#include "ui/window_system.h"

namespace difficulty {
namespace {

using namespace ui;

const QString kDialog = QStringLiteral("options");

constexpr ControlSpec kControls[] = {
    {.name = "Option1", .kind = Kind::RadioButton, .text = "Normal", .rect = {240, 240, 1215, 495},
     .tabIndex = 2},
    {.name = "Option2", .kind = Kind::RadioButton, .text = "Easy", .rect = {240, 720, 1215, 495},
     .tabIndex = 3},
    {.name = "Option3", .kind = Kind::RadioButton, .text = "Very Easy", .rect = {240, 1200, 1215, 495},
     .tabIndex = 4},
    {.name = "OKButton", .kind = Kind::PushButton, .text = "OK", .rect = {2040, 360, 1215, 375},
     .tabIndex = 0},
    {.name = "CancelButton", .kind = Kind::PushButton, .text = "Cancel", .rect = {2040, 1200, 1215, 375},
     .tabIndex = 1},
};

constexpr WindowSpec kDesign{.name = "options", .caption = "Test Diffuculty", .width = 3390,
                             .height = 1875, .controls = kControls};

void enableStart(WindowSystem& windows, bool enabled)
{
    windows.control<QPushButton>(app::kMainWindow, QStringLiteral("start"))->setEnabled(enabled);
}

void applyLevel(WindowSystem& windows, Window* dialog)
{
    const auto selected = [dialog](const char* name) {
        return dialog->control<QRadioButton>(QString::fromLatin1(name))->isChecked();
    };
    if (selected("Option1")) {  // Normal
        setMaskedOptions(windows, Which::First, true);
        setMaskedOptions(windows, Which::Second, true);
    }
    if (selected("Option2")) {  // Easy
        setMaskedOptions(windows, Which::First, false);
        setMaskedOptions(windows, Which::Second, true);
    }
    if (selected("Option3")) {  // Very Easy
        setMaskedOptions(windows, Which::First, false);
        setMaskedOptions(windows, Which::Second, false);
    }
    windows.close(kDialog);
    enableStart(windows, true);
}

void cancel(WindowSystem& windows)
{
    windows.close(kDialog);
    enableStart(windows, true);
}

}  // namespace

void defineDifficultyDialog(WindowSystem& windows)
{
    windows.define(kDialog, [&windows] {
        auto* w = new Window(kDesign);
        w->onClick(QStringLiteral("OKButton"), [&windows, w] { applyLevel(windows, w); });
        w->onClick(QStringLiteral("CancelButton"), [&windows] { cancel(windows); });
        // Closed through its frame, the dialog counts as cancelled, so that
        // "Start Test" does not stay disabled with no dialog on screen.
        w->onFrameClose([&windows] { enableStart(windows, true); });
        return w;
    });
}

void openDialog(WindowSystem& windows)
{
    windows.show(kDialog);
    enableStart(windows, false);
}

}  // namespace difficulty
