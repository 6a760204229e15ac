#include "difficulty_dialog.h"

#include <QPushButton>
#include <QRadioButton>

#include "app/main_window.h"
#include "option_masks.h"
#include "ui/window_system.h"

namespace difficulty {
namespace {

using namespace ui;

constexpr Name kNormal = "Option1", kEasy = "Option2", kVeryEasy = "Option3", kOk = "OKButton",
               kCancel = "CancelButton";

constexpr ControlSpec kControls[] = {
    {.name = kNormal, .kind = ControlKind::RadioButton, .text = "Normal", .rect = {240, 240, 1215, 495},
     .tabIndex = 2},
    {.name = kEasy, .kind = ControlKind::RadioButton, .text = "Easy", .rect = {240, 720, 1215, 495},
     .tabIndex = 3},
    {.name = kVeryEasy, .kind = ControlKind::RadioButton, .text = "Very Easy", .rect = {240, 1200, 1215, 495},
     .tabIndex = 4},
    {.name = kOk, .kind = ControlKind::PushButton, .text = "OK", .rect = {2040, 360, 1215, 375}, .tabIndex = 0},
    {.name = kCancel, .kind = ControlKind::PushButton, .text = "Cancel", .rect = {2040, 1200, 1215, 375},
     .tabIndex = 1},
};

constexpr WindowSpec kDesign{.name = kDifficultyDialog, .caption = "Test Diffuculty", .width = 3390,
                             .height = 1875, .controls = kControls};

void enableStart(WindowSystem& windows, bool enabled)
{
    windows.control<QPushButton>(app::kMainWindow, app::kStartButton)->setEnabled(enabled);
}

void applyLevel(WindowSystem& windows, const Window& dialog)
{
    const auto selected = [&dialog](Name level) { return dialog.control<QRadioButton>(level)->isChecked(); };
    if (selected(kNormal)) {
        setMaskedOptions(windows, Which::First, true);
        setMaskedOptions(windows, Which::Second, true);
    }
    if (selected(kEasy)) {
        setMaskedOptions(windows, Which::First, false);
        setMaskedOptions(windows, Which::Second, true);
    }
    if (selected(kVeryEasy)) {
        setMaskedOptions(windows, Which::First, false);
        setMaskedOptions(windows, Which::Second, false);
    }
    windows.close(kDifficultyDialog);
    enableStart(windows, true);
}

void cancel(WindowSystem& windows)
{
    windows.close(kDifficultyDialog);
    enableStart(windows, true);
}

}  // namespace

void defineDifficultyDialog(WindowSystem& windows)
{
    windows.define(kDesign, [&windows](Window& w) {
        w.onClick(kOk, [&windows, &w] { applyLevel(windows, w); });
        w.onClick(kCancel, [&windows] { cancel(windows); });
        // Closed through its frame, the dialog counts as cancelled, so that
        // "Start Test" does not stay disabled with no dialog on screen.
        w.onFrameClose([&windows] { enableStart(windows, true); });
    });
}

void openDialog(WindowSystem& windows)
{
    windows.show(kDifficultyDialog);
    enableStart(windows, false);
}

}  // namespace difficulty
