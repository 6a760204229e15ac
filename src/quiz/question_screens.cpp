#include "question_screens.h"

#include <vector>

#include <QRadioButton>

#include "course.h"
#include "score_board.h"
#include "ui/platform.h"
#include "ui/window_system.h"

namespace quiz {
namespace {

using namespace ui;

constexpr Name kStatementLabel = "Label1", kTrue = "Command1", kFalse = "Command2", kQuitStatement = "Command3";

// Shows what comes after question n and closes its screen.
void moveOn(WindowSystem& windows, int n, bool right)
{
    windows.show(windowAfter(n, right ? After::RightAnswer : After::WrongAnswer));
    windows.close(screenName(n));
}

void judgeChoice(WindowSystem& windows, const Window& screen, const ChoiceScreen& s)
{
    const int n = s.number;
    const bool right = screen.control<QRadioButton>(optionName(*answerSlot(n)))->isChecked();
    const QString rightCount = scoreText(windows, kRightCount);
    const QString wrongCount = scoreText(windows, kWrongCount);
    if (right)
        for (int i = 0; i < s.rightAnswerBeeps; ++i) windows.platform().beep();
    const QString first = QStringLiteral("1");
    if (right) setScoreText(windows, kRightCount, s.countsAfresh ? first : plusOne(rightCount));
    else setScoreText(windows, kWrongCount, s.countsAfresh ? first : plusOne(wrongCount));
    moveOn(windows, n, right);
}

// The last question also writes the percentage, from the right count as the
// answer leaves it.
void judgeStatement(WindowSystem& windows, int n, bool saidTrue)
{
    const bool right = saidTrue == *answerIsTrue(n);
    const QString rightCount = scoreText(windows, kRightCount);
    if (right) {
        windows.platform().beep();
        setScoreText(windows, kRightCount, plusOne(rightCount));
    } else {
        const QString wrongCount = scoreText(windows, kWrongCount);
        setScoreText(windows, kWrongCount, plusOne(wrongCount));
    }
    if (n == kLastQuestion)
        setScoreText(windows, kPercentage, percentage(scoreText(windows, kRightCount)));
    moveOn(windows, n, right);
}

Window* buildChoiceScreen(WindowSystem& windows, const ChoiceScreen& s)
{
    const Question& q = *find(s.number);
    const std::string caption = quiz::caption(s.number);
    std::vector<ControlSpec> controls = {
        {.name = s.questionLabel, .kind = ControlKind::Label, .text = q.prompt, .rect = s.question,
         .font = kTextFont, .wordWrap = true},
        {.name = s.quit, .kind = ControlKind::PushButton, .text = s.quitCaption,
         .rect = {s.quitLeft, s.buttonTop, 1215, 495}, .tabIndex = 1},
        {.name = s.next, .kind = ControlKind::PushButton, .text = s.nextCaption,
         .rect = {s.nextLeft, s.buttonTop, 1215, 495}, .tabIndex = 2},
    };
    for (int i = 0; i < 4; ++i)
        controls.push_back({.name = kOptionNames[i], .kind = ControlKind::RadioButton, .text = q.choices[i],
                            .rect = s.options[i], .tabIndex = s.optionTabs[i]});
    const QByteArray name = screenName(s.number).toLatin1();
    const WindowSpec design{.name = name.constData(), .caption = caption, .width = s.width, .height = s.height,
                            .controls = controls};
    auto* w = new Window(design);
    const int n = s.number;
    w->onClick(s.next, [&windows, w, &s] { judgeChoice(windows, *w, s); });
    w->onClick(s.quit, [&windows, n] { windows.close(screenName(n)); });
    return w;
}

Window* buildStatementScreen(WindowSystem& windows, const StatementScreen& s)
{
    const Question& q = *find(s.number);
    const ControlSpec controls[] = {
        {.name = kStatementLabel, .kind = ControlKind::Label, .text = q.prompt, .rect = s.statement,
         .font = kTextFont, .wordWrap = true},
        {.name = kTrue, .kind = ControlKind::PushButton, .text = "&True", .rect = {360, s.buttonTop, 1215, 495},
         .tabIndex = s.tabs[0]},
        {.name = kFalse, .kind = ControlKind::PushButton, .text = "&False",
         .rect = {s.falseLeft, s.buttonTop, 1215, 495}, .tabIndex = s.tabs[1]},
        {.name = kQuitStatement, .kind = ControlKind::PushButton, .text = "&Quit",
         .rect = {s.quitLeft, 2640, 1215, 495}, .tabIndex = s.tabs[2]},
    };
    const QByteArray name = screenName(s.number).toLatin1();
    const WindowSpec design{.name = name.constData(), .caption = "True or False", .width = 4680, .height = 3195,
                            .controls = controls};
    auto* w = new Window(design);
    const int n = s.number;
    w->onClick(kTrue, [&windows, n] { judgeStatement(windows, n, true); });
    w->onClick(kFalse, [&windows, n] { judgeStatement(windows, n, false); });
    w->onClick(kQuitStatement, [&windows, n] { windows.close(screenName(n)); });
    return w;
}

}  // namespace

void defineQuestionScreens(WindowSystem& windows)
{
    for (const ChoiceScreen& s : kChoiceScreens)
        windows.define(screenName(s.number), [&windows, &s] { return buildChoiceScreen(windows, s); });
    for (const StatementScreen& s : kStatementScreens)
        windows.define(screenName(s.number), [&windows, &s] { return buildStatementScreen(windows, s); });
}

}  // namespace quiz
