// The fifty questions as a player meets them: every text fits the box it is
// shown in, reads cleanly, and an explanation always names the right answer.

#include <algorithm>
#include <cctype>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QRegularExpression>
#include <QHash>
#include <QSet>
#include <QTest>

#include "quiz/question_bank.h"
#include "ui/design.h"

using namespace quiz;

namespace {

using ui::qs;

// How a text is shown: the range of its length in characters, and the
// word-wrapped box (font size, width in pixels, lines) it has to fit in.
struct Box {
    int minChars;
    int maxChars;
    double points;
    int width;
    int maxLines;
};

constexpr Box kPromptBox{25, 92, 12, 297, 3};
constexpr Box kFirstPromptBox{25, 55, 12, 250, 2};
constexpr Box kChoiceBox{2, 75, 8.25, 124, 2};
constexpr Box kLiftingChoiceBox{2, 75, 8.25, 124, 3};  // question 16 has taller radio buttons
constexpr Box kStatementBox{23, 97, 12, 281, 3};
constexpr Box kExplanationBox{30, 388, 12, 353, 8};
constexpr Box kFirstExplanationBox{30, 32, 12, 201, 1};  // a one-line note under the first question
constexpr Box kLiftingExplanationBox{30, 388, 12, 297, 3};  // shares its dialog with the picture
constexpr int kMinPictureDescription = 45;
constexpr int kMaxPictureDescription = 55;

// The font the boxes were sized with.
const char* const kFamily = "Liberation Sans";

// Question 16's explanation speaks of the picture rather than repeating its
// long choice, so it is matched by the part no wrong choice shares.
const QHash<int, QString> kKeyPhrases{{16, "from underneath with both hands"}};

// Words that would read wrongly in a dialog shown after a right answer as
// well as after a wrong one.
const char* const kVerdictWords[] = {"sorry", "well done", "correct", "wrong", "oops", "unlucky"};

struct ShownText {
    QString name;
    QString text;
    Box box;
};

QList<ShownText> allShownTexts()
{
    QList<ShownText> texts;
    for (int n = kFirstQuestion; n <= kLastQuestion; ++n) {
        const Question* q = find(n);
        const QString tag = QStringLiteral("q%1 ").arg(n);
        if (q->kind == QuestionKind::MultipleChoice) {
            texts.append({tag + "prompt", qs(q->prompt), n == 1 ? kFirstPromptBox : kPromptBox});
            for (int i = 0; i < 4; ++i)
                texts.append({tag + QStringLiteral("choice %1").arg(i + 1), qs(q->choices[i]),
                              n == 16 ? kLiftingChoiceBox : kChoiceBox});
        } else {
            texts.append({tag + "statement", qs(q->prompt), kStatementBox});
        }
        const Box explanationBox =
            n == 1 ? kFirstExplanationBox : n == 16 ? kLiftingExplanationBox : kExplanationBox;
        texts.append({tag + "explanation", qs(q->explanation), explanationBox});
    }
    return texts;
}

void addShownTextRows()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<Box>("box");
    for (const ShownText& t : allShownTexts()) QTest::newRow(qPrintable(t.name)) << t.text << t.box;
}

// The font the boxes were sized with at that size, or, where it is not
// installed, a font that tells nothing about them.
QFont sizingFont(double points)
{
    QFont font(QString::fromLatin1(kFamily));
    font.setPointSizeF(points);
    return font;
}
bool isSizingFont(const QFont& font) { return QFontInfo(font).family() == QLatin1String(kFamily); }

int linesWhenWrapped(const QFont& font, int width, const QString& s)
{
    const QRect r = QFontMetrics(font).boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, s);
    return qRound(r.height() / QFontMetricsF(font).lineSpacing());
}

}  // namespace

class QuestionBankTest : public QObject {
    Q_OBJECT

private slots:
    void lookupsKnowOnlyQuestionsOneToFifty()
    {
        for (int n = kFirstQuestion; n <= kLastQuestion; ++n) {
            const Question* q = find(n);
            QVERIFY2(q, qPrintable(QString::number(n)));
            QCOMPARE(q->number, n);
        }
        for (int n : {-1, 0, 51, 100}) {
            QVERIFY(!find(n));
            QVERIFY(!answerSlot(n));
            QVERIFY(!answerIsTrue(n));
            QVERIFY(!optionMask(n));
            QVERIFY(caption(n).empty());
        }
    }

    void partOneHasChoicesAndPartTwoAVerdict()
    {
        for (int n = kFirstQuestion; n <= kLastMultipleChoice; ++n) {
            QVERIFY(answerSlot(n) && optionMask(n));
            QVERIFY2(!answerIsTrue(n), qPrintable(QString::number(n)));
            QCOMPARE(QString::fromStdString(caption(n)), QStringLiteral("Question %1").arg(n));
        }
        for (int n = kFirstTrueFalse; n <= kLastQuestion; ++n) {
            QVERIFY(answerIsTrue(n));
            QVERIFY2(!answerSlot(n) && !optionMask(n), qPrintable(QString::number(n)));
            QCOMPARE(QString::fromStdString(caption(n)), QStringLiteral("True or False"));
        }
    }

