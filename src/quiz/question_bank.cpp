#include "question_bank.h"

#include "question_table.h"

namespace quiz {
namespace {

// The shape of the table is checked when the program is compiled.

constexpr bool numberedInOrder()
{
    for (int i = 0; i < kQuestionCount; ++i)
        if (kQuestions[i].number != i + 1) return false;
    return true;
}

constexpr bool partsAreWhole()
{
    for (const Question& q : kQuestions) {
        const bool partOne = q.number <= kLastMultipleChoice;
        if ((q.kind == QuestionKind::MultipleChoice) != partOne) return false;
    }
    return true;
}

constexpr bool masksAreSound()
{
    for (const Question& q : kQuestions) {
        if (q.kind != QuestionKind::MultipleChoice) continue;
        const OptionMask m = q.mask;
        if (q.answerSlot == Slot::None || m.first == Slot::None || m.second == Slot::None) return false;
        if (m.first == m.second) return false;
        if (q.answerSlot == m.first || q.answerSlot == m.second) return false;
    }
    return true;
}

constexpr int correctSlotCount(Slot slot)
{
    int n = 0;
    for (const Question& q : kQuestions)
        if (q.kind == QuestionKind::MultipleChoice && q.answerSlot == slot) ++n;
    return n;
}

constexpr int trueStatementCount(bool value)
{
    int n = 0;
    for (const Question& q : kQuestions)
        if (q.kind == QuestionKind::TrueFalse && q.answerTrue == value) ++n;
    return n;
}

constexpr bool onlyQuestion(int number, bool (*has)(const Question&))
{
    for (const Question& q : kQuestions)
        if (has(q) != (q.number == number)) return false;
    return true;
}

constexpr bool everyTextPresent()
{
    for (const Question& q : kQuestions) {
        if (q.prompt.empty() || q.explanation.empty()) return false;
        if (q.kind == QuestionKind::MultipleChoice)
            for (std::string_view c : q.choices)
                if (c.empty()) return false;
    }
    return true;
}

static_assert(numberedInOrder(), "questions are numbered 1 to 50 in order");
static_assert(partsAreWhole(), "part one is questions 1 to 20, part two 21 to 50");
static_assert(masksAreSound(), "a mask holds two different wrong slots");
static_assert(correctSlotCount(Slot::Option1) == 4 && correctSlotCount(Slot::Option2) == 7 &&
                  correctSlotCount(Slot::Option3) == 4 && correctSlotCount(Slot::Option4) == 5,
              "answer key of part one");
static_assert(trueStatementCount(true) == 14 && trueStatementCount(false) == 16,
              "answer key of part two");
static_assert(onlyQuestion(16, [](const Question& q) { return !q.picture.resource.empty(); }),
              "only the explanation of question 16 has a picture");
static_assert(onlyQuestion(22, [](const Question& q) { return q.hasRightAnswerDialog; }),
              "only question 22 has a dialog after a right answer");
static_assert(everyTextPresent(), "no empty prompt, choice or explanation");

const Question* findOfKind(int number, QuestionKind kind)
{
    const Question* q = find(number);
    return q && q->kind == kind ? q : nullptr;
}

}  // namespace

const Question* find(int number)
{
    if (number < kFirstQuestion || number > kLastQuestion) return nullptr;
    return &kQuestions[number - 1];
}

std::optional<Slot> answerSlot(int number)
{
    if (const Question* q = findOfKind(number, QuestionKind::MultipleChoice)) return q->answerSlot;
    return std::nullopt;
}

std::optional<bool> answerIsTrue(int number)
{
    if (const Question* q = findOfKind(number, QuestionKind::TrueFalse)) return q->answerTrue;
    return std::nullopt;
}

std::optional<OptionMask> optionMask(int number)
{
    if (const Question* q = findOfKind(number, QuestionKind::MultipleChoice)) return q->mask;
    return std::nullopt;
}

std::string caption(int number)
{
    const Question* q = find(number);
    if (!q) return {};
    return q->kind == QuestionKind::MultipleChoice ? "Question " + std::to_string(number) : "True or False";
}

}  // namespace quiz
