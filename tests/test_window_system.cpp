// The rules every window of the program follows: one of each, built when
// first needed, destroyed when closed, and the program ends only when no
// window is left once a click has been handled.

#include <QApplication>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "ui/controls.h"
#include "ui/fonts.h"
#include "session.h"
#include "ui/window_system.h"

using namespace ui;

namespace {

constexpr ControlSpec kControls[] = {
    {.name = "go", .kind = ControlKind::PushButton, .text = "&Go", .rect = {120, 120, 1215, 495}, .tabIndex = 0},
};
constexpr WindowSpec kFirst{.name = "first", .caption = "First", .width = 3000, .height = 1500,
                            .controls = kControls};
constexpr WindowSpec kTwin{.name = "twin", .caption = "First", .width = 3000, .height = 1500,
                           .controls = kControls};
constexpr WindowSpec kSecond{.name = "second", .caption = "Second", .width = 3000, .height = 1500,
                             .controls = kControls};

constexpr ControlSpec kPictured[] = {
    {.name = "Image1", .kind = ControlKind::Image, .rect = {120, 120, 1530, 1140}, .picture = ":/pictures/q16-lifting.png",
     .fit = Fit::Natural},
};
constexpr WindowSpec kPicture{.name = "picture", .caption = "Picture", .width = 3000, .height = 1500,
                              .controls = kPictured};

}  // namespace

class WindowSystemTest : public QObject {
    Q_OBJECT

    RecordingPlatform platform;
    std::unique_ptr<WindowSystem> windows;
    int built = 0;

private slots:
    void init()
    {
        platform = {};
        built = 0;
        windows = std::make_unique<WindowSystem>(platform);
        windows->define("first", [this] {
            ++built;
            auto* w = new Window(kFirst);
            // Like the welcome screen: close this window, then show the next.
            w->onClick("go", [this] {
                windows->close("first");
                windows->show("second");
            });
            return w;
        });
        windows->define("second", [] { return new Window(kSecond); });
    }

    // A design may be made for its definition alone: the registry keeps its
    // own copy.
    void aDesignNeedNotOutliveItsDefinition()
    {
        {
            WindowSpec design = kSecond;
            design.name = "copy";
            design.caption = "Copy";
            windows->define(design, [](Window&) {});
        }
        QCOMPARE(windows->show("copy")->windowTitle(), QStringLiteral("Copy"));
    }

    void showingTwiceGivesOneWindow()
    {
        Window* a = windows->show("first");
        Window* b = windows->show("first");
        QCOMPARE(a, b);
        QCOMPARE(built, 1);
        QCOMPARE(windowNames(*windows), QStringList{"first"});
        QVERIFY(a->isVisible());
    }

    void ensureBuildsHiddenAndShowKeepsThatWindow()
    {
        Window* hidden = windows->ensure("first");
        QVERIFY(!hidden->isVisible());
        hidden->control<QPushButton>("go")->setEnabled(false);
        Window* shown = windows->show("first");
        QCOMPARE(shown, hidden);
        QVERIFY(shown->isVisible());
        QVERIFY(!shown->control<QPushButton>("go")->isEnabled());
    }

    // Fonts come when a window first goes on screen, but always before
    // anything of it is drawn; a window built hidden has them at once.
    void everyControlIsDrawnWithItsDesignedFont()
    {
        const QFont designed = ui::font(kDialogFont);
        QCOMPARE(windows->ensure("second")->control("go")->font(), designed);

        struct FirstPaint : QObject {
            using QObject::QObject;
            QFont font;
            bool eventFilter(QObject* o, QEvent* e) override
            {
                if (e->type() == QEvent::Paint && font == QFont()) font = static_cast<QWidget*>(o)->font();
                return false;
            }
        };
        Window* w = windows->show("first");
        QWidget* go = w->control("go");
        auto* firstPaint = new FirstPaint(go);
        go->installEventFilter(firstPaint);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTRY_VERIFY(firstPaint->font != QFont());
        QCOMPARE(firstPaint->font, designed);
    }

    // A picture is drawn from the version made for the screen's scale: the
    // 2x version on a screen at 200% (this suite runs at 100% and at 200%).
    void aPictureIsDrawnFromTheVersionForTheScreen()
    {
        windows->define("picture", [] { return new Window(kPicture); });
        auto* picture = windows->show("picture")->control<Picture>("Image1");
        const bool sharp = picture->devicePixelRatioF() >= 2;
        const QImage made = QImage(sharp ? ":/pictures/q16-lifting@2x.png" : ":/pictures/q16-lifting.png")
                                .convertToFormat(QImage::Format_RGB32);
        const QImage drawn = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(drawn.copy(QRect(QPoint(), made.size())), made);
    }

