// The right-answer bell as its helper process serves it, on the real
// platform with the window system's beep counted instead of sounded. The
// helpers here are stand-ins: a script that hears every ring, as the real
// helper does with a sound service, and others that fail as a helper can.
// Each script notes its process id in NAME.started, so that a test can kill
// it as a crash would and make sure it is not left behind; the one that hears
// notes every request in NAME.rings.

#include <signal.h>

#include <cerrno>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "session.h"
#include "ui/qt_platform.h"

namespace {

struct ListeningPlatform : ui::QtPlatform {
    using QtPlatform::QtPlatform;
    int windowSystemBeeps = 0;
    QList<qint64> beepedAt;  // milliseconds since the platform was made
    void windowSystemBeep() override
    {
        ++windowSystemBeeps;
        beepedAt << clock.elapsed();
    }
    QElapsedTimer clock = [] { QElapsedTimer c; c.start(); return c; }();
};

using BellSession = BasicSession<ListeningPlatform>;

// A shell script that notes its process id, then runs `body`.
QByteArray script(const QByteArray& body) { return "#!/bin/sh\necho $$ >>\"$0.started\"\n" + body; }

const QByteArray hears = script("while read -r request; do echo \"$request\" >>\"$0.rings\"; printf y; done\n");

QStringList lines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The state of a process as the system shows it: 'Z' for one that has ended
// and waits to be reaped, 0 for one that is gone.
char state(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return 0;
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(") ");
    return end < 0 ? 0 : line.at(end + 2);
}

bool gone(qint64 pid) { return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH; }

}  // namespace

class BellTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    std::unique_ptr<BellSession> s;

    // A stand-in helper with that content, in the test's own folder.
    QString helper(const QString& name, const QByteArray& content, bool executable = true)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
        file.write(content);
        file.close();
        if (executable) file.setPermissions(file.permissions() | QFile::ExeOwner);
        return path;
    }

    static QList<qint64> started(const QString& helper)
    {
        QList<qint64> pids;
        for (const QString& pid : lines(helper + ".started")) pids << pid.toLongLong();
        return pids;
    }

    // Answers question n, pressing OK on any dialog up to question n + 1.
    void answer(int n, bool right)
    {
        QString next = s->answer(n, right);
        while (next != quiz::screenName(n + 1)) {
            s->click(next, QStringLiteral("OKButton"));
            next = s->newest();
        }
    }

    // Two rings: questions 1 and 3 answered right, question 2 wrong.
    void rightWrongRight()
    {
        s->startTest();
        answer(1, true);
        answer(2, false);
        answer(3, true);
    }

private slots:
    void cleanup() { s.reset(); }

    void heardRingsNeedNoBeepAndAKilledHelperLeavesTheRestToIt()
    {
        const QString bell = helper("hears", hears);
        s = std::make_unique<BellSession>(bell);
        rightWrongRight();
        QTRY_COMPARE(lines(bell + ".rings"), (QStringList{"ring", "ring"}));
        QCOMPARE(started(bell).size(), 1);  // one helper serves every ring
        const qint64 pid = started(bell).first();

        // Killed while the player is on question 4; it has ended, not yet been reaped.
        QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
        QTRY_COMPARE(state(pid), 'Z');
        answer(4, true);  // would raise SIGPIPE, were it not kept from the program
        QTRY_COMPARE(s->platform.windowSystemBeeps, 1);
        QVERIFY(gone(pid));
        // Within the minute no other helper is started: each ring beeps at once.
        answer(5, true);
        QTRY_COMPARE(s->platform.windowSystemBeeps, 2);
        QCOMPARE(started(bell).size(), 1);
        QCOMPARE(lines(bell + ".rings").size(), 2);
        QVERIFY(s->onView(quiz::screenName(6)));
        // The heard rings had beeped before these, had they beeped at all.
        Session::settle();
        QCOMPARE(s->platform.windowSystemBeeps, 2);
    }

    void aHelperThatCannotPlayLeavesEveryRightAnswerToTheBeep_data()
    {
        QTest::addColumn<QByteArray>("content");  // none: no helper at all
        QTest::addColumn<bool>("executable");
        QTest::newRow("not there") << QByteArray() << true;
        QTest::newRow("not executable") << hears << false;
        QTest::newRow("not a program") << QByteArray("\x7f" "ELF, or so it seems") << true;
        QTest::newRow("gone at once") << script("exit 0\n") << true;
        QTest::newRow("no sound service") << script("while read -r request; do printf n; done\n") << true;
    }
    void aHelperThatCannotPlayLeavesEveryRightAnswerToTheBeep()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, executable);
        const QString bell = content.isEmpty() ? folder.filePath(QStringLiteral("missing"))
                                               : helper(QTest::currentDataTag(), content, executable);
        s = std::make_unique<BellSession>(bell);
        rightWrongRight();
        QVERIFY(s->onView(quiz::screenName(4)));
        QTRY_COMPARE(s->platform.windowSystemBeeps, 2);
        const QList<qint64> pids = started(bell);
        for (qint64 pid : pids) QVERIFY2(state(pid) != 'Z', "a helper was left unreaped");
        s.reset();
        for (qint64 pid : pids) QVERIFY2(gone(pid), "a helper outlived the program");
    }

    // Question 18 rings twice. Where no sound service hears it, the window
    // system beeps twice, far enough apart to be heard as two.
    void question18BeepsTwiceWhereNoSoundServiceHears()
    {
        s = std::make_unique<BellSession>(helper("unheard", script("while read -r request; do printf n; done\n")));
        s->openMainWindow();
        s->windows().show(quiz::screenName(18));
        s->answerChoice(18, s->rightSlot(18));
        QTRY_COMPARE(s->platform.windowSystemBeeps, 2);
        QVERIFY2(s->platform.beepedAt[1] - s->platform.beepedAt[0] >= 250, "the two beeps ran into one");
    }

    void theProgramEndsWithoutWaitingOnItsHelper_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("leaves at the end of its input") << hears;
        QTest::newRow("answers, then ignores the end of its input")
            << script("read -r request; printf y; exec sleep 600\n");
        QTest::newRow("never answers") << script("exec sleep 600\n");
    }
    void theProgramEndsWithoutWaitingOnItsHelper()
    {
        QFETCH(QByteArray, content);
        const QString bell = helper(QTest::currentDataTag(), content);
        s = std::make_unique<BellSession>(bell);
        s->startTest();
        answer(1, true);
        QTRY_COMPARE(started(bell).size(), 1);
        const qint64 pid = started(bell).first();
        s.reset();  // returns, and the helper is gone: ended or killed, and reaped
        QVERIFY(gone(pid));
    }
};

QTEST_MAIN(BellTest)
#include "test_bell.moc"
