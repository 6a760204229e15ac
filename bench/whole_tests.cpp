// Takes whole tests in the real program, as a user clicks through them, and
// measures:
//  - every click on a button that leads to another window, from the button
//    coming up (a click acts when the mouse button is released) to the moment
//    the next window is exposed and painted;
//  - the memory of all the program's processes (it and any it starts) after
//    the first whole test and after the last;
//  - the live widgets and the resident memory of those processes after each
//    whole test (start, answer all fifty, score, reset), which must not grow.
//
// With --bare it takes turns with the bare click program (bench-bare-clicks),
// which makes as many clicks after each whole test as the test had, so that
// whatever else the machine does meanwhile falls on both alike.
//
// Usage: whole-tests [--tests N] [--idle MS] [--steps FILE] [--bare CONTROL:REPLY]
// Prints "key=value" lines; --steps writes every measured click to FILE.

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTextStream>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "app/main_window.h"
#include "app/program.h"
#include "clicking.h"
#include "process_memory.h"
#include "quiz/course.h"
#include "quiz/end_of_test.h"
#include "quiz/question_bank.h"
#include "quiz/question_screens.h"
#include "ui/qt_platform.h"

namespace {

using bench::fail;

// One measured click. Window and control names are kept once in a table, and
// room for every step is made before the first test, so that the benchmark's
// own records do not show up as growth of the program.
struct Step {
    int test;
    int from;  // "window.control"
    int to;    // window
    bench::ClickTime time;
};

std::vector<QString> names;
int nameIndex(const QString& name)
{
    const auto it = std::find(names.begin(), names.end(), name);
    if (it != names.end()) return int(it - names.begin());
    names.push_back(name);
    return int(names.size()) - 1;
}

// Clicks the program's controls by their windows' and their own names.
class Driver {
public:
    Driver(bench::BenchApplication& application, ui::WindowSystem& windows, int idleMs)
        : clicker(application, idleMs), application_(application), windows_(windows)
    {
    }

    bench::Clicker clicker;
    std::vector<Step> steps;
    int test = 0;

    // A click that stays in its window (a choice, "Score", "Reset Test").
    void click(const QString& window, const QString& control)
    {
        clicker.click(button(window, control), window + QLatin1Char('.') + control);
    }

    // A click that brings up another window; returns the window's name.
    QString clickThrough(const QString& window, const QString& control)
    {
        const QString from = window + QLatin1Char('.') + control;
        const bench::ClickTime time = clicker.clickThrough(button(window, control), from);
        const QString shown = application_.shownWindow()->objectName();
        steps.push_back({test, nameIndex(from), nameIndex(shown), time});
        return shown;
    }

private:
    QAbstractButton* button(const QString& windowName, const QString& controlName)
    {
        ui::Window* window = windows_.find(windowName);
        if (!window) fail(QStringLiteral("no window %1").arg(windowName));
        auto* button = qobject_cast<QAbstractButton*>(window->control(controlName));
        if (!button) fail(QStringLiteral("%1.%2 is no button").arg(windowName, controlName));
        return button;
    }

    bench::BenchApplication& application_;
    ui::WindowSystem& windows_;
};

QString nextButton(int n) { return quiz::kChoiceScreens[n - 1].next; }

QString option(int slot) { return QStringLiteral("Option%1").arg(slot); }

// One whole test from "Start Test" to "Score" and "Reset Test". Every other
// answer is right, the other way round in every other test, so that over two
// tests every window of the program comes up.
void takeTest(Driver& d, ui::WindowSystem& windows)
{
    QString next = d.clickThrough(app::kMainWindow, QStringLiteral("start"));
    for (int n = quiz::kFirstQuestion; n <= quiz::kLastQuestion; ++n) {
        const QString screen = quiz::screenName(n);
        if (next != screen) fail(QStringLiteral("expected %1, got %2").arg(screen, next));
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
    if (next != quiz::kEndOfTest) fail(QStringLiteral("the test did not end"));
    d.click(quiz::kEndOfTest, QStringLiteral("end"));
    if (!windows.control(app::kMainWindow, QStringLiteral("per"))->isVisible())
        fail(QStringLiteral("no score after a whole test"));
    const QString rightCount = windows.control<QLabel>(app::kMainWindow, QStringLiteral("right"))->text();
    if (rightCount != QLatin1String("25")) fail(QStringLiteral("%1 right, not 25").arg(rightCount));
    d.click(app::kMainWindow, QStringLiteral("restart"));
}

// The bare program's turn: as many clicks as the program has just made.
// Returns what it says of its memory afterwards, as "key=value" words.
std::map<std::string, std::string> bareTurn(bench::Channel& bare, size_t clicks)
{
    bare.send("clicks " + QByteArray::number(qulonglong(clicks)));
    const std::optional<QByteArray> reply = bare.receive(600000);
    if (!reply || !reply->startsWith("done")) fail(QStringLiteral("the bare click program did not take its turn"));
    std::map<std::string, std::string> said;
    for (const QByteArray& word : reply->split(' ')) {
        const qsizetype is = word.indexOf('=');
        if (is > 0) said[word.left(is).toStdString()] = word.mid(is + 1).toStdString();
    }
    return said;
}

void print(const std::string& prefix, const std::map<std::string, std::string>& said)
{
    for (const auto& [key, value] : said) std::printf("%s%s=%s\n", prefix.c_str(), key.c_str(), value.c_str());
}

void print(const std::string& prefix, const bench::ProcessMemory& m)
{
    std::printf("%speak_kb=%ld\n%srss_kb=%ld\n%spss_kb=%ld\n%sprocesses=%d\n", prefix.c_str(), m.peakKb,
                prefix.c_str(), m.residentKb, prefix.c_str(), m.proportionalKb, prefix.c_str(), m.processes);
}

}  // namespace

int main(int argc, char* argv[])
{
    bench::benchClock();
    int tests = 100;
    int idleMs = 10;
    QString stepsFile;
    QString barePipes;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QByteArray arg = argv[i];
        if (arg == "--tests") tests = std::atoi(argv[i + 1]);
        else if (arg == "--idle") idleMs = std::atoi(argv[i + 1]);
        else if (arg == "--steps") stepsFile = QString::fromLocal8Bit(argv[i + 1]);
        else if (arg == "--bare") barePipes = QString::fromLocal8Bit(argv[i + 1]);
    }