    // A window shown again comes forward and takes the keyboard back.
    void aWindowShownAgainTakesTheKeyboardBack()
    {
        Window* first = windows->show("first");
        QVERIFY(QTest::qWaitForWindowActive(first));
        Window* second = windows->show("second");
        QVERIFY(QTest::qWaitForWindowActive(second));
        windows->show("first");
        QVERIFY(QTest::qWaitForWindowActive(first));
    }

    void closingDestroysAndTheNextUseStartsAfresh()
    {
        QPointer<Window> w = windows->show("first");
        w->control<QPushButton>("go")->setEnabled(false);
        w->close();  // the frame's close box
        QCOMPARE(windows->find("first"), nullptr);
        settle();
        QVERIFY(w.isNull());
        Window* again = windows->show("first");
        QCOMPARE(built, 2);
        QVERIFY(again->control<QPushButton>("go")->isEnabled());
    }

    void closeThenShowInOneClickDoesNotEndTheProgram()
    {
        windows->show("first");
        QTest::mouseClick(windows->find("first")->control<QPushButton>("go"), Qt::LeftButton);
        settle();
        QCOMPARE(windowNames(*windows), QStringList{"second"});
        QCOMPARE(platform.endRequests, 0);
    }

    // A click that shows the next window first and closes its own last, the
    // two of one caption: the window manager never sees both on screen at
    // once, which it would tell apart by numbering the newer one.
    void aWindowOfTheSameCaptionGoesOnScreenOnceTheOneItFollowsHasGone()
    {
        windows->define("twin", [] { return new Window(kTwin); });
        Window* first = windows->show("first");
        bool firstOnViewWithTwin = false;
        QPointer<Window> twin = windows->ensure("twin");
        FrontWindow front(*windows);
        front.shown = [&](Window* w) { firstOnViewWithTwin = w == twin && first->isVisible(); };
        windows->show("twin");
        windows->close("first");
        QVERIFY(twin->isVisible());
        QVERIFY(!firstOnViewWithTwin);
        // Should the other stay, the new one comes up all the same.
        windows->show("first");
        settle();
        QVERIFY(windows->find("first")->isVisible());
        QVERIFY(twin->isVisible());
    }

    // A frame that offers maximising or full screen against the window's
    // wishes (Qt's own on Wayland does) leaves the window as it was.
    void aWindowIsNeverMaximised()
    {
        Window* w = windows->show("first");
        const QSize size = w->size();
        for (Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
            w->windowHandle()->setWindowStates(state);
            settle();
            QCOMPARE(w->windowState(), Qt::WindowNoState);
            QCOMPARE(w->size(), size);
        }
    }

    void closingTheLastWindowEndsTheProgramAfterTheClick()
    {
        windows->show("first");
        windows->close("first");
        QCOMPARE(platform.endRequests, 0);  // not in the middle of the click
        settle();
        QCOMPARE(platform.endRequests, 1);
    }

    void aHiddenWindowKeepsTheProgramAlive()
    {
        windows->show("first");
        windows->ensure("second");
        windows->find("first")->close();
        settle();
        QCOMPARE(platform.endRequests, 0);
        windows->find("second")->close();
        settle();
        QCOMPARE(platform.endRequests, 1);
    }

    void endingClosesEveryWindowAtOnce()
    {
        windows->show("first");
        windows->ensure("second");
        windows->endProgram();
        QVERIFY(windowNames(*windows).isEmpty());
        settle();
        QCOMPARE(platform.endRequests, 1);
    }

    void aFailingHandlerStopsThereAndTheProgramGoesOn()
    {
        Window* w = windows->show("first");
        int steps = 0;
        w->onClick("go", [&] {
            ++steps;
            throw std::runtime_error("the desktop said no");  // this step fails
            ++steps;
        });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("first.go stopped: the desktop said no"));
        QTest::mouseClick(w->control<QPushButton>("go"), Qt::LeftButton);
        settle();
        QCOMPARE(steps, 1);
        QCOMPARE(platform.endRequests, 0);
    }

    // A name that no design gives is the program's own fault: a debug build
    // stops at once (seen here from a process of its own), a release build
    // stops the click, as any failure does.
    void anUnknownNameIsAProgrammingError()
    {
        Window* w = windows->ensure("first");
#ifdef QT_NO_DEBUG
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, w->control<QPushButton>("absent"));
#else
        if (qEnvironmentVariableIsSet("SNELK_ASK_FOR_AN_UNKNOWN_NAME")) {
            w->control<QPushButton>("absent");
            return;
        }
        QProcess asking;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("SNELK_ASK_FOR_AN_UNKNOWN_NAME"), QStringLiteral("1"));
        asking.setProcessEnvironment(environment);
        asking.setProcessChannelMode(QProcess::MergedChannels);
        asking.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(QTest::currentTestFunction())});
        QVERIFY(asking.waitForFinished(60000));
        QCOMPARE(asking.exitStatus(), QProcess::CrashExit);
        QVERIFY(asking.readAll().contains("window first has no control absent"));
#endif
    }
};

QTEST_MAIN(WindowSystemTest)
#include "test_window_system.moc"
