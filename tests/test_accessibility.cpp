// What a screen reader is told about the labels: plain text stays text, and
// the about screen's link to the maker's page is a link that can be pressed
// without a mouse.

#include <QAccessible>
#include <QAccessibleActionInterface>

#include "app/about_screen.h"
#include "app/main_window.h"
#include "session.h"

class AccessibilityTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Session> s;

    QAccessibleInterface* accessible(const QString& window, const QString& name)
    {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(s->control(window, name));
        if (!a) qFatal("no accessible interface for %s.%s", qPrintable(window), qPrintable(name));
        return a;
    }

private slots:
    void init() { s = std::make_unique<Session>(); }
    void cleanup() { s.reset(); }

    void theMakersLinkIsALinkThatPressingFollows()
    {
        s->openAbout();
        QAccessibleInterface* link = accessible("frmAbout", "Label7");
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), "Tarnwick's Website");
        QVERIFY(link->state().linked);
        QAccessibleActionInterface* actions = link->actionInterface();
        QVERIFY(actions);
        QCOMPARE(actions->actionNames().value(0), QAccessibleActionInterface::pressAction());

        actions->doAction(QAccessibleActionInterface::pressAction());
        settle();
        QCOMPARE(s->platform.openedUrls, QList<QUrl>{QUrl(ui::qs(app::kMakersPage))});
        QVERIFY(s->onView("frmAbout"));  // the screen stays as it is
        actions->doAction(QAccessibleActionInterface::pressAction());
        settle();
        QCOMPARE(s->platform.openedUrls.size(), 2);
    }

    // A screen reader reads a dialog's text as it comes up: the question,
    // the explanation. Only the main window is a frame.
    void everyWindowButTheMainOneIsADialog()
    {
        for (const QString& name : everyWindow()) {
            const QAccessible::Role role = name == app::kMainWindow ? QAccessible::Window : QAccessible::Dialog;
            QCOMPARE(QAccessible::queryAccessibleInterface(s->windows().show(name))->role(), role);
        }
    }

    void labelsNobodyClicksAreTextWithNothingToPress_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("name");
        QTest::newRow("about") << "frmAbout" << "Label9" << "Email: tk@tarn.example";
        QTest::newRow("main window") << "Test" << "Label4" << "The Snelk Test";
        QTest::newRow("question 1") << "q1" << "Label1" << "How much snelk mix does an adult need each day?";
    }
    void labelsNobodyClicksAreTextWithNothingToPress()
    {
        QFETCH(QString, window);
        QFETCH(QString, label);
        QFETCH(QString, name);
        s->openAbout();
        s->windows().show(window);
        QAccessibleInterface* text = accessible(window, label);
        QCOMPARE(text->role(), QAccessible::StaticText);
        QCOMPARE(text->text(QAccessible::Name), name);
        QVERIFY(!text->state().linked);
        QAccessibleActionInterface* actions = text->actionInterface();
        QVERIFY(!actions || !actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        if (actions) actions->doAction(QAccessibleActionInterface::pressAction());
        settle();
        QVERIFY(s->platform.openedUrls.isEmpty());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
