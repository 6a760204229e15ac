#include "end_of_test.h"

#include <stdexcept>

#include "score_board.h"
#include "ui/window_system.h"

namespace quiz {
namespace {

using namespace ui;

constexpr Name kScore = "end";

constexpr ControlSpec kControls[] = {
    {.name = "Label1", .kind = ControlKind::Label, .text = "That is all of the questions.",
     .rect = {120, 120, 3495, 495}, .font = kTextFont},
    {.name = "Label2", .kind = ControlKind::Label, .text = "How well did you do?", .rect = {360, 600, 2415, 615},
     .font = kTextFont},
    {.name = kScore, .kind = ControlKind::PushButton, .text = "&Score", .rect = {840, 1320, 1215, 495},
     .tabIndex = 0},
};

constexpr WindowSpec kDesign{.name = kEndOfTest, .caption = "End of the questions", .width = 3180,
                             .height = 2130, .controls = kControls};

void score(WindowSystem& windows)
{
    bool ok = false;
    const double p = scoreText(windows, kPercentage).toDouble(&ok);
    if (!ok) throw std::invalid_argument("the percentage is not a number");
    showResults(windows, grade(p));
    windows.close(kEndOfTest);
}

}  // namespace

void defineEndOfTest(WindowSystem& windows)
{
    windows.define(kDesign, [&windows](Window& w) { w.onClick(kScore, [&windows] { score(windows); }); });
}

}  // namespace quiz
