// The floor the program's clicks are measured against: a plain Qt Widgets
// program in which a click of a window's "Next" button builds and shows a new
// window of a question screen's size (312 x 213 logical pixels) with a
// word-wrapped question in 12 points, four choices and two buttons, built at
// the click as plain Qt would, and closes the window clicked.
//
// It is clicked from inside, by the same method and clock as the program
// (clicking.h), in turns with the program's whole tests: through two named
// pipes it is told how many clicks to make, and it answers with the memory of
// its processes once they are made. Its windows keep to the screen's top right
// corner, clear of the program's, which come up at the top left.
//
// Usage: bare-clicks --control FIFO --reply FIFO [--idle MS] [--steps FILE]
// Once told "quit", prints "key=value" lines; --steps writes every click to FILE.

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextStream>
#include <QWidget>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "clicking.h"
#include "process_memory.h"

namespace {

// Where every window goes: the top right corner of the screen.
QPoint place()
{
    static const QPoint topRight = [] {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        return QPoint(screen.right() - 312 - 24, screen.top() + 24);
    }();
    return topRight;
}

struct Question {
    const char* text;
    std::array<const char*, 4> choices;
};

const std::array<Question, 4> kQuestions{{
    {"How often should the water bowl of a small pet be changed?", {"Once a day", "Once a week", "Once a month", "Never"}},
    {"Which of these is the best bedding for a burrowing animal?", {"Paper", "Cedar", "Sand", "Glass"}},
    {"What does a pet usually do when it is frightened?", {"Hides", "Sings", "Swims", "Sleeps"}},
    {"How warm should the room of a small pet be kept?", {"18 to 24 C", "5 to 10 C", "30 to 35 C", "Below 0 C"}},
}};

class QuestionWindow : public QWidget {
public:
    explicit QuestionWindow(int number)
    {
        const Question& q = kQuestions[size_t(number) % kQuestions.size()];
        setWindowTitle(QStringLiteral("Question %1").arg(number));
        setAttribute(Qt::WA_DeleteOnClose);
        setFixedSize(312, 213);

        auto* question = new QLabel(QString::fromUtf8(q.text), this);
        QFont big = question->font();
        big.setPointSize(12);
        question->setFont(big);
        question->setWordWrap(true);
        question->setGeometry(16, 16, 281, 41);
        for (int i = 0; i < 4; ++i) {
            auto* choice = new QRadioButton(QString::fromUtf8(q.choices[size_t(i)]), this);
            choice->setGeometry(i < 2 ? 16 : 160, i % 2 ? 104 : 64, 140, 33);
        }
        auto* quit = new QPushButton(QStringLiteral("&Quit"), this);
        quit->setGeometry(16, 168, 81, 33);
        auto* next = new QPushButton(QStringLiteral("&Next"), this);
        next->setObjectName(QStringLiteral("next"));
        next->setGeometry(208, 168, 81, 33);
        next->setDefault(true);

        connect(quit, &QPushButton::clicked, qApp, &QCoreApplication::quit);
        connect(next, &QPushButton::clicked, this, [this, number] {
            auto* following = new QuestionWindow(number + 1);
            following->move(place());
            following->show();
            close();
        });
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    bench::benchClock();
    QString control, reply, stepsFile;
    int idleMs = 10;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QByteArray arg = argv[i];
        if (arg == "--control") control = QString::fromLocal8Bit(argv[i + 1]);
        else if (arg == "--reply") reply = QString::fromLocal8Bit(argv[i + 1]);
        else if (arg == "--idle") idleMs = std::atoi(argv[i + 1]);
        else if (arg == "--steps") stepsFile = QString::fromLocal8Bit(argv[i + 1]);
    }
    if (control.isEmpty() || reply.isEmpty()) {
        std::fprintf(stderr, "usage: bare-clicks --control FIFO --reply FIFO [--idle MS] [--steps FILE]\n");
        return 2;
    }

    bench::BenchApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("bare-clicks"));
    bench::Clicker clicker(application, idleMs);
    bench::Channel channel;
    channel.open(control, reply, true);

    QWidget* current = clicker.firstWindow(
        [] {
            auto* first = new QuestionWindow(1);
            first->move(place());
            first->show();
        },
        QStringLiteral("the first window"));
    clicker.idle();
    channel.send("ready");

    std::vector<bench::ClickTime> times;
    times.reserve(16384);
    bool told = false;
    for (;;) {
        // A whole test of the program takes a few seconds.
        const std::optional<QByteArray> line = channel.receive(600000);
        if (!line) break;
        if (*line == "quit") {
            told = true;
            break;
        }
        if (!line->startsWith("clicks ")) bench::fail(QStringLiteral("unknown request: %1").arg(QString::fromUtf8(*line)));
        const long clicks = line->mid(7).toLong();
        for (long i = 0; i < clicks; ++i) {
            auto* next = current->findChild<QPushButton*>(QStringLiteral("next"));
            times.push_back(clicker.clickThrough(next, QStringLiteral("next")));
            current = application.shownWindow();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        channel.send(QByteArray("done ") + bench::describe(bench::treeMemory(getpid())).c_str());
    }
    if (!told) bench::fail(QStringLiteral("the benchmark's driver is gone"));

    if (!stepsFile.isEmpty()) {
        QFile f(stepsFile);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QTextStream out(&f);
            for (const bench::ClickTime& t : times) out << t.ms << ' ' << t.shownMs << ' ' << t.paintMs << '\n';
        }
    }
    bench::summarise("bare", times, [](size_t i) { return QStringLiteral("click %1").arg(i + 1); });
    return 0;
}
