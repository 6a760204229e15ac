// Start-up, the welcome screen, the main window and the about screen, used
// as a person would: mouse, Enter, Space, Escape and access keys.

#include <QAction>
#include <QMenu>

#include <optional>

#include "session.h"

namespace {

// Stands in for Qt's accessibility bridge while a screen reader listens to
// the keyboard: it holds each key press and release back and posts a copy
// without a time stamp once the screen reader has heard it.
class ScreenReaderBridge : public QObject {
public:
    ScreenReaderBridge() { QCoreApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (!event->spontaneous() || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        QCoreApplication::postEvent(target, new QKeyEvent(key->type(), key->key(), key->modifiers(), key->text(),
                                                          key->isAutoRepeat()));
        return true;
    }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Session> s;

private slots:
    void init() { s = std::make_unique<Session>(); }
    void cleanup() { s.reset(); }

    void startUpShowsOnlyTheWelcomeScreenWithFocusOnOk()
    {
        s->program.start();
        QCOMPARE(s->windowNames(), QStringList{"start"});
        QVERIFY(s->onView("start"));
        QCOMPARE(s->window("start")->windowTitle(), "The Snelk Test");
        QCOMPARE(s->focused("start"), "OKButton");
        // The program's icon follows once the screen is up.
        QTRY_VERIFY(!s->window("start")->windowIcon().isNull());
    }

    void enterOrSpaceOnTheWelcomeScreenOpensTheMainWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void enterOrSpaceOnTheWelcomeScreenOpensTheMainWindow()
    {
        QFETCH(int, key);
        s->program.start();
        s->key("start", key);
        QCOMPARE(s->windowNames(), QStringList{"Test"});
        QVERIFY(s->onView("Test"));
        QVERIFY(!s->ended());
    }

    // Held down, the key opens the main window and goes no further, though
    // the main window comes up with the focus on "Quit"; let go and pressed
    // again, it presses "Quit". The same while a screen reader listens.
    void aKeyHeldOnTheWelcomeScreenPressesOnce_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("screenReader");
        QTest::newRow("Enter") << int(Qt::Key_Return) << false;
        QTest::newRow("Space") << int(Qt::Key_Space) << false;
        QTest::newRow("Enter, a screen reader listening") << int(Qt::Key_Return) << true;
    }
    void aKeyHeldOnTheWelcomeScreenPressesOnce()
    {
        QFETCH(int, key);
        QFETCH(bool, screenReader);
        std::optional<ScreenReaderBridge> bridge;
        if (screenReader) bridge.emplace();
        s->program.start();
        const ulong letGo = s->holdKey(key, Qt::NoModifier, 1000);
        QCOMPARE(s->windowNames(), QStringList{"Test"});
        QVERIFY(!s->ended());
        s->keyEvent(QEvent::KeyPress, key, Qt::NoModifier, letGo + 300);
        s->keyEvent(QEvent::KeyRelease, key, Qt::NoModifier, letGo + 400);
        QVERIFY(s->ended());
    }

