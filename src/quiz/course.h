#pragma once
// The course of a test: the windows of each question, by name, and which
// window comes after which.

#include <QString>

namespace quiz {

// "q7" is the screen of question 7, "a7" its explanation after a wrong
// answer; a question with a dialog after a right answer has it as "a22a".
QString screenName(int question);
QString dialogName(int question);
QString rightAnswerDialogName(int question);

enum class After { RightAnswer, WrongAnswer, Dialog };

// The window that comes after question n: after a right answer, after a
// wrong one, or once one of its dialogs has been read. Between the two parts
// of the test stands their notice; after the last question, the end.
QString windowAfter(int question, After after);

}  // namespace quiz
