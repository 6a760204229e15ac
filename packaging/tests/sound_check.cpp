// The real program on the real platform: a player gets through the welcome
// screen, starts the test and answers question 1 (or, given its number,
// another multiple-choice question, skipping there), rightly or wrongly. The
// program then keeps running, so that a bell it asked for can reach the sound
// service, for the seconds given or, given "stdin", until its standard input
// is closed; then it ends normally.
//
//     snelk-sound-check right|wrong [SECONDS|stdin] [QUESTION]
//
// It prints the score the main window shows after the answer.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "app/program.h"
#include "quiz/question_bank.h"
#include "quiz/course.h"
#include "quiz/question_screens.h"
#include "ui/qt_platform.h"
#include "ui/window_system.h"

namespace {

// The offscreen platform cannot raise windows and says so each time.
void quietOffscreenNotes()
{
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.startsWith(QLatin1String("This plugin does not support"))) return;
            previous(type, context, message);
        });
}

void click(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
    QCoreApplication::processEvents();
}

QWidget* control(ui::WindowSystem& windows, const QString& window, const QString& name)
{
    ui::Window* w = windows.find(window);
    if (!w) {
        std::fprintf(stderr, "window %s is not open\n", qPrintable(window));
        std::exit(2);
    }
    return w->control(name);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const bool answerRightly = argc > 1 && std::strcmp(argv[1], "right") == 0;
    if (argc < 2 || (!answerRightly && std::strcmp(argv[1], "wrong") != 0)) {
        std::fprintf(stderr, "usage: %s right|wrong [seconds|stdin] [question]\n", argv[0]);
        return 2;
    }
    const bool untilStdinCloses = argc > 2 && std::strcmp(argv[2], "stdin") == 0;
    const double seconds = argc > 2 && !untilStdinCloses ? std::atof(argv[2]) : 1.0;
    const int number = argc > 3 ? std::atoi(argv[3]) : 1;
    if (number < 1 || number > quiz::kLastMultipleChoice) {
        std::fprintf(stderr, "%s: question %s has no choices\n", argv[0], argv[3]);
        return 2;
    }

    quietOffscreenNotes();
    ui::QtPlatform platform;
    ui::WindowSystem windows(platform);
    app::Program program(windows);
    program.start();
    click(control(windows, "start", "OKButton"));
    click(control(windows, "Test", "start"));

    const QString screen = quiz::screenName(number);
    if (number != 1) {
        windows.show(screen);
        windows.close(quiz::screenName(1));
    }

    // The right option, or the first enabled one that is not.
    const int rightIndex = quiz::slotIndex(*quiz::answerSlot(number));
    QRadioButton* choice = nullptr;
    for (int i = 0; i < 4 && !choice; ++i) {
        auto* option = static_cast<QRadioButton*>(control(windows, screen, QStringLiteral("Option%1").arg(i + 1)));
        if ((i == rightIndex) == answerRightly && option->isEnabled()) choice = option;
    }
    click(choice);
    click(control(windows, screen, quiz::kChoiceScreens[number - 1].next));

    const auto score = [&](const char* name) {
        return static_cast<QLabel*>(control(windows, "Test", name))->text();
    };
    std::printf("right %s wrong %s\n", qPrintable(score("right")), qPrintable(score("wrong")));
    std::fflush(stdout);

    std::thread stdinWatch;
    if (untilStdinCloses) {
        stdinWatch = std::thread([&application] {
            while (std::fgetc(stdin) != EOF) {
            }
            QMetaObject::invokeMethod(&application, &QCoreApplication::quit, Qt::QueuedConnection);
        });
    } else {
        QTimer::singleShot(int(seconds * 1000), &application, &QCoreApplication::quit);
    }
    const int status = QApplication::exec();
    if (stdinWatch.joinable()) stdinWatch.join();
    return status;
}