    // A release can go unseen, sent while the closing welcome screen had
    // left no window of the program with the keyboard (GNOME on Wayland sends
    // none). Pressed again 0.3 s later, Enter is a fresh press and acts.
    void aKeyWhoseReleaseWentUnseenPressesAgain()
    {
        s->program.start();
        s->keyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, 1000);
        QCOMPARE(s->windowNames(), QStringList{"Test"});
        s->keyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, 1300);
        QVERIFY(s->ended());
    }

    // An access key typed into question 1 as it comes up, before Qt hears
    // that it is the active window, still answers it.
    void anAccessKeyTypedAheadOfTheWindowsActivationActs()
    {
        s->openMainWindow();
        s->key("Test", Qt::Key_T, Qt::AltModifier);
        QApplication::setActiveWindow(s->window("Test"));
        s->keyAheadOfActivation(Qt::Key_N, Qt::AltModifier, 5000);
        QVERIFY(s->onView("a1"));
    }

    void closingTheWelcomeScreenEndsTheProgram()
    {
        s->program.start();
        s->closeFrame("start");
        QVERIFY(s->ended());
        QVERIFY(s->windowNames().isEmpty());
    }

    void theMainWindowOpensInItsStartUpState()
    {
        s->openMainWindow();
        QCOMPARE(s->window("Test")->windowTitle(), "The Snelk Test");
        for (const char* label : {"Label4", "Label1", "Image1"})
            QVERIFY2(s->control("Test", label)->isVisible(), label);
        for (const char* button : {"restart", "start", "dif", "cmdAbout", "quit"})
            QVERIFY2(s->control("Test", button)->isVisible(), button);
        QCOMPARE(s->resultsOnView(), QStringList{});
        QCOMPARE(s->counts(), "0 0 0");
        QCOMPARE(s->mainButtons(), "++-");
        QVERIFY(s->enabled("Test", "cmdAbout") && s->enabled("Test", "quit"));
        QCOMPARE(s->control("Test", "start")->toolTip(), "Click to start the test");
        QCOMPARE(s->control("Test", "Image1")->toolTip(), "Tarnwick herself.");
    }

    void theFocusStartsOnQuitAndTabFollowsTheDesign()
    {
        s->openMainWindow();
        QCOMPARE(s->focused("Test"), "quit");
        // "Reset Test" is disabled, so Tab skips it.
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            s->key("Test", Qt::Key_Tab);
            order << s->focused("Test");
        }
        QCOMPARE(order, (QStringList{"start", "cmdAbout", "dif", "quit"}));
    }

    void enterOnTheMainWindowAtOnceEndsTheProgram()
    {
        s->openMainWindow();
        s->key("Test", Qt::Key_Return);
        QVERIFY(s->ended());
        QVERIFY(s->windowNames().isEmpty());
    }

    void startTestMovesToTestUnderWay()
    {
        s->openMainWindow();
        s->click("Test", "start");
        QCOMPARE(s->mainButtons(), "--+");
        QVERIFY(s->onView("Test"));
        QVERIFY(s->onView("q1"));
    }

    void quitAndExitEndTheProgramAtOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("button") << "quit";
        QTest::newRow("menu") << "exit";
        QTest::newRow("access key") << "alt+q";
        QTest::newRow("frame") << "frame";
    }
    void quitAndExitEndTheProgramAtOnce()
    {
        QFETCH(QString, how);
        s->startTest();
        s->click("Test", "cmdAbout");
        if (how == "quit") s->click("Test", "quit");
        else if (how == "exit") s->control<QAction>("Test", "exit")->trigger();
        else if (how == "alt+q") s->key("Test", Qt::Key_Q, Qt::AltModifier);
        else s->closeFrame("Test");
        QVERIFY(s->ended());
        QVERIFY(s->windowNames().isEmpty());
    }

    void theMenusHoldExitAndAbout()
    {
        s->openMainWindow();
        QCOMPARE(s->control<QMenu>("Test", "file")->title(), "&File");
        QCOMPARE(s->control<QMenu>("Test", "help")->title(), "&Help");
        QCOMPARE(s->control<QAction>("Test", "exit")->text(), "E&xit");
        QCOMPARE(s->control<QAction>("Test", "about")->text(), "&About");
    }

    void aboutOpensOneScreenFromButtonAndMenu()
    {
        s->openAbout();
        ui::Window* first = s->window("frmAbout");
        s->click("Test", "cmdAbout");
        s->control<QAction>("Test", "about")->trigger();
        s->key("Test", Qt::Key_A, Qt::AltModifier);
        QCOMPARE(s->window("frmAbout"), first);
        QCOMPARE(s->windowNames(), (QStringList{"Test", "frmAbout"}));
        QCOMPARE(first->windowTitle(), "About Snelk Test");
        QCOMPARE(s->focused("frmAbout"), "cmdOK");
    }

    void escapeEnterAndOkCloseTheAboutScreen_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void escapeEnterAndOkCloseTheAboutScreen()
    {
        QFETCH(int, key);
        s->openAbout();
        s->key("frmAbout", key);
        QCOMPARE(s->windowNames(), QStringList{"Test"});
        QVERIFY(!s->ended());
        s->click("Test", "cmdAbout");  // built afresh
        QVERIFY(s->onView("frmAbout"));
    }

    void eachLinkClickAsksOnceAndKeepsTheScreenOpen()
    {
        s->openAbout();
        s->click("frmAbout", "Label7");
        s->click("frmAbout", "Label7");
        QCOMPARE(s->platform.openedUrls.size(), 2);
        QCOMPARE(s->platform.openedUrls.first().host(), "www.tarnwick.example");
        QVERIFY(s->onView("frmAbout"));
    }

    void theAboutScreenInTheMiddleOfATestChangesNothing()
    {
        s->startTest();
        s->click("Test", "cmdAbout");
        s->key("frmAbout", Qt::Key_Escape);
        QVERIFY(s->onView("q1"));
        QCOMPARE(s->mainButtons(), "--+");
        QCOMPARE(s->text("Test", "right"), "0");
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
