#pragma once
// The fifty questions of the test: one read-only table built into the program.
// Questions 1 to 20 are multiple choice, 21 to 50 true or false.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quiz {

inline constexpr int kFirstQuestion = 1;
inline constexpr int kLastMultipleChoice = 20;
inline constexpr int kFirstTrueFalse = 21;
inline constexpr int kLastQuestion = 50;
inline constexpr int kQuestionCount = 50;

enum class QuestionKind { MultipleChoice, TrueFalse };

// The four radio buttons of a multiple-choice screen. A slot, never a text,
// is what the answer key and the option masks name.
enum class Slot { None = 0, Option1 = 1, Option2, Option3, Option4 };

// The two wrong choices that the easier difficulty levels disable, in order.
struct OptionMask {
    Slot first = Slot::None;
    Slot second = Slot::None;
};

// A picture compiled into the program's resources, with a sentence saying
// what it shows (its tooltip and its accessible name).
struct Illustration {
    std::string_view resource{};
    std::string_view description{};
};

using Choices = std::array<std::string_view, 4>;

struct Question {
    int number = 0;
    QuestionKind kind = QuestionKind::MultipleChoice;
    std::string_view prompt{};        // the question, or the statement to judge
    Choices choices{};              // multiple choice only, in slot order
    Slot answerSlot = Slot::None;   // multiple choice only
    bool answerTrue = false;        // true/false only
    OptionMask mask{};              // multiple choice only
    std::string_view explanation{};   // shown after a wrong answer
    Illustration picture{};             // only the explanation of question 16 has one
    bool hasRightAnswerDialog = false;  // only question 22
};

constexpr Question multipleChoice(int number, std::string_view prompt, Choices choices,
                                  Slot answer, OptionMask mask, std::string_view explanation,
                                  Illustration picture = {})
{
    return {number, QuestionKind::MultipleChoice, prompt, choices, answer, false, mask, explanation,
            picture, false};
}

constexpr Question trueFalse(int number, std::string_view statement, bool answer,
                             std::string_view explanation, bool rightAnswerDialog = false)
{
    return {number, QuestionKind::TrueFalse, statement, {}, Slot::None, answer, {}, explanation, {},
            rightAnswerDialog};
}

// Lookups by question number. A number outside 1 to 50, or an answer slot
// or mask asked of a true/false question, gives no value.
const Question* find(int number);
std::optional<Slot> answerSlot(int number);
std::optional<bool> answerIsTrue(int number);
std::optional<OptionMask> optionMask(int number);

// "Question N" for part one, "True or False" for part two; empty outside 1 to 50.
std::string caption(int number);

constexpr int slotIndex(Slot slot) { return static_cast<int>(slot) - 1; }

}  // namespace quiz
