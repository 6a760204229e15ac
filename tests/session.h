#pragma once
// A running program for a test: the real windows, a platform (by default one
// that records what was asked of it), and the moves a user makes — clicks,
// keys, frame closes.

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QWindow>

#include <functional>
#include <utility>

#include "app/program.h"
#include "quiz/question_bank.h"
#include "quiz/course.h"
#include "quiz/end_of_test.h"
#include "quiz/explanation_dialogs.h"
#include "quiz/question_screens.h"
#include "app/welcome_screen.h"
#include "recording_platform.h"

// The offscreen platform cannot raise windows or pass on size hints and says
// so each time; those notes are not about the program.
inline void quietOffscreenNotes()
{
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.startsWith(QLatin1String("This plugin does not support"))) return;
            previous(type, context, message);
        });
}

// The main window's results, out of view until the test is scored: the three
// grade messages, then the percentage and the counts with their captions.
inline const QStringList kResultLabels{"excelent", "good", "poor", "per", "per1", "percent", "Label2", "Label3",
                                       "right", "wrong"};
// What a scored test shows: that grade's message and the other results.
inline QStringList scoredWith(const QString& grade) { return QStringList{grade} + kResultLabels.mid(3); }

// Lets queued work run and deleted windows go, as the event loop would
// between two user actions.
inline void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The names of the windows the registry holds, in name order: every window
// of the program that is alive and not closing.
inline QStringList windowNames(const ui::WindowSystem& windows)
{
    QStringList names;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* w = qobject_cast<ui::Window*>(top); w && windows.find(w->objectName()) == w)
            names << w->objectName();
    names.sort();
    return names;
}

// Notes the window of the registry's that came on screen or was brought
// forward most recently: the one the user is looking at.
class FrontWindow : public QObject {
public:
    explicit FrontWindow(const ui::WindowSystem& windows) : windows_(windows) { qApp->installEventFilter(this); }
    QString name() const { return name_; }

    // Runs for each window as it comes on screen.
    std::function<void(ui::Window*)> shown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        auto* w = qobject_cast<ui::Window*>(watched);
        if (!w || event->spontaneous() || (type != QEvent::Show && type != QEvent::ZOrderChange)) return false;
        if (windows_.find(w->objectName()) != w) return false;
        name_ = w->objectName();
        if (type == QEvent::Show && shown) shown(w);
        return false;
    }

private:
    const ui::WindowSystem& windows_;
    QString name_;
};

template <class PlatformType = ui::RecordingPlatform>
struct BasicSession {
    PlatformType platform;
    ui::WindowSystem registry{platform};
    app::Program program{registry};

    // The arguments, if any, are the platform's.
    template <class... Arguments>
    explicit BasicSession(Arguments&&... arguments) : platform(std::forward<Arguments>(arguments)...)
    {
        quietOffscreenNotes();
    }

    ui::WindowSystem& windows() { return registry; }

    ui::Window* window(const QString& name) const { return registry.find(name); }
    // A window the test expects to be there: without it the test cannot go on.
    ui::Window* existing(const QString& name) const
    {
        ui::Window* w = window(name);
        if (!w) qFatal("no window %s", qPrintable(name));
        return w;
    }
    bool exists(const QString& name) const { return window(name) != nullptr; }
    bool onView(const QString& name) const
    {
        const ui::Window* w = window(name);
        return w && w->isVisible();
    }
    QStringList resultsOnView() const
    {
        QStringList shown;
        for (const QString& label : kResultLabels)
            if (window("Test")->control(label)->isVisible()) shown << label;
        return shown;
    }
    QStringList windowNames() const { return ::windowNames(registry); }
    // The main window's counts as the user reads them: right, wrong, percent.
    QString counts() const
    {
        return QStringList{text("Test", "right"), text("Test", "wrong"), text("Test", "percent")}.join(' ');
    }
    bool enabled(const QString& windowName, const QString& name) const
    {
        return control(windowName, name)->isEnabled();
    }
    // The main window's Start Test, difficulty and Reset Test, each "+" when
    // it can be pressed and "-" when not.
    QString mainButtons() const
    {
        QString state;
        for (const char* button : {"start", "dif", "restart"}) state += enabled("Test", button) ? '+' : '-';
        return state;
    }

    template <class T = QWidget>
    T* control(const QString& windowName, const QString& name) const
    {
        return existing(windowName)->template control<T>(name);
    }

    QString text(const QString& windowName, const QString& name) const
    {
        return control<QLabel>(windowName, name)->text();
    }

