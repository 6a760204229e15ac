#include "explanation_dialogs.h"

#include "question_bank.h"
#include "question_screens.h"
#include "ui/window_system.h"

namespace quiz {
namespace {

using namespace ui;
using ui::Kind;  // controls, not questions

constexpr FontSpec kTextFont{"MS Sans Serif", 12};

// Where the OK button of a dialog leads.
QString successor(const QString& dialog, int n)
{
    if (dialog == kPartTwoNotice) return screenName(kFirstTrueFalse);
    if (n == kLastMultipleChoice) return kPartTwoNotice;
    if (n == kLastQuestion) return kEndOfTest;
    return screenName(n + 1);
}

Window* withOk(WindowSystem& windows, Window* w, int n)
{
    const QString name = w->objectName();
    w->setFollowers({successor(name, n)});
    w->onClick(QStringLiteral("OKButton"), [&windows, name, n] {
        windows.show(successor(name, n));
        windows.close(name);
    });
    return w;
}

std::string_view captionFor(const QString& name, int n)
{
    if (name == kRightAnswerDialog) return "Correct";
    if (n == 16) return "Dialog Caption";
    return "Wrong";
}

Window* buildExplanation(WindowSystem& windows, const QString& name, int n)
{
    const Question& q = *find(n);
    const ExplanationLayout& l = kExplanationLayouts[n - 1];
    std::vector<ControlSpec> controls = {
        {.name = "OKButton", .kind = Kind::PushButton, .text = "OK", .rect = l.ok, .tabIndex = 0},
        {.name = "Label1", .kind = Kind::Label, .text = q.explanation, .rect = l.text, .font = kTextFont,
         .wordWrap = true},
    };
    if (!q.picture.resource.empty())
        controls.push_back({.name = "Image1", .kind = Kind::Image, .rect = {360, 1200, 1530, 1140},
                            .tooltip = q.picture.description, .picture = q.picture.resource,
                            .fit = Fit::Natural, .description = q.picture.description});
    const std::string windowName = name.toStdString();
    const WindowSpec design{.name = windowName, .caption = captionFor(name, n), .width = l.width,
                            .height = l.height, .controls = controls};
    return withOk(windows, new Window(design), n);
}

constexpr ControlSpec kNoticeControls[] = {
    {.name = "Label1", .kind = Kind::Label, .text = "The next part of the test is True or False.",
     .rect = {240, 360, 3615, 975}, .font = kTextFont, .wordWrap = true},
    {.name = "OKButton", .kind = Kind::PushButton, .text = "OK", .rect = {1440, 1560, 1215, 375},
     .tabIndex = 0},
};

constexpr WindowSpec kNotice{.name = "Dialog", .caption = "Part Two", .width = 4260, .height = 2130,
                             .controls = kNoticeControls};

}  // namespace

void defineExplanationDialogs(WindowSystem& windows)
{
    for (int n = kFirstQuestion; n <= kLastQuestion; ++n)
        windows.define(dialogName(n), [&windows, n] { return buildExplanation(windows, dialogName(n), n); });
    windows.define(kRightAnswerDialog,
                   [&windows] { return buildExplanation(windows, kRightAnswerDialog, 22); });
    windows.define(kPartTwoNotice, [&windows] { return withOk(windows, new Window(kNotice), 0); });
}

}  // namespace quiz
