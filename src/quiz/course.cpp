#include "course.h"

#include "end_of_test.h"
#include "explanation_dialogs.h"
#include "question_bank.h"

namespace quiz {

QString screenName(int question) { return QStringLiteral("q%1").arg(question); }
QString dialogName(int question) { return QStringLiteral("a%1").arg(question); }
QString rightAnswerDialogName(int question) { return dialogName(question) + QLatin1Char('a'); }

QString windowAfter(int question, After after)
{
    if (after == After::WrongAnswer) return dialogName(question);
    if (after == After::RightAnswer && find(question)->hasRightAnswerDialog) return rightAnswerDialogName(question);
    if (question == kLastMultipleChoice) return kPartTwoNotice;
    if (question == kLastQuestion) return kEndOfTest;
    return screenName(question + 1);
}

}  // namespace quiz