    // A left click in the middle of a control, as the mouse would do it.
    static void click(QWidget* c)
    {
        QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, c->rect().center());
        settle();
    }
    void click(const QString& windowName, const QString& name) { click(control(windowName, name)); }

    // Brings the window forward and types a key into its focused control.
    void key(const QString& windowName, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ui::Window* w = existing(windowName);
        activate(w);
        QWidget* target = w->focusWidget() ? w->focusWidget() : w;
        QTest::keyClick(target, Qt::Key(key), modifiers);
        settle();
    }

    // A key going down or up as the display delivers it: to the window
    // the user is looking at, stamped with the time (in milliseconds) it
    // happened at. A press first asks whether it is an access key, as a real
    // one does.
    void keyEvent(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, ulong at, bool autoRepeat = false)
    {
        ui::Window* w = window(newest());
        if (!w) return;  // the program has ended
        activate(w);
        deliverKey(w, type, key, modifiers, at, autoRepeat);
    }

    // A press sent to the newest window while Qt still holds another for the
    // active one, as a Wayland compositor may send keys to a window that has
    // just come up before it says that window is active.
    void keyAheadOfActivation(int key, Qt::KeyboardModifiers modifiers, ulong at)
    {
        deliverKey(window(newest()), QEvent::KeyPress, key, modifiers, at, false);
    }

    void deliverKey(ui::Window* w, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, ulong at,
                    bool autoRepeat)
    {
        QWindow* target = w->windowHandle();
        if (type == QEvent::KeyPress && qt_sendShortcutOverrideEvent(target, at, key, modifiers, {}, autoRepeat)) {
            settle();
            return;
        }
        QKeyEvent event(type, key, modifiers, {}, autoRepeat);
        event.setTimestamp(at);
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(target, &event);  // as it comes from the display, not sent by the program
        settle();
    }

    // The key held down from `at` for a second: its repeats come every 40 ms,
    // some marked as repeats and some, as a busy X server sends them, as a
    // release and a fresh press at one time. Returns when it was let go.
    ulong holdKey(int key, Qt::KeyboardModifiers modifiers, ulong at)
    {
        keyEvent(QEvent::KeyPress, key, modifiers, at);
        for (int i = 1; i <= 25; ++i) {
            at += 40;
            const bool marked = i % 3 != 0;
            keyEvent(QEvent::KeyRelease, key, modifiers, at, marked);
            keyEvent(QEvent::KeyPress, key, modifiers, at, marked);
        }
        keyEvent(QEvent::KeyRelease, key, modifiers, at += 40);
        return at;
    }

    static void activate(QWidget* w)
    {
        w->show();
        w->activateWindow();
        QApplication::setActiveWindow(w);
        QCoreApplication::processEvents();
    }

    // The name of the control that holds the keyboard focus in that window.
    QString focused(const QString& windowName) const
    {
        QWidget* f = existing(windowName)->focusWidget();
        return f ? f->objectName() : QString();
    }

    // The user closes the window with the close box of its frame.
    void closeFrame(const QString& windowName)
    {
        existing(windowName)->close();
        settle();
    }

    bool ended() const { return platform.endRequests > 0; }

    // --- Taking the test -------------------------------------------------

    // From start-up through the welcome screen's OK to the main window.
    void openMainWindow()
    {
        program.start();
        click(QStringLiteral("start"), QStringLiteral("OKButton"));
    }

    // From start-up to the about screen, opened with the main window's About.
    void openAbout()
    {
        openMainWindow();
        click(QStringLiteral("Test"), QStringLiteral("cmdAbout"));
        QVERIFY(onView(QStringLiteral("frmAbout")));
    }

    // On to the first question with "Start Test".
    void startTest()
    {
        openMainWindow();
        click(QStringLiteral("Test"), QStringLiteral("start"));
    }

    static QString nextButton(int n) { return quiz::kChoiceScreens[n - 1].next; }
    static QString option(int slot) { return QStringLiteral("Option%1").arg(slot); }
    static int rightSlot(int n) { return quiz::slotIndex(*quiz::answerSlot(n)) + 1; }

    // A wrong choice that can still be picked on that screen.
    int wrongSlot(int n) const
    {
        for (int slot = 1; slot <= 4; ++slot)
            if (slot != rightSlot(n) && control(quiz::screenName(n), option(slot))->isEnabled()) return slot;
        return 0;
    }

    // Picks the choice (0: none) with the mouse and presses the next button.
    void answerChoice(int n, int slot)
    {
        const QString screen = quiz::screenName(n);
        if (slot) click(screen, option(slot));
        click(screen, nextButton(n));
    }

    void answerStatement(int n, bool saidTrue)
    {
        click(quiz::screenName(n), saidTrue ? QStringLiteral("Command1") : QStringLiteral("Command2"));
    }

    // Answers one question right or wrong and returns the window that opened.
    QString answer(int n, bool right)
    {
        if (n <= quiz::kLastMultipleChoice) answerChoice(n, right ? rightSlot(n) : wrongSlot(n));
        else answerStatement(n, right == *quiz::answerIsTrue(n));
        return newest();
    }

    // From the question on view through question `to` (by default to the
    // end-of-test screen), right where the pattern says so, pressing OK on
    // every dialog on the way. Returns every window that came up, in order.
    QStringList takeTest(const std::function<bool(int)>& rightAnswer, int from = 1, int to = quiz::kLastQuestion)
    {
        QStringList seen;
        for (int n = from; n <= to; ++n) {
            QString next = answer(n, rightAnswer(n));
            while (next != quiz::screenName(n + 1) && next != quiz::kEndOfTest) {
                seen << next;
                click(next, QStringLiteral("OKButton"));
                next = newest();
            }
            seen << next;
        }
        return seen;
    }

    // The whole test as takeTest does it, then Score on the end-of-test screen.
    QStringList takeTestAndScore(const std::function<bool(int)>& rightAnswer, int from = 1)
    {
        const QStringList seen = takeTest(rightAnswer, from);
        click(quiz::kEndOfTest, QStringLiteral("end"));
        return seen;
    }

    // Answers question n right or wrong with the keyboard alone. A choice:
    // Tab into the choices, Space to pick the one with the focus, round the
    // two-by-two grid with the arrows (right, down, left, up) until the
    // choice wanted is picked, then Alt+N. A statement: Alt+T or Alt+F. Then
    // Enter on every dialog after it, as their OK holds the focus.
    void answerWithKeys(int n, bool right)
    {
        const QString screen = quiz::screenName(n);
        if (n <= quiz::kLastMultipleChoice) {
            const int slot = right ? rightSlot(n) : wrongSlot(n);
            while (!qobject_cast<QRadioButton*>(window(screen)->focusWidget())) key(screen, Qt::Key_Tab);
            key(screen, Qt::Key_Space);
            const int around[] = {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up};
            for (int i = 0; i < 8 && !control<QRadioButton>(screen, option(slot))->isChecked(); ++i)
                key(screen, around[i % 4]);
            QVERIFY2(control<QRadioButton>(screen, option(slot))->isChecked(), qPrintable(screen));
            key(screen, Qt::Key_N, Qt::AltModifier);
        } else {
            key(screen, right == *quiz::answerIsTrue(n) ? Qt::Key_T : Qt::Key_F, Qt::AltModifier);
        }
        while (newest() != quiz::screenName(n + 1) && newest() != quiz::kEndOfTest) key(newest(), Qt::Key_Return);
    }

    // The window shown most recently: the one the user is looking at.
    QString newest() const { return front_.name(); }
    // Runs for each window of the program as it comes on screen.
    void onShown(std::function<void(ui::Window*)> action) { front_.shown = std::move(action); }

private:
    FrontWindow front_{registry};
};

using Session = BasicSession<>;

// Every window a user can bring up, found as a user finds them: from the
// welcome screen on, each button and menu item of each window found is
// pressed, each in a program of its own, and every window that comes up is
// found in turn. Worked out once.
inline const QStringList& everyWindow()
{
    static const QStringList found = [] {
        QStringList names{app::kWelcomeScreen};
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QString name = names[i];
            for (qsizetype press = 0;; ++press) {
                Session s;
                s.onShown([&names](ui::Window* w) {
                    if (!names.contains(w->objectName())) names << w->objectName();
                });
                ui::Window* w = s.windows().show(name);
                QList<QAbstractButton*> buttons;
                for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
                    if (!qobject_cast<QRadioButton*>(b)) buttons << b;
                QList<QAction*> items;
                for (QAction* a : w->findChildren<QAction*>())
                    if (!a->menu()) items << a;
                if (press >= buttons.size() + items.size()) break;
                if (press < buttons.size()) buttons[press]->click();
                else items[press - buttons.size()]->trigger();
                settle();
            }
        }
        names.sort();
        return names;
    }();
    return found;
}