    // The answer key and the option masks, copied from the design apart from
    // the bank, so that a slip in the bank's table cannot pass unseen.
    void theAnswerKeyAndTheMasksAreTheDesigns()
    {
        // For each of questions 1 to 20: the answer's slot, then the first
        // and the second masked slot.
        const char* const partOne[] = {"312", "213", "312", "123", "123", "213", "412", "312", "123", "412",
                                       "214", "124", "214", "213", "314", "413", "412", "213", "213", "413"};
        for (int n = kFirstQuestion; n <= kLastMultipleChoice; ++n) {
            const auto slot = [&](int i) { return Slot(partOne[n - kFirstQuestion][i] - '0'); };
            QCOMPARE(answerSlot(n), slot(0));
            QCOMPARE(optionMask(n)->first, slot(1));
            QCOMPARE(optionMask(n)->second, slot(2));
        }
        // Questions 21 to 50, T where the statement is true.
        const QString partTwo = QStringLiteral("FTFFTFFTFTTTFFFTTTFFFTTFTFTFFT");
        QCOMPARE(partTwo.size(), kLastQuestion - kFirstTrueFalse + 1);
        for (int n = kFirstTrueFalse; n <= kLastQuestion; ++n)
            QCOMPARE(answerIsTrue(n), partTwo[n - kFirstTrueFalse] == QLatin1Char('T'));
    }

    void everyTextIsTidyPlainAsciiOfALengthItsBoxAllows_data() { addShownTextRows(); }
    void everyTextIsTidyPlainAsciiOfALengthItsBoxAllows()
    {
        QFETCH(QString, shown);
        QFETCH(Box, box);
        for (QChar c : shown)
            QVERIFY2(c.unicode() >= 0x20 && c.unicode() < 0x7F,
                     qPrintable(QStringLiteral("character U+%1").arg(c.unicode(), 4, 16, QChar('0'))));
        QVERIFY2(!shown.contains('&'), "an ampersand would turn into an access key");
        QVERIFY2(!shown.startsWith(' ') && !shown.endsWith(' '), "a space at either end");
        QVERIFY2(!shown.contains(QLatin1String("  ")), "a doubled space");
        QCOMPARE_GE(shown.size(), box.minChars);
        QCOMPARE_LE(shown.size(), box.maxChars);
    }

    void everyTextFitsItsBoxOnScreen_data() { addShownTextRows(); }
    void everyTextFitsItsBoxOnScreen()
    {
        QFETCH(QString, shown);
        QFETCH(Box, box);
        const QFont font = sizingFont(box.points);
        if (!isSizingFont(font)) QSKIP("the font the boxes were sized with is not installed");
        QCOMPARE_LE(linesWhenWrapped(font, box.width, shown), box.maxLines);
    }

    void noQuestionIsAskedTwice()
    {
        QSet<QString> prompts;
        QSet<QString> explanations;
        for (int n = kFirstQuestion; n <= kLastQuestion; ++n) {
            const Question* q = find(n);
            const QString prompt = qs(q->prompt).toLower();
            QVERIFY2(!prompts.contains(prompt), qPrintable(QStringLiteral("prompt of question %1").arg(n)));
            prompts.insert(prompt);
            const QString explanation = qs(q->explanation).toLower();
            QVERIFY2(!explanations.contains(explanation),
                     qPrintable(QStringLiteral("explanation of question %1").arg(n)));
            explanations.insert(explanation);
        }
    }

    void noQuestionOffersTheSameChoiceTwice()
    {
        for (int n = kFirstQuestion; n <= kLastMultipleChoice; ++n) {
            const Choices& c = find(n)->choices;
            for (int i = 0; i < 4; ++i)
                for (int j = i + 1; j < 4; ++j)
                    QVERIFY2(qs(c[i]).compare(qs(c[j]), Qt::CaseInsensitive) != 0,
                             qPrintable(QStringLiteral("question %1, choices %2 and %3").arg(n).arg(i + 1).arg(j + 1)));
        }
    }

    // A player who picked wrongly must find the right choice in the
    // explanation, by words no wrong choice uses.
    void explanationsOfPartOneNameTheRightChoice_data()
    {
        QTest::addColumn<int>("number");
        for (int n = kFirstQuestion; n <= kLastMultipleChoice; ++n)
            QTest::newRow(qPrintable(QStringLiteral("q%1").arg(n))) << n;
    }
    void explanationsOfPartOneNameTheRightChoice()
    {
        QFETCH(int, number);
        const Question* q = find(number);
        const QString explanation = qs(q->explanation);
        const QString right = qs(q->choices[slotIndex(q->answerSlot)]);
        const QString phrase = kKeyPhrases.value(number, right);
        if (kKeyPhrases.contains(number)) {
            QVERIFY2(!explanation.contains(right, Qt::CaseInsensitive),
                     "the explanation quotes the whole choice: its key phrase is no longer needed");
            QVERIFY2(right.contains(phrase, Qt::CaseInsensitive), "the key phrase is not part of the right choice");
        }
        QVERIFY2(explanation.contains(phrase, Qt::CaseInsensitive),
                 qPrintable(QStringLiteral("\"%1\" is not in the explanation").arg(phrase)));
        for (int i = 0; i < 4; ++i) {
            if (i == slotIndex(q->answerSlot)) continue;
            QVERIFY2(!qs(q->choices[i]).contains(phrase, Qt::CaseInsensitive),
                     qPrintable(QStringLiteral("wrong choice %1 also contains \"%2\"").arg(i + 1).arg(phrase)));
        }
    }

