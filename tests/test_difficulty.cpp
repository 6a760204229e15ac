// The difficulty dialog, the choices it takes away, and "Reset Test".

#include <QRadioButton>

#include "session.h"

class DifficultyTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Session> s;

    // Opens the dialog, picks a level ("" for none) and leaves with that button.
    void chooseLevel(const QString& level, const QString& leaveWith = "OKButton")
    {
        s->click("Test", "dif");
        QVERIFY(s->onView("options"));
        if (!level.isEmpty()) s->click("options", level);
        s->click("options", leaveWith);
        QVERIFY(!s->exists("options"));
    }

    // The choices of question n that can be picked, as slot numbers.
    QList<int> enabledSlots(int n)
    {
        QList<int> found;
        for (int slot = 1; slot <= 4; ++slot)
            if (s->control(quiz::screenName(n), Session::option(slot))->isEnabled()) found << slot;
        return found;
    }

    QStringList questionScreens()
    {
        QStringList screens;
        for (const QString& name : s->windowNames())
            if (name.startsWith('q')) screens << name;
        return screens;
    }

private slots:
    void init()
    {
        s = std::make_unique<Session>();
        s->openMainWindow();
    }
    void cleanup() { s.reset(); }

    void theDialogOpensAsDesigned()
    {
        s->click("Test", "dif");
        QCOMPARE(s->window("options")->windowTitle(), "Test Diffuculty");
        QCOMPARE(s->focused("options"), "OKButton");
        for (const char* level : {"Option1", "Option2", "Option3"})
            QVERIFY(!s->control<QRadioButton>("options", level)->isChecked());
        QCOMPARE(s->control<QRadioButton>("options", "Option3")->text(), "Very Easy");
    }

    void levelsTakeAwayTheMaskedChoices()
    {
        chooseLevel("Option3");  // Very Easy
        QCOMPARE(questionScreens().size(), 20);
        for (int n = 1; n <= 20; ++n) {
            const QList<int> left = enabledSlots(n);
            QCOMPARE(left.size(), 2);
            QVERIFY(left.contains(Session::rightSlot(n)));
            QVERIFY(!s->onView(quiz::screenName(n)));  // built, but not shown
        }
        chooseLevel("Option2");  // Easy after Very Easy
        for (int n = 1; n <= 20; ++n) {
            QCOMPARE(enabledSlots(n).size(), 3);
            const QString first = Session::option(quiz::slotIndex(quiz::optionMask(n)->first) + 1);
            QVERIFY(!s->control(quiz::screenName(n), first)->isEnabled());
        }
        chooseLevel("Option1");  // Normal
        for (int n = 1; n <= 20; ++n) QCOMPARE(enabledSlots(n).size(), 4);
        QCOMPARE(questionScreens().size(), 20);  // the true/false screens were never touched
    }

    void okWithoutALevelChangesNothing()
    {
        chooseLevel("");
        QVERIFY(questionScreens().isEmpty());
        QCOMPARE(s->mainButtons(), "++-");
        chooseLevel("Option3");
        chooseLevel("");  // reopened with nothing selected, OK at once
        for (int n = 1; n <= 20; ++n) QCOMPARE(enabledSlots(n).size(), 2);
    }

    void cancelAppliesNothing()
    {
        chooseLevel("Option3", "CancelButton");
        QVERIFY(questionScreens().isEmpty());
        QCOMPARE(s->mainButtons(), "++-");
    }

    void startTestWaitsForTheDialog_data()
    {
        QTest::addColumn<QString>("leave");
        QTest::newRow("OK") << "OKButton";
        QTest::newRow("Cancel") << "CancelButton";
        QTest::newRow("frame") << "";
    }
    void startTestWaitsForTheDialog()
    {
        QFETCH(QString, leave);
        s->click("Test", "dif");
        ui::Window* dialog = s->window("options");
        s->click("Test", "dif");
        QCOMPARE(s->window("options"), dialog);
        QCOMPARE(s->mainButtons(), "-+-");  // Ready with the dialog open
        if (leave.isEmpty()) s->closeFrame("options");
        else s->click("options", leave);
        QVERIFY(!s->exists("options"));
        QCOMPARE(s->mainButtons(), "++-");
    }

    void theMainWindowFollowsTheCourseOfATest()
    {
        QCOMPARE(s->mainButtons(), "++-");  // Ready
        s->click("Test", "start");
        QCOMPARE(s->mainButtons(), "--+");  // Test under way
        s->takeTestAndScore([](int) { return true; });
        QCOMPARE(s->mainButtons(), "--+");  // Results shown
        QVERIFY(s->control("Test", "percent")->isVisible());
        s->click("Test", "restart");
        QCOMPARE(s->mainButtons(), "++-");  // Ready again
    }

    void resetAfterTheResultsReturnsToTheStartUpState()
    {
        chooseLevel("Option3");
        s->click("Test", "start");
        s->takeTestAndScore([](int n) { return n % 2; });
        s->click("Test", "restart");
        QCOMPARE(s->counts(), "0 0 0");
        QCOMPARE(s->resultsOnView(), QStringList{});
        QCOMPARE(questionScreens().size(), 20);
        for (int n = 1; n <= 20; ++n) QCOMPARE(enabledSlots(n).size(), 4);
    }

    void resetInTheMiddleKeepsTheOpenScreenWorking()
    {
        chooseLevel("Option3");
        s->click("Test", "start");
        for (int n = 1; n <= 4; ++n) s->answer(n, true);
        const int picked = Session::rightSlot(5);
        s->click("q5", Session::option(picked));
        s->click("Test", "restart");
        QVERIFY(s->onView("q5"));
        QCOMPARE(enabledSlots(5).size(), 4);
        QVERIFY(s->control<QRadioButton>("q5", Session::option(picked))->isChecked());
        QCOMPARE(s->text("Test", "right"), "0");
        s->click("Test", "start");
        QVERIFY(s->onView("q1") && s->onView("q5"));
        s->click("q5", "next");
        QCOMPARE(s->text("Test", "right"), "1");
        QVERIFY(s->onView("q6"));
    }

    void screensBuiltByALevelAreTheOnesShown()
    {
        chooseLevel("Option3");
        ui::Window* hidden = s->window("q1");
        s->click("Test", "start");
        QCOMPARE(s->window("q1"), hidden);
        QCOMPARE(enabledSlots(1).size(), 2);
        s->answer(1, true);
        QVERIFY(!s->exists("q1"));
        s->windows().show("q1");  // built afresh, in its design state
        QCOMPARE(enabledSlots(1).size(), 4);
    }

    void aDisabledChoiceCanBeNeitherClickedNorReached()
    {
        chooseLevel("Option3");
        s->click("Test", "start");
        const int masked = quiz::slotIndex(quiz::optionMask(1)->first) + 1;
        s->click("q1", Session::option(masked));
        QVERIFY(!s->control<QRadioButton>("q1", Session::option(masked))->isChecked());
        // Walk the whole focus chain and the arrows: the masked choices never take the focus.
        QSet<QString> reached;
        for (int i = 0; i < 8; ++i) {
            s->key("q1", Qt::Key_Tab);
            reached << s->focused("q1");
            for (int key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) {
                if (!qobject_cast<QRadioButton*>(s->window("q1")->focusWidget())) break;
                s->key("q1", key);
                reached << s->focused("q1");
            }
        }
        for (int slot = 1; slot <= 4; ++slot) {
            const bool maskedSlot = !s->control("q1", Session::option(slot))->isEnabled();
            QCOMPARE(reached.contains(Session::option(slot)), !maskedSlot);
        }
    }

    void aWholeTestAtVeryEasyWithTheKeyboard()
    {
        s->click("Test", "dif");
        s->key("options", Qt::Key_Tab);  // OK, Cancel, then the levels
        s->key("options", Qt::Key_Tab);
        while (s->focused("options") != "Option3") s->key("options", Qt::Key_Down);
        s->key("options", Qt::Key_Space);
        QVERIFY(s->control<QRadioButton>("options", "Option3")->isChecked());
        while (s->focused("options") != "OKButton") s->key("options", Qt::Key_Tab);
        s->key("options", Qt::Key_Return);
        s->key("Test", Qt::Key_T, Qt::AltModifier);
        for (int n = 1; n <= 50; ++n) {
            QVERIFY2(s->onView(quiz::screenName(n)), qPrintable(quiz::screenName(n)));
            // Of the two choices left, the one that is not right; every statement right.
            if (n <= 20) QCOMPARE(enabledSlots(n).size(), 2);
            s->answerWithKeys(n, n > 20);
        }
        s->key("done", Qt::Key_Return);
        QCOMPARE(s->counts(), "30 20 60");
    }
};

QTEST_MAIN(DifficultyTest)
#include "test_difficulty.moc"
