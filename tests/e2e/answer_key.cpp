// Prints what the end-to-end runs need to know about the fifty questions:
// the answers, which choices the difficulty levels take away, and the order
// in which Tab visits the choices of each screen.
//
//   answer-key lines   one line a question, for shell scripts:
//                        choice N ANSWER MASK1 MASK2 TAB1 TAB2 TAB3 TAB4 X1 Y1 X2 Y2 X3 Y3 X4 Y4
//                        truefalse N true|false
//                      with the choices' slots (1 to 4) in tab order, and
//                      the middle of each slot's button in pixels
//   answer-key json    everything, texts included, for the screen-reader run

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "quiz/question_bank.h"
#include "quiz/question_screens.h"
#include "ui/design.h"

namespace {

using namespace quiz;

using ui::qs;

int slot(Slot s) { return static_cast<int>(s); }

// The choices' slots (1 to 4) in the order their tab indices give.
std::array<int, 4> tabOrder(int n)
{
    const ChoiceScreen& screen = kChoiceScreens[n - 1];
    std::array<int, 4> order{1, 2, 3, 4};
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return screen.optionTabs[a - 1] < screen.optionTabs[b - 1]; });
    return order;
}

void printLines()
{
    for (int n = kFirstQuestion; n <= kLastQuestion; ++n) {
        if (n <= kLastMultipleChoice) {
            const OptionMask m = *optionMask(n);
            const auto t = tabOrder(n);
            std::printf("choice %d %d %d %d %d %d %d %d", n, slot(*answerSlot(n)), slot(m.first),
                        slot(m.second), t[0], t[1], t[2], t[3]);
            for (const ui::Twips& r : kChoiceScreens[n - 1].options) {
                const QPoint middle = r.toPixels().center();
                std::printf(" %d %d", middle.x(), middle.y());
            }
            std::printf("\n");
        } else {
            std::printf("truefalse %d %s\n", n, *answerIsTrue(n) ? "true" : "false");
        }
    }
}

void printJson()
{
    QJsonArray questions;
    for (int n = kFirstQuestion; n <= kLastQuestion; ++n) {
        const Question& q = *find(n);
        QJsonObject o{{"number", n}, {"caption", qs(caption(n))}, {"prompt", qs(q.prompt)},
                      {"explanation", qs(q.explanation)}};
        if (n <= kLastMultipleChoice) {
            QJsonArray choices;
            for (std::string_view c : q.choices) choices.append(qs(c));
            const OptionMask m = *optionMask(n);
            o.insert("kind", "choice");
            o.insert("choices", choices);
            o.insert("answer", slot(*answerSlot(n)));
            o.insert("mask", QJsonArray{slot(m.first), slot(m.second)});
        } else {
            o.insert("kind", "truefalse");
            o.insert("answer", *answerIsTrue(n));
        }
        if (!q.picture.resource.empty()) o.insert("picture", qs(q.picture.description));
        questions.append(o);
    }
    std::fputs(QJsonDocument(questions).toJson().constData(), stdout);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "lines") == 0) printLines();
    else if (argc == 2 && std::strcmp(argv[1], "json") == 0) printJson();
    else {
        std::fputs("usage: answer-key lines|json\n", stderr);
        return 2;
    }
    return 0;
}