    // A player who knows nothing of snelks must not find the right choice by
    // its shape: it never takes more lines than every wrong choice beside it.
    void noRightChoiceStandsOutByItsLength_data() { explanationsOfPartOneNameTheRightChoice_data(); }
    void noRightChoiceStandsOutByItsLength()
    {
        QFETCH(int, number);
        const Question* q = find(number);
        const Box box = number == 16 ? kLiftingChoiceBox : kChoiceBox;
        const QFont font = sizingFont(box.points);
        if (!isSizingFont(font)) QSKIP("the font the boxes were sized with is not installed");
        const int right = linesWhenWrapped(font, box.width, qs(q->choices[slotIndex(q->answerSlot)]));
        int longestWrong = 0;
        for (int i = 0; i < 4; ++i)
            if (i != slotIndex(q->answerSlot))
                longestWrong = std::max(longestWrong, linesWhenWrapped(font, box.width, qs(q->choices[i])));
        QCOMPARE_LE(right, longestWrong);  // lines of the right choice, and of the longest wrong one
    }

    // Choices that are all numbers stand in ascending order, so that no
    // choice stands out by its place, and carry no unit: the question names it.
    void numericChoicesAscendWithTheirUnitInTheQuestion()
    {
        static const QRegularExpression number(QStringLiteral("^(\\d+)( to \\d+)?$"));
        for (int n = kFirstQuestion; n <= kLastMultipleChoice; ++n) {
            const Choices& c = find(n)->choices;
            const auto startsWithADigit = [](std::string_view s) {
                return !s.empty() && std::isdigit(static_cast<unsigned char>(s[0]));
            };
            if (!std::all_of(c.begin(), c.end(), startsWithADigit)) continue;
            int previous = -1;
            for (int i = 0; i < 4; ++i) {
                const QRegularExpressionMatch m = number.match(qs(c[i]));
                QVERIFY2(m.hasMatch(), qPrintable(QStringLiteral("question %1, choice %2 is not a plain number: \"%3\"")
                                                      .arg(n)
                                                      .arg(i + 1)
                                                      .arg(qs(c[i]))));
                const int value = m.captured(1).toInt();
                QVERIFY2(value > previous,
                         qPrintable(QStringLiteral("question %1, choice %2 is out of order").arg(n).arg(i + 1)));
                previous = value;
            }
        }
    }

    void explanationsOfPartTwoOpenWithTheVerdict()
    {
        for (int n = kFirstTrueFalse; n <= kLastQuestion; ++n) {
            const Question* q = find(n);
            const QString verdict = q->answerTrue ? QStringLiteral("True. ") : QStringLiteral("False. ");
            QVERIFY2(qs(q->explanation).startsWith(verdict),
                     qPrintable(QStringLiteral("question %1 should open with \"%2\"").arg(n).arg(verdict)));
        }
    }

    // The dialog after a right answer shows the same text as the one after a
    // wrong answer, so that text must not judge the player.
    void anExplanationShownAfterBothAnswersPassesNoJudgement()
    {
        int shownAfterBoth = 0;
        for (int n = kFirstQuestion; n <= kLastQuestion; ++n) {
            const Question* q = find(n);
            if (!q->hasRightAnswerDialog) continue;
            ++shownAfterBoth;
            const QString explanation = qs(q->explanation);
            for (const char* word : kVerdictWords)
                QVERIFY2(!explanation.contains(QLatin1String(word), Qt::CaseInsensitive),
                         qPrintable(QStringLiteral("question %1 says \"%2\"").arg(n).arg(word)));
        }
        QVERIFY(shownAfterBoth > 0);
    }

    void theLiftingPictureIsThereAndDescribed()
    {
        const Question* q = find(16);
        QVERIFY(q);
        const QString description = qs(q->picture.description);
        QCOMPARE_GE(description.size(), kMinPictureDescription);
        QCOMPARE_LE(description.size(), kMaxPictureDescription);
        QVERIFY(description.endsWith('.') && !description.contains('&'));
        const QImage picture(qs(q->picture.resource));
        QVERIFY2(!picture.isNull(), qPrintable(qs(q->picture.resource)));
        QCOMPARE(picture.size(), QSize(102, 76));
    }
};

QTEST_MAIN(QuestionBankTest)
#include "test_question_bank.moc"
