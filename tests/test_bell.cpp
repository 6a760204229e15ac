// The right-answer bell on the real platform, with stand-ins for the sound
// service: one that hears every ring, one that is not there, and one that
// hangs. The display's beep is counted instead of sounded.

#include <QElapsedTimer>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

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
    QElapsedTimer clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
};

using BellSession = BasicSession<ListeningPlatform>;

// A stand-in sound service. Each bell takes `playing` to play; one that
// hangs takes until it is let go. Shared with the bell's thread, which may
// outlive the test's session.
struct SoundService {
    bool answers = true;
    bool hangs = false;
    std::chrono::milliseconds playing{0};

    std::mutex mutex;
    std::condition_variable changed;
    int played = 0;
    bool overlapped = false;
    bool busy = false;

    bool play()
    {
        std::unique_lock lock(mutex);
        overlapped = overlapped || busy;
        busy = true;
        changed.wait_for(lock, playing, [this] { return false; });
        changed.wait(lock, [this] { return !hangs; });
        busy = false;
        ++played;
        changed.notify_all();
        return answers;
    }
    void letGo()
    {
        std::lock_guard lock(mutex);
        hangs = false;
        changed.notify_all();
    }
    int count()
    {
        std::lock_guard lock(mutex);
        return played;
    }
};

}  // namespace

class BellTest : public QObject {
    Q_OBJECT

    std::shared_ptr<SoundService> service;
    std::unique_ptr<BellSession> s;

    void start()
    {
        s = std::make_unique<BellSession>([service = service] { return service->play(); });
        s->openMainWindow();
    }

    // Answers question n, a multiple-choice one, as the user would get to it.
    void answerRight(int n)
    {
        s->windows().show(quiz::screenName(n));
        s->answerChoice(n, s->rightSlot(n));
    }

private slots:
    void init() { service = std::make_shared<SoundService>(); }
    void cleanup()
    {
        s.reset();
        service->letGo();
    }

    // Question 18 rings twice: heard, one after the other; unheard, as two
    // beeps of the display, far enough apart to be heard as two.
    void question18RingsTwiceInTurn_data()
    {
        QTest::addColumn<bool>("answers");
        QTest::newRow("heard") << true;
        QTest::newRow("no sound service") << false;
    }
    void question18RingsTwiceInTurn()
    {
        QFETCH(bool, answers);
        service->answers = answers;
        service->playing = std::chrono::milliseconds(150);
        start();
        answerRight(18);
        QVERIFY(s->onView(quiz::screenName(19)));
        QTRY_COMPARE(service->count(), 2);
        QVERIFY2(!service->overlapped, "the second bell started before the first had ended");
        if (answers) {
            settle();
            QCOMPARE(s->platform.windowSystemBeeps, 0);
        } else {
            QTRY_COMPARE(s->platform.windowSystemBeeps, 2);
            QVERIFY2(s->platform.beepedAt[1] - s->platform.beepedAt[0] >= 250, "the two beeps ran into one");
        }
    }

    // A sound service that hangs holds up neither the test nor the end of the
    // program; once a ring has hung, the next rings are beeped at once.
    void aHungSoundServiceNeitherSlowsNorEndsTheProgram()
    {
        service->hangs = true;
        start();
        answerRight(1);
        QVERIFY(s->onView(quiz::screenName(2)));
        QTest::qWait(2500);
        QCOMPARE(s->platform.windowSystemBeeps, 0);
        answerRight(2);
        QVERIFY(s->onView(quiz::screenName(3)));
        QTRY_COMPARE_WITH_TIMEOUT(s->platform.windowSystemBeeps, 1, 1000);

        QElapsedTimer ending;
        ending.start();
        s.reset();
        QVERIFY2(ending.elapsed() < 5000, "the program waited for the sound service");
        QCOMPARE(service->count(), 0);
    }
};

QTEST_MAIN(BellTest)
#include "test_bell.moc"
