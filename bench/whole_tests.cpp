// Takes whole tests in the real program, as a user clicks through them, and
// measures:
//  - every click on a button that leads to another window, from the button
//    coming up (a click acts when the mouse button is released) to the moment
//    the next window is exposed and painted;
//  - the peak resident memory after the first whole test;
//  - the live widgets and the resident memory after each whole test (start,
//    answer all fifty, score, reset), which must not grow.
//
// Usage: whole-tests [--tests N] [--idle MS] [--steps FILE]
// Prints "key=value" lines; --steps writes every measured click to FILE.

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTextStream>
#include <QTimer>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/main_window.h"
#include "app/program.h"
#include "quiz/question_bank.h"
#include "quiz/question_screens.h"
#include "ui/look.h"
#include "ui/qt_platform.h"

namespace {

QElapsedTimer clock_;
double nowMs() { return double(clock_.nsecsElapsed()) / 1e6; }

long statusKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(prefix)) return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Notes when the window being waited for has been exposed, which is when Qt
// paints it and hands the picture to the window system.
class BenchApplication : public QApplication {
public:
    using QApplication::QApplication;

    QWindow* watched = nullptr;
    QEventLoop* waiting = nullptr;
    double paintedAt = -1;
    double exposedAt = -1;  // when the expose that painted it came in

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || receiver != watched) return QApplication::notify(receiver, event);
        const double at = nowMs();
        const bool result = QApplication::notify(receiver, event);
        if (watched && watched->isExposed() && paintedAt < 0) {
            exposedAt = at;
            paintedAt = nowMs();
            if (waiting) waiting->quit();
        }
        return result;
    }
};

// One measured click. Window and control names are kept once in a table, and
// room for every step is made before the first test, so that the benchmark's
// own records do not show up as growth of the program.
struct Step {
    int test;
    int from;  // "window.control"
    int to;    // window
    double ms;        // from the click to the next window painted
    double shownMs;   // of which until the program asked for the window to show
    double paintMs;   // and the painting once the window system exposed it
};

std::vector<QString> names;
int nameIndex(const QString& name)
{
    const auto it = std::find(names.begin(), names.end(), name);
    if (it != names.end()) return int(it - names.begin());
    names.push_back(name);
    return int(names.size()) - 1;
}

class Driver {
public:
    Driver(BenchApplication& application, ui::WindowSystem& windows, int idleMs)
        : app_(application), windows_(windows), idleMs_(idleMs)
    {
        if (auto* x11 = application.nativeInterface<QNativeInterface::QX11Application>()) {
            x11_ = x11->connection();
            root_ = xcb_setup_roots_iterator(xcb_get_setup(x11_)).data->root;
        }
        QObject::connect(&windows_, &ui::WindowSystem::windowShown, &windows_, [this](ui::Window* w) {
            newest_ = w->objectName();
            shownAt_ = nowMs();
            app_.watched = w->windowHandle();
            app_.paintedAt = -1;
            if (w->windowHandle() && w->windowHandle()->isExposed()) app_.paintedAt = app_.exposedAt = nowMs();
        });
    }

    std::vector<Step> steps;
    int test = 0;

    // Real input through the X server where there is one; otherwise (the
    // offscreen platform) mouse events handed to the window.
    bool realInput() const { return x11_ != nullptr; }