    bench::BenchApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("whole-tests"));
    ui::QtPlatform platform;
    ui::WindowSystem windows(platform);
    app::Program program(windows);
    Driver d(application, windows, idleMs);
    // Written over once, so that the pages are resident before the first
    // test rather than coming in as the records fill them.
    d.steps.resize(size_t(tests) * 128 + 8);
    d.steps.clear();
    names.reserve(256);

    // The bare program is up, its first window painted, before this one shows any.
    bench::Channel bare;
    if (!barePipes.isEmpty()) {
        const QStringList pipes = barePipes.split(QLatin1Char(':'));
        if (pipes.size() != 2) fail(QStringLiteral("--bare wants CONTROL:REPLY"));
        bare.open(pipes[1], pipes[0], false);
        if (bare.receive(60000) != QByteArray("ready")) fail(QStringLiteral("the bare click program did not start"));
    }

    // The welcome screen, then its OK to the main window.
    d.clicker.firstWindow([&] { program.start(); }, QStringLiteral("the welcome screen"));
    d.clicker.idle();
    d.test = 1;
    if (d.clickThrough(QStringLiteral("start"), QStringLiteral("OKButton")) != app::kMainWindow)
        fail(QStringLiteral("the welcome screen did not lead to the main window"));

    std::vector<long> widgets, resident;
    widgets.reserve(size_t(tests));
    resident.reserve(size_t(tests));
    bench::ProcessMemory afterFirst;
    std::map<std::string, std::string> bareAfterFirst, bareAfterLast;
    size_t handedOver = 0;
    for (int t = 1; t <= tests; ++t) {
        d.test = t;
        takeTest(d, windows);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bench::ProcessMemory memory = bench::treeMemory(getpid());
        if (t == 1) afterFirst = memory;
        widgets.push_back(long(QApplication::allWidgets().size()));
        resident.push_back(memory.residentKb);
        std::fprintf(stderr, "# test %d widgets=%ld rss_kb=%ld processes=%d own_rss_kb=%ld\n", t, widgets.back(),
                     resident.back(), memory.processes, bench::statusKb(getpid(), "VmRSS"));
        if (bare.isOpen()) {
            bareAfterLast = bareTurn(bare, d.steps.size() - handedOver);
            handedOver = d.steps.size();
            if (t == 1) bareAfterFirst = bareAfterLast;
        }
    }
    const bench::ProcessMemory afterLast = bench::treeMemory(getpid());
    if (bare.isOpen()) bare.send("quit");

    if (!stepsFile.isEmpty()) {
        QFile f(stepsFile);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QTextStream out(&f);
            for (const Step& s : d.steps)
                out << s.test << ' ' << names[s.from] << ' ' << names[s.to] << ' ' << s.time.ms << ' '
                    << s.time.shownMs << ' ' << s.time.paintMs << '\n';
        }
    }

    std::vector<bench::ClickTime> first, later, all;
    std::vector<const Step*> firstSteps, laterSteps;
    for (const Step& s : d.steps) {
        (s.test == 1 ? first : later).push_back(s.time);
        (s.test == 1 ? firstSteps : laterSteps).push_back(&s);
        all.push_back(s.time);
    }
    const auto label = [](const Step& s) { return names[s.from] + QStringLiteral("->") + names[s.to]; };
    bench::summarise("first", first, [&](size_t i) { return label(*firstSteps[i]); });
    bench::summarise("later", later, [&](size_t i) { return label(*laterSteps[i]); });
    bench::summarise("all", all, [&](size_t i) { return label(d.steps[i]); });
    print("after_first_", afterFirst);
    print("after_last_", afterLast);
    print("bare_after_first_", bareAfterFirst);
    print("bare_after_last_", bareAfterLast);
    std::printf("tests=%d\n", tests);
    if (!widgets.empty()) {
        const auto laterBegin = [](std::vector<long>& v) { return v.begin() + 1 < v.end() ? v.begin() + 1 : v.begin(); };
        const auto [wMin, wMax] = std::minmax_element(laterBegin(widgets), widgets.end());
        const auto [rMin, rMax] = std::minmax_element(laterBegin(resident), resident.end());
        std::printf("widgets_after_first=%ld\nwidgets_later_min=%ld\nwidgets_later_max=%ld\n", widgets.front(),
                    *wMin, *wMax);
        std::printf("rss_after_first_kb=%ld\nrss_later_min_kb=%ld\nrss_later_max_kb=%ld\n", resident.front(), *rMin,
                    *rMax);
    }
    return 0;
}
