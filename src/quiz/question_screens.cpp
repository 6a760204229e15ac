#include "question_screens.h"

#include <vector>

#include <QRadioButton>

#include "question_bank.h"
#include "score_board.h"
#include "ui/platform.h"
#include "ui/window_system.h"

namespace quiz {
namespace {

using namespace ui;
using ui::Kind;  // controls, not questions

constexpr FontSpec kQuestionFont{"MS Sans Serif", 12};
constexpr std::string_view kOptionNames[4] = {"Option1", "Option2", "Option3", "Option4"};

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// The window after an answer: the explanation after a wrong one, otherwise the
// next question (with the stops between the parts and at the end).
QString afterRightAnswer(int n)
{
    if (n == kLastMultipleChoice) return kPartTwoNotice;
    if (n == 22) return kRightAnswerDialog;
    if (n == kLastQuestion) return kEndOfTest;
    return screenName(n + 1);
}

void judgeChoice(WindowSystem& windows, Window* screen, int n)
{
    const QString key = qs(kOptionNames[slotIndex(*answerSlot(n))]);
    const bool right = screen->control<QRadioButton>(key)->isChecked();
    const QString rightCount = scoreText(windows, QStringLiteral("right"));
    const QString wrongCount = scoreText(windows, QStringLiteral("wrong"));
    if (right) {
        windows.platform().beep();
        if (n == 18) windows.platform().beep();
    }
    // Question 1 starts the counting afresh rather than adding to it.
    const QString first = QStringLiteral("1");
    if (right) setScoreText(windows, QStringLiteral("right"), n == 1 ? first : plusOne(rightCount));
    else setScoreText(windows, QStringLiteral("wrong"), n == 1 ? first : plusOne(wrongCount));
    windows.show(right ? afterRightAnswer(n) : dialogName(n));
    windows.close(screenName(n));
}

void judgeStatement(WindowSystem& windows, int n, bool saidTrue)
{
    const bool right = saidTrue == *answerIsTrue(n);
    if (right) {
        const QString rightCount = scoreText(windows, QStringLiteral("right"));
        windows.platform().beep();
        setScoreText(windows, QStringLiteral("right"), plusOne(rightCount));
        if (n == kLastQuestion)
            setScoreText(windows, QStringLiteral("percent"),
                         percentage(scoreText(windows, QStringLiteral("right"))));
        windows.show(afterRightAnswer(n));
    } else {
        const QString rightCount = scoreText(windows, QStringLiteral("right"));
        const QString wrongCount = scoreText(windows, QStringLiteral("wrong"));
        setScoreText(windows, QStringLiteral("wrong"), plusOne(wrongCount));
        if (n == kLastQuestion)
            setScoreText(windows, QStringLiteral("percent"), percentage(rightCount));
        windows.show(dialogName(n));
    }
    windows.close(screenName(n));
}

Window* buildChoiceScreen(WindowSystem& windows, const ChoiceScreen& s)
{
    const Question& q = *find(s.number);
    const std::string caption = quiz::caption(s.number);
    std::vector<ControlSpec> controls = {
        {.name = s.questionLabel, .kind = Kind::Label, .text = q.prompt, .rect = s.question,
         .font = kQuestionFont, .wordWrap = true},
        {.name = s.quit, .kind = Kind::PushButton, .text = s.quitCaption,
         .rect = {s.quitLeft, s.buttonTop, 1215, 495}, .tabIndex = 1},
        {.name = s.next, .kind = Kind::PushButton, .text = s.nextCaption,
         .rect = {s.nextLeft, s.buttonTop, 1215, 495}, .tabIndex = 2},
    };
    for (int i = 0; i < 4; ++i)
        controls.push_back({.name = kOptionNames[i], .kind = Kind::RadioButton, .text = q.choices[i],
                            .rect = s.options[i], .tabIndex = s.optionTabs[i]});
    const std::string name = screenName(s.number).toStdString();
    const WindowSpec design{.name = name, .caption = caption, .width = s.width, .height = s.height,
                            .controls = controls};
    auto* w = new Window(design);
    const int n = s.number;
    w->setFollowers({afterRightAnswer(n), dialogName(n)});
    w->onClick(qs(s.next), [&windows, w, n] { judgeChoice(windows, w, n); });
    w->onClick(qs(s.quit), [&windows, n] { windows.close(screenName(n)); });
    return w;
}

Window* buildStatementScreen(WindowSystem& windows, const StatementScreen& s)
{
    const Question& q = *find(s.number);
    // The first screen of part two offers "False" first.
    const bool falseFirst = s.number == kFirstTrueFalse;
    const ControlSpec controls[] = {
        {.name = "Label1", .kind = Kind::Label, .text = q.prompt, .rect = s.statement,
         .font = kQuestionFont, .wordWrap = true},
        {.name = "Command1", .kind = Kind::PushButton, .text = "&True", .rect = {360, s.buttonTop, 1215, 495},
         .tabIndex = falseFirst ? 2 : 0},
        {.name = "Command2", .kind = Kind::PushButton, .text = "&False",
         .rect = {s.falseLeft, s.buttonTop, 1215, 495}, .tabIndex = falseFirst ? 0 : 1},
        {.name = "Command3", .kind = Kind::PushButton, .text = "&Quit", .rect = {s.quitLeft, 2640, 1215, 495},
         .tabIndex = falseFirst ? 1 : 2},
    };
    const std::string name = screenName(s.number).toStdString();
    const WindowSpec design{.name = name, .caption = "True or False", .width = 4680, .height = 3195,
                            .controls = controls};
    auto* w = new Window(design);
    const int n = s.number;
    w->setFollowers({afterRightAnswer(n), dialogName(n)});
    w->onClick(QStringLiteral("Command1"), [&windows, n] { judgeStatement(windows, n, true); });
    w->onClick(QStringLiteral("Command2"), [&windows, n] { judgeStatement(windows, n, false); });
    w->onClick(QStringLiteral("Command3"), [&windows, n] { windows.close(screenName(n)); });
    return w;
}

}  // namespace

QString screenName(int question) { return QStringLiteral("q%1").arg(question); }
QString dialogName(int question) { return QStringLiteral("a%1").arg(question); }

void defineQuestionScreens(WindowSystem& windows)
{
    for (const ChoiceScreen& s : kChoiceScreens)
        windows.define(screenName(s.number), [&windows, &s] { return buildChoiceScreen(windows, s); });
    for (const StatementScreen& s : kStatementScreens)
        windows.define(screenName(s.number), [&windows, &s] { return buildStatementScreen(windows, s); });
}

}  // namespace quiz
