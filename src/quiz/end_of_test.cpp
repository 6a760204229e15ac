#include "end_of_test.h"

#include <string_view>

#include <QLabel>

#include "app/main_window.h"
#include "question_screens.h"
#include "score_board.h"
#include "ui/window_system.h"

namespace quiz {
namespace {

using namespace ui;
using ui::Kind;  // controls, not questions

constexpr FontSpec kTextFont{"MS Sans Serif", 12};

constexpr ControlSpec kControls[] = {
    {.name = "Label1", .kind = Kind::Label, .text = "That is all of the questions.",
     .rect = {120, 120, 3495, 495}, .font = kTextFont},
    {.name = "Label2", .kind = Kind::Label, .text = "How well did you do?", .rect = {360, 600, 2415, 615},
     .font = kTextFont},
    {.name = "end", .kind = Kind::PushButton, .text = "&Score", .rect = {840, 1320, 1215, 495},
     .tabIndex = 0},
};

constexpr WindowSpec kDesign{.name = "done", .caption = "End of the questions", .width = 3180,
                             .height = 2130, .controls = kControls};

void reveal(WindowSystem& windows, const char* label)
{
    windows.control<QLabel>(app::kMainWindow, QString::fromLatin1(label))->show();
}

void score(WindowSystem& windows)
{
    bool ok = false;
    const double p = scoreText(windows, QStringLiteral("percent")).toDouble(&ok);
    if (!ok) throw std::invalid_argument("the percentage is not a number");
    const char* message = nullptr;
    switch (grade(p)) {
    case Grade::Excellent: message = "excelent"; break;
    case Grade::Good: message = "good"; break;
    case Grade::Poor: message = "poor"; break;
    case Grade::None: break;
    }
    // Two runs mixed by a reset can each reach "Score": the grade of the
    // earlier one gives way, so that one message at most is on view.
    for (const char* label : {"excelent", "good", "poor"})
        windows.control<QLabel>(app::kMainWindow, QString::fromLatin1(label))
            ->setVisible(message && std::string_view(label) == message);
    for (const char* label : {"per", "per1", "percent", "Label2", "Label3", "right", "wrong"})
        reveal(windows, label);
    windows.close(kEndOfTest);
}

}  // namespace

void defineEndOfTest(WindowSystem& windows)
{
    windows.define(kEndOfTest, [&windows] {
        auto* w = new Window(kDesign);
        w->onClick(QStringLiteral("end"), [&windows] { score(windows); });
        return w;
    });
}

}  // namespace quiz