    // Lets the program sit idle for a moment, as between two clicks of a user.
    void idle(int ms = -1)
    {
        QEventLoop loop;
        QTimer::singleShot(ms < 0 ? idleMs_ : ms, &loop, &QEventLoop::quit);
        loop.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A click that stays in its window (a choice, "Score", "Reset Test").
    void click(const QString& window, const QString& control)
    {
        QAbstractButton* button = pressDown(window, control);
        QEventLoop loop;
        QObject::connect(button, &QAbstractButton::clicked, &loop, &QEventLoop::quit);
        QTimer::singleShot(0, &loop, [&] { release(button); });
        if (wait(loop) != 0) fail(QStringLiteral("%1.%2 did not take the click").arg(window, control));
        idle();
    }

    // A click that brings up another window: timed from the button coming
    // up, which is when a click acts, to that window painted on the screen.
    // Returns the window's name.
    QString clickThrough(const QString& window, const QString& control)
    {
        QAbstractButton* button = pressDown(window, control);
        QEventLoop loop;
        double clickedAt = 0;
        newest_.clear();
        app_.watched = nullptr;
        app_.paintedAt = -1;
        app_.waiting = &loop;
        QTimer::singleShot(0, &loop, [&] {
            clickedAt = nowMs();
            release(button);
            if (app_.paintedAt >= 0) loop.quit();
        });
        if (wait(loop) != 0 || newest_.isEmpty())
            fail(QStringLiteral("%1.%2 brought up no window").arg(window, control));
        app_.waiting = nullptr;
        app_.watched = nullptr;
        steps.push_back({test, nameIndex(window + QLatin1Char('.') + control), nameIndex(newest_),
                         app_.paintedAt - clickedAt, shownAt_ - clickedAt, app_.paintedAt - app_.exposedAt});
        idle();
        return newest_;
    }

    // Runs the loop until it quits, or gives up after ten seconds. One timer
    // serves every click, so that the benchmark's own timers, each alive for
    // ten seconds, do not show up as growth of the program.
    int wait(QEventLoop& loop)
    {
        giveUp_.setSingleShot(true);
        const auto connection = QObject::connect(&giveUp_, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
        giveUp_.start(10000);
        const int result = loop.exec();
        giveUp_.stop();
        QObject::disconnect(connection);
        return result;
    }

    [[noreturn]] static void fail(const QString& why)
    {
        std::fprintf(stderr, "whole-tests: %s\n", qPrintable(why));
        std::exit(1);
    }

private:
    QWidget* target(const QString& windowName, const QString& controlName)
    {
        ui::Window* window = windows_.find(windowName);
        if (!window) fail(QStringLiteral("no window %1").arg(windowName));
        QWidget* control = window->control(controlName);
        if (!control->isVisible() || !control->isEnabled())
            fail(QStringLiteral("%1.%2 cannot be clicked").arg(windowName, controlName));
        return control;
    }

    // The pointer comes to rest on the control before the button goes down,
    // as a user's hand would bring it there.
    void aim(QWidget* control)
    {
        if (!realInput()) return;
        const QPoint at = control->mapToGlobal(control->rect().center());
        xcb_test_fake_input(x11_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, int16_t(at.x()), int16_t(at.y()), 0);
        xcb_flush(x11_);
        idle(2);
    }

    // The pointer comes to the button, the left button goes down in its
    // middle, and the user holds it there until the button shows itself
    // pressed.
    QAbstractButton* pressDown(const QString& window, const QString& control)
    {
        auto* button = qobject_cast<QAbstractButton*>(target(window, control));
        if (!button) fail(QStringLiteral("%1.%2 is no button").arg(window, control));
        aim(button);
        QEventLoop loop;
        QObject::connect(button, &QAbstractButton::pressed, &loop, &QEventLoop::quit);
        QTimer::singleShot(0, &loop, [&] { sendButton(button, true); });
        if (wait(loop) != 0) fail(QStringLiteral("%1.%2 did not go down").arg(window, control));
        idle(2);
        return button;
    }

    void release(QAbstractButton* button) { sendButton(button, false); }

    void sendButton(QWidget* control, bool down)
    {
        if (realInput()) {
            xcb_test_fake_input(x11_, down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE,
                                0, 0, 0);
            xcb_flush(x11_);
            return;
        }
        QWidget* window = control->window();
        const QPoint local = control->rect().center();
        const QPointF inWindow = control->mapTo(window, local);
        const QPointF global = control->mapToGlobal(local);
        QMouseEvent event(down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, inWindow, inWindow, global,
                          Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window->windowHandle(), &event);
    }

    BenchApplication& app_;
    ui::WindowSystem& windows_;
    int idleMs_;
    QString newest_;
    QTimer giveUp_;
    double shownAt_ = 0;
    xcb_connection_t* x11_ = nullptr;
    xcb_window_t root_ = 0;
};

QString nextButton(int n)
{
    const std::string_view name = quiz::kChoiceScreens[n - 1].next;
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

QString option(int slot) { return QStringLiteral("Option%1").arg(slot); }

// One whole test from "Start Test" to "Score" and "Reset Test". Every other
// answer is right, the other way round in every other test, so that over two
// tests every window of the program comes up.
void takeTest(Driver& d, ui::WindowSystem& windows)
{
    QString next = d.clickThrough(app::kMainWindow, QStringLiteral("start"));
    for (int n = quiz::kFirstQuestion; n <= quiz::kLastQuestion; ++n) {
        const QString screen = quiz::screenName(n);
        if (next != screen) Driver::fail(QStringLiteral("expected %1, got %2").arg(screen, next));
        const bool right = (n + d.test) % 2 == 0;
        if (n <= quiz::kLastMultipleChoice) {
            const int rightSlot = quiz::slotIndex(*quiz::answerSlot(n)) + 1;
            int slot = rightSlot;
            if (!right) {
                slot = rightSlot % 4 + 1;
                while (!windows.control(screen, option(slot))->isEnabled()) slot = slot % 4 + 1;
            }
            d.click(screen, option(slot));
            next = d.clickThrough(screen, nextButton(n));
        } else {
            const bool sayTrue = right == *quiz::answerIsTrue(n);
            next = d.clickThrough(screen, sayTrue ? QStringLiteral("Command1") : QStringLiteral("Command2"));
        }
        while (next != quiz::screenName(n + 1) && next != quiz::kEndOfTest)
            next = d.clickThrough(next, QStringLiteral("OKButton"));
    }
    if (next != quiz::kEndOfTest) Driver::fail(QStringLiteral("the test did not end"));
    d.click(quiz::kEndOfTest, QStringLiteral("end"));
    if (!windows.control(app::kMainWindow, QStringLiteral("per"))->isVisible())
        Driver::fail(QStringLiteral("no score after a whole test"));
    const QString rightCount = windows.control<QLabel>(app::kMainWindow, QStringLiteral("right"))->text();
    if (rightCount != QLatin1String("25")) Driver::fail(QStringLiteral("%1 right, not 25").arg(rightCount));
    d.click(app::kMainWindow, QStringLiteral("restart"));
}

double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

// The value that this share of the values does not exceed.
double percentile(std::vector<double> v, double share)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(share * double(v.size())))];
}

