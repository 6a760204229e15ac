#include "explanation_dialogs.h"

#include <vector>

#include "course.h"
#include "question_bank.h"
#include "ui/window_system.h"

namespace quiz {
namespace {

using namespace ui;

constexpr Name kOk = "OKButton", kText = "Label1";

// OK leads on to `next` and closes the dialog.
void leadOn(WindowSystem& windows, Window& w, const QString& next)
{
    w.onClick(kOk, [&windows, name = w.objectName(), next] {
        windows.show(next);
        windows.close(name);
    });
}

Window* buildExplanation(WindowSystem& windows, const QString& name, int n, std::string_view caption)
{
    const Question& q = *find(n);
    const ExplanationLayout& l = kExplanationLayouts[n - 1];
    std::vector<ControlSpec> controls = {
        {.name = kOk, .kind = ControlKind::PushButton, .text = "OK", .rect = l.ok, .tabIndex = 0},
        {.name = kText, .kind = ControlKind::Label, .text = q.explanation, .rect = l.text, .font = kTextFont,
         .wordWrap = true},
    };
    if (!q.picture.resource.empty())
        controls.push_back({.name = "Image1", .kind = ControlKind::Image, .rect = l.picture,
                            .tooltip = q.picture.description, .picture = q.picture.resource,
                            .fit = Fit::Natural, .description = q.picture.description});
    const QByteArray windowName = name.toLatin1();
    const WindowSpec design{.name = windowName.constData(), .caption = caption, .width = l.width,
                            .height = l.height, .controls = controls};
    auto* w = new Window(design);
    leadOn(windows, *w, windowAfter(n, After::Dialog));
    return w;
}

constexpr ControlSpec kNoticeControls[] = {
    {.name = kText, .kind = ControlKind::Label, .text = "The next part of the test is True or False.",
     .rect = {240, 360, 3615, 975}, .font = kTextFont, .wordWrap = true},
    {.name = kOk, .kind = ControlKind::PushButton, .text = "OK", .rect = {1440, 1560, 1215, 375}, .tabIndex = 0},
};

constexpr WindowSpec kNotice{.name = kPartTwoNotice, .caption = "Part Two", .width = 4260, .height = 2130,
                             .controls = kNoticeControls};

}  // namespace

void defineExplanationDialogs(WindowSystem& windows)
{
    for (int n = kFirstQuestion; n <= kLastQuestion; ++n) {
        const ExplanationLayout& l = kExplanationLayouts[n - 1];
        windows.define(dialogName(n),
                       [&windows, n, &l] { return buildExplanation(windows, dialogName(n), n, l.caption); });
        if (find(n)->hasRightAnswerDialog)
            windows.define(rightAnswerDialogName(n), [&windows, n] {
                return buildExplanation(windows, rightAnswerDialogName(n), n, "Correct");
            });
    }
    windows.define(kNotice, [&windows](Window& w) { leadOn(windows, w, screenName(kFirstTrueFalse)); });
}

}  // namespace quiz
