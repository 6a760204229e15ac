// When something fails: a desktop without a browser, a sound service whose
// call fails, a score board whose text is not a number. The click stops at
// the step that failed, says so in the log, keeps the steps it had already
// taken, and the program goes on: nothing else is shown, closed or ended.

#include <QRegularExpression>

#include "session.h"

class FailuresTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Session> s;

    // Starts the test and answers right up to the screen of question `n`.
    void startAndAnswerRightUpTo(int n)
    {
        s->startTest();
        s->takeTest([](int) { return true; }, 1, n - 1);
        QVERIFY(s->onView(quiz::screenName(n)));
    }

    // The click on that screen's answer is logged as stopped.
    static void expectStopped(int n, const char* button)
    {
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^%1\\.%2 stopped: ").arg(quiz::screenName(n), button)));
    }

    static const char* answerButton(int n, bool right)
    {
        if (n <= quiz::kLastMultipleChoice) return "next";
        return right == *quiz::answerIsTrue(n) ? "Command1" : "Command2";
    }

    void setCount(const char* label, const QString& text) { s->control<QLabel>("Test", label)->setText(text); }

private slots:
    void init()
    {
        s = std::make_unique<Session>();
        // Only the failures each case expects may be logged.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    }
    void cleanup() { s.reset(); }

    void aLinkTheDesktopCannotOpenLeavesEverythingAsItWas()
    {
        s->startTest();
        s->click("Test", "cmdAbout");
        s->platform.refuseToOpen = true;
        const QStringList before = s->windowNames();
        s->click("frmAbout", "Label7");
        s->click("frmAbout", "Label7");
        QCOMPARE(s->platform.openedUrls.size(), 2);  // asked each time
        QCOMPARE(s->windowNames(), before);
        QVERIFY(s->onView("frmAbout") && s->onView("q1"));
        QVERIFY(!s->ended());
        s->key("frmAbout", Qt::Key_Escape);
        QCOMPARE(s->windowNames(), (QStringList{"Test", "q1"}));
    }

    void aBeepThatFailsStopsTheRightAnswerThere_data()
    {
        QTest::addColumn<int>("question");
        QTest::newRow("multiple choice") << 2;
        QTest::newRow("question 18, which beeps twice") << 18;
        QTest::newRow("true or false") << 21;
    }
    void aBeepThatFailsStopsTheRightAnswerThere()
    {
        QFETCH(int, question);
        startAndAnswerRightUpTo(question);
        const QString screen = quiz::screenName(question);
        const QString right = s->text("Test", "right");
        const QStringList windows = s->windowNames();
        const int beeps = s->platform.beeps;
        s->platform.beepFails = true;
        expectStopped(question, answerButton(question, true));
        s->answer(question, true);
        QCOMPARE(s->platform.beeps, beeps + 1);  // asked once, then stopped
        QCOMPARE(s->text("Test", "right"), right);
        QCOMPARE(s->windowNames(), windows);
        QVERIFY(s->onView(screen));
        QVERIFY(!s->ended());
        // Once the sound service answers again, the same screen takes the answer.
        s->platform.beepFails = false;
        s->answer(question, true);
        QCOMPARE(s->text("Test", "right"), QString::number(right.toInt() + 1));
        QVERIFY(!s->exists(screen));
    }

    void aCountThatIsNotANumberStopsTheAnswerThere_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<bool>("answerRight");
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("beeps");
        QTest::newRow("right answer to a choice") << 2 << true << "right" << 1;
        QTest::newRow("wrong answer to a choice") << 2 << false << "wrong" << 0;
        QTest::newRow("right answer to a statement") << 30 << true << "right" << 1;
        QTest::newRow("wrong answer to a statement") << 30 << false << "wrong" << 0;
    }
    void aCountThatIsNotANumberStopsTheAnswerThere()
    {
        QFETCH(int, question);
        QFETCH(bool, answerRight);
        QFETCH(QString, count);
        QFETCH(int, beeps);
        startAndAnswerRightUpTo(question);
        const QStringList windows = s->windowNames();
        const QString other = count == "right" ? "wrong" : "right";
        const QString otherCount = s->text("Test", other);
        const int beepsBefore = s->platform.beeps;
        setCount(qPrintable(count), "x");
        expectStopped(question, answerButton(question, answerRight));
        s->answer(question, answerRight);
        QCOMPARE(s->platform.beeps, beepsBefore + beeps);  // a right answer has beeped before the count
        QCOMPARE(s->text("Test", count), "x");
        QCOMPARE(s->text("Test", other), otherCount);
        QCOMPARE(s->windowNames(), windows);  // no explanation, no next question
        QVERIFY(s->onView(quiz::screenName(question)));
        QVERIFY(!s->ended());
        // Reset Test writes every count afresh, and the screen goes on from there.
        s->click("Test", "restart");
        s->answer(question, answerRight);
        QCOMPARE(s->text("Test", count), "1");
        QVERIFY(!s->exists(quiz::screenName(question)));
    }

    void questionOneWritesItsCountWithoutReadingIt()
    {
        s->startTest();
        setCount("right", "x");
        s->answer(1, true);
        QCOMPARE(s->text("Test", "right"), "1");
        QVERIFY(s->onView("q2"));
    }

    void aFailureAfterTheLastWrongAnswerKeepsTheCountItWrote()
    {
        startAndAnswerRightUpTo(50);
        setCount("right", "x");
        expectStopped(50, answerButton(50, false));
        s->answer(50, false);
        QCOMPARE(s->counts(), "x 1 0");  // wrong written before the percentage failed
        QVERIFY(!s->exists("a50"));
        QVERIFY(s->onView("q50"));
        // The screen can still be left with its own Quit.
        s->click("q50", "Command3");
        QCOMPARE(s->windowNames(), QStringList{"Test"});
        QVERIFY(!s->ended());
    }

    void aPercentageThatIsNotANumberRevealsNothing()
    {
        s->startTest();
        s->takeTest([](int) { return true; });
        setCount("percent", "x");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^done\\.end stopped: "));
        s->click("done", "end");
        QCOMPARE(s->resultsOnView(), QStringList{});
        QVERIFY(s->onView("done"));
        QVERIFY(!s->ended());
        // The main window still answers: Reset Test brings back Ready.
        s->click("Test", "restart");
        QCOMPARE(s->mainButtons(), "++-");
        QCOMPARE(s->counts(), "0 0 0");
    }
};

QTEST_MAIN(FailuresTest)
#include "test_failures.moc"