void summarise(const char* key, const std::vector<Step>& steps)
{
    std::vector<double> ms, shown, paint;
    const Step* worst = nullptr;
    for (const Step& s : steps) {
        ms.push_back(s.ms);
        shown.push_back(s.shownMs);
        paint.push_back(s.paintMs);
        if (!worst || s.ms > worst->ms) worst = &s;
    }
    if (!worst) return;
    std::printf("%s_steps=%zu\n%s_median_ms=%.3f\n%s_max_ms=%.3f\n%s_worst=%s->%s\n", key, steps.size(), key,
                median(ms), key, worst->ms, key, qPrintable(names[worst->from]), qPrintable(names[worst->to]));
    std::printf("%s_to_show_median_ms=%.3f\n%s_paint_median_ms=%.3f\n", key, median(shown), key, median(paint));
    std::printf("%s_p99_ms=%.3f\n%s_p999_ms=%.3f\n", key, percentile(ms, 0.99), key, percentile(ms, 0.999));
}

}  // namespace

int main(int argc, char* argv[])
{
    clock_.start();
    int tests = 100;
    int idleMs = 10;
    QString stepsFile;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QByteArray arg = argv[i];
        if (arg == "--tests") tests = std::atoi(argv[i + 1]);
        else if (arg == "--idle") idleMs = std::atoi(argv[i + 1]);
        else if (arg == "--steps") stepsFile = QString::fromLocal8Bit(argv[i + 1]);
    }

    ui::setUpProcess();
    BenchApplication application(argc, argv);
    ui::installLook();
    ui::QtPlatform platform{QStringLiteral(SNELK_BELL_HELPER)};
    app::Program program(platform);
    ui::WindowSystem& windows = program.windows();
    Driver d(application, windows, idleMs);
    d.steps.reserve(size_t(tests) * 128 + 8);
    names.reserve(256);

    // The welcome screen, then its OK to the main window.
    program.start();
    {
        QEventLoop loop;
        application.waiting = &loop;
        application.watched = windows.find(QStringLiteral("start"))->windowHandle();
        QTimer::singleShot(10000, &loop, [&] { loop.exit(1); });
        if (application.paintedAt < 0 && loop.exec() != 0) Driver::fail(QStringLiteral("no welcome screen"));
        application.waiting = nullptr;
    }
    d.idle();
    d.test = 1;
    if (d.clickThrough(QStringLiteral("start"), QStringLiteral("OKButton")) != app::kMainWindow)
        Driver::fail(QStringLiteral("the welcome screen did not lead to the main window"));

    std::vector<long> widgets, rss;
    long peakAfterFirst = 0;
    for (int t = 1; t <= tests; ++t) {
        d.test = t;
        takeTest(d, windows);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (t == 1) peakAfterFirst = statusKb("VmHWM");
        widgets.push_back(long(QApplication::allWidgets().size()));
        rss.push_back(statusKb("VmRSS"));
        std::fprintf(stderr, "# test %d widgets=%ld rss_kb=%ld\n", t, widgets.back(), rss.back());
    }

    if (!stepsFile.isEmpty()) {
        QFile f(stepsFile);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QTextStream out(&f);
            for (const Step& s : d.steps) out << s.test << ' ' << names[s.from] << ' ' << names[s.to] << ' ' << s.ms << ' ' << s.shownMs << ' '
                                            << s.paintMs << '\n';
        }
    }

    std::vector<Step> first, later;
    for (const Step& s : d.steps) (s.test == 1 ? first : later).push_back(s);
    summarise("first", first);
    summarise("later", later);
    summarise("all", d.steps);
    std::printf("peak_after_first_test_kb=%ld\n", peakAfterFirst);
    std::printf("tests=%d\n", tests);
    if (!widgets.empty()) {
        const auto [wMin, wMax] = std::minmax_element(widgets.begin() + 1 < widgets.end() ? widgets.begin() + 1
                                                                                         : widgets.begin(),
                                                      widgets.end());
        const auto [rMin, rMax] =
            std::minmax_element(rss.begin() + 1 < rss.end() ? rss.begin() + 1 : rss.begin(), rss.end());
        std::printf("widgets_after_first=%ld\nwidgets_later_min=%ld\nwidgets_later_max=%ld\n", widgets.front(),
                    *wMin, *wMax);
        std::printf("rss_after_first_kb=%ld\nrss_later_min_kb=%ld\nrss_later_max_kb=%ld\n", rss.front(), *rMin,
                    *rMax);
    }
    return 0;
}
