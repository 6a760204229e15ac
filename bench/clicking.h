// How the benchmark clicks and times a click. The driver that takes whole
// tests in the program and the one that clicks through the bare Qt program
// share it, so that both are measured by the same method and the same clock:
// real input through the X server (XTest), the pointer brought to where the
// control is on the screen at whatever scale the windows are drawn, the left
// button pressed and held until the control shows itself down, and the click
// timed from the button coming up (when a click acts) to the window it brings
// up exposed and painted.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace bench {

inline QElapsedTimer& benchClock()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    return clock;
}
inline double nowMs() { return double(benchClock().nsecsElapsed()) / 1e6; }

[[noreturn]] inline void fail(const QString& why)
{
    const QString name = QCoreApplication::applicationName();
    std::fprintf(stderr, "%s: %s\n", name.isEmpty() ? "bench" : qPrintable(name), qPrintable(why));
    // At once: from inside the event loop, with the application still up,
    // running the destructors of statics may crash on the way out.
    std::fflush(nullptr);
    std::_Exit(1);
}

// Notes the top-level window that a click shows, and when it has been exposed
// and painted, which is when Qt has drawn it and handed the picture to the
// display.
class BenchApplication : public QApplication {
public:
    using QApplication::QApplication;

    // From now on the next window shown is the one waited for; `loop` is
    // quit once it is painted.
    void expectWindow(QEventLoop* loop)
    {
        watching_ = true;
        waiting_ = loop;
        shown_ = nullptr;
        watched_ = nullptr;
        shownAt_ = exposedAt_ = paintedAt_ = -1;
    }
    void stopWatching()
    {
        watching_ = false;
        waiting_ = nullptr;
        watched_ = nullptr;
    }

    bool painted() const { return paintedAt_ >= 0; }
    QWidget* shownWindow() const { return shown_; }
    double shownAt() const { return shownAt_; }
    double exposedAt() const { return exposedAt_; }
    double paintedAt() const { return paintedAt_; }

    bool notify(QObject* receiver, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (watching_ && type == QEvent::Show && receiver->isWidgetType() && !event->spontaneous()) {
            auto* widget = static_cast<QWidget*>(receiver);
            const Qt::WindowType kind = widget->windowType();
            if (widget->isWindow() && (kind == Qt::Window || kind == Qt::Dialog)) watch(widget);
            const bool result = QApplication::notify(receiver, event);
            if (shown_ == widget && !watched_) watched_ = widget->windowHandle();
            return result;
        }
        if (type != QEvent::Expose || !watched_ || receiver != watched_) return QApplication::notify(receiver, event);
        const double at = nowMs();
        const bool result = QApplication::notify(receiver, event);
        if (watched_ && watched_->isExposed() && paintedAt_ < 0) markPainted(at);
        return result;
    }

private:
    void watch(QWidget* window)
    {
        shown_ = window;
        watched_ = window->windowHandle();
        shownAt_ = nowMs();
        exposedAt_ = paintedAt_ = -1;
    }
    void markPainted(double exposedAt)
    {
        exposedAt_ = exposedAt;
        paintedAt_ = nowMs();
        if (waiting_) waiting_->quit();
    }

    bool watching_ = false;
    QEventLoop* waiting_ = nullptr;
    QPointer<QWidget> shown_;
    QPointer<QWindow> watched_;
    double shownAt_ = -1;
    double exposedAt_ = -1;
    double paintedAt_ = -1;
};

// One timed click, in milliseconds from the button coming up.
struct ClickTime {
    double ms;       // to the next window painted
    double shownMs;  // of which until the window was asked to show
    double paintMs;  // and the painting once the display exposed it
};

class Clicker {
public:
    Clicker(BenchApplication& application, int idleMs) : app_(application), idleMs_(idleMs)
    {
        if (auto* x11 = application.nativeInterface<QNativeInterface::QX11Application>()) {
            x11_ = x11->connection();
            root_ = xcb_setup_roots_iterator(xcb_get_setup(x11_)).data->root;
        }
        giveUp_.setSingleShot(true);
    }

    BenchApplication& application() { return app_; }

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

    // Runs the loop until it quits, or gives up after the time-out. One timer
    // serves every wait, so that the benchmark's own timers, each alive for
    // the whole time-out, do not show up as growth of the program.
    int wait(QEventLoop& loop, int timeoutMs = 10000)
    {
        const auto connection = QObject::connect(&giveUp_, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
        giveUp_.start(timeoutMs);
        const int result = loop.exec();
        giveUp_.stop();
        QObject::disconnect(connection);
        return result;
    }

    // The first window, shown by `show`, painted.
    QWidget* firstWindow(const std::function<void()>& show, const QString& what)
    {
        QEventLoop loop;
        app_.expectWindow(&loop);
        show();
        const int result = app_.painted() ? 0 : wait(loop);
        app_.stopWatching();
        if (result != 0 || !app_.painted()) fail(QStringLiteral("%1 was not painted").arg(what));
        return app_.shownWindow();
    }

    // A click that stays in its window.
    void click(QAbstractButton* button, const QString& what)
    {
        pressDown(button, what);
        QEventLoop loop;
        QObject::connect(button, &QAbstractButton::clicked, &loop, &QEventLoop::quit);
        QTimer::singleShot(0, &loop, [&] { sendButton(button, false); });
        if (wait(loop) != 0) fail(QStringLiteral("%1 did not take the click").arg(what));
        idle();
    }

    // A click that brings up another window, timed from the button coming
    // up to that window painted; application().shownWindow() is the window.
    ClickTime clickThrough(QAbstractButton* button, const QString& what)
    {
        pressDown(button, what);
        QEventLoop loop;
        double clickedAt = 0;
        app_.expectWindow(&loop);
        QTimer::singleShot(0, &loop, [&] {
            clickedAt = nowMs();
            sendButton(button, false);
            if (app_.painted()) loop.quit();
        });
        bool tookClick = false;
        QObject::connect(button, &QAbstractButton::clicked, &loop, [&] { tookClick = true; });
        const int result = wait(loop);
        app_.stopWatching();
        if (result != 0 || !app_.painted()) {
            QWidget* shown = app_.shownWindow();
            fail(QStringLiteral("%1 brought up no window within %2 ms: the click was %3taken; %4")
                     .arg(what)
                     .arg(nowMs() - clickedAt, 0, 'f', 0)
                     .arg(tookClick ? QString() : QStringLiteral("not "))
                     .arg(shown ? QStringLiteral("%1 was shown but not painted").arg(shown->objectName())
                                : QStringLiteral("no window was shown")));
        }
        const ClickTime time{app_.paintedAt() - clickedAt, app_.shownAt() - clickedAt,
                             app_.paintedAt() - app_.exposedAt()};
        idle();
        return time;
    }

private:
    // Where the middle of the control is on the X server's screen: its place
    // in its window in the window's device pixels (logical pixels times the
    // scale the window is drawn at), and the window's place on the screen as
    // the server has it.
    QPoint onScreen(QWidget* control, const QString& what)
    {
        QWidget* top = control->window();
        QWindow* handle = top->windowHandle();
        if (!handle) fail(QStringLiteral("%1 is in no window on the screen").arg(what));
        const QPointF inWindow = control->mapTo(top, QRectF(control->rect()).center());
        const qreal scale = handle->devicePixelRatio();
        const auto cookie = xcb_translate_coordinates(x11_, xcb_window_t(handle->winId()), root_,
                                                      int16_t(qRound(inWindow.x() * scale)),
                                                      int16_t(qRound(inWindow.y() * scale)));
        std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> reply(
            xcb_translate_coordinates_reply(x11_, cookie, nullptr), &std::free);
        if (!reply) fail(QStringLiteral("the X server does not know the window of %1").arg(what));
        return {reply->dst_x, reply->dst_y};
    }

    // The pointer comes to rest on the control before the button goes down,
    // as a user's hand would bring it there.
    void aim(QWidget* control, const QString& what)
    {
        if (!realInput()) return;
        aimedAt_ = onScreen(control, what);
        xcb_test_fake_input(x11_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, int16_t(aimedAt_.x()),
                            int16_t(aimedAt_.y()), 0);
        xcb_flush(x11_);
        idle(2);
    }

    // The left button goes down in the middle of the control, and the user
    // holds it there until the control shows itself pressed.
    void pressDown(QAbstractButton* button, const QString& what)
    {
        if (!button->isVisible() || !button->isEnabled()) fail(QStringLiteral("%1 cannot be clicked").arg(what));
        aim(button, what);
        QEventLoop loop;
        QObject::connect(button, &QAbstractButton::pressed, &loop, &QEventLoop::quit);
        QTimer::singleShot(0, &loop, [&] { sendButton(button, true); });
        if (wait(loop) != 0) {
            if (!realInput()) fail(QStringLiteral("%1 did not go down").arg(what));
            const QRect logical(button->mapToGlobal(QPoint(0, 0)), button->size());
            fail(QStringLiteral("%1 did not go down: pressed at %2,%3 on the screen; the control is at %4,%5 "
                                "%6x%7 in logical pixels, scale %8")
                     .arg(what)
                     .arg(aimedAt_.x())
                     .arg(aimedAt_.y())
                     .arg(logical.x())
                     .arg(logical.y())
                     .arg(logical.width())
                     .arg(logical.height())
                     .arg(button->devicePixelRatioF()));
        }
        idle(2);
    }

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
    int idleMs_;
    QTimer giveUp_;
    xcb_connection_t* x11_ = nullptr;
    xcb_window_t root_ = 0;
    QPoint aimedAt_;
};

// One line at a time to and from the other program of a run, through two
// named pipes, the event loop running while a line is awaited.
class Channel {
public:
    // The other end opens the same pipes the other way round, so that
    // neither waits for the other for ever.
    void open(const QString& in, const QString& out, bool inFirst)
    {
        const auto openIn = [&] { in_ = ::open(qPrintable(in), O_RDONLY | O_CLOEXEC); };
        const auto openOut = [&] { out_ = ::open(qPrintable(out), O_WRONLY | O_CLOEXEC); };
        if (inFirst) openIn(), openOut();
        else openOut(), openIn();
        if (in_ < 0 || out_ < 0) fail(QStringLiteral("cannot open %1 and %2").arg(in, out));
        fcntl(in_, F_SETFL, fcntl(in_, F_GETFL) | O_NONBLOCK);
        giveUp_.setSingleShot(true);
    }
    bool isOpen() const { return in_ >= 0; }

    void send(const QByteArray& line)
    {
        const QByteArray data = line + '\n';
        qsizetype done = 0;
        while (done < data.size()) {
            const ssize_t sent = ::write(out_, data.constData() + done, size_t(data.size() - done));
            if (sent < 0 && errno == EINTR) continue;
            if (sent <= 0) fail(QStringLiteral("the other program of the run is gone"));
            done += sent;
        }
    }

    // The next line; none if the other end has closed or said nothing
    // within the time-out.
    std::optional<QByteArray> receive(int timeoutMs)
    {
        for (;;) {
            if (const qsizetype end = buffer_.indexOf('\n'); end >= 0) {
                QByteArray line = buffer_.left(end);
                buffer_.remove(0, end + 1);
                return line;
            }
            char chunk[512];
            const ssize_t got = ::read(in_, chunk, sizeof chunk);
            if (got > 0) {
                buffer_.append(chunk, got);
                continue;
            }
            if (got < 0 && errno == EINTR) continue;
            if (got == 0 || errno != EAGAIN) return std::nullopt;
            QEventLoop loop;
            QSocketNotifier readable(in_, QSocketNotifier::Read);
            QObject::connect(&readable, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
            const auto connection = QObject::connect(&giveUp_, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
            giveUp_.start(timeoutMs);
            const int result = loop.exec();
            giveUp_.stop();
            QObject::disconnect(connection);
            if (result != 0) return std::nullopt;
        }
    }

private:
    int in_ = -1;
    int out_ = -1;
    QByteArray buffer_;
    QTimer giveUp_;
};

inline double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

// The value that this share of the values does not exceed.
inline double percentile(std::vector<double> v, double share)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(share * double(v.size())))];
}

// One frame of a 60 Hz display: a click whose window is up within it is, to
// the eye, at once.
inline constexpr double kFrameMs = 1000.0 / 60;

// Prints "KEY_median_ms=..." and the like for the clicks; `label` names the
// click at an index, for the slowest.
inline void summarise(const char* key, const std::vector<ClickTime>& times,
                      const std::function<QString(size_t)>& label)
{
    if (times.empty()) return;
    std::vector<double> ms, shown, paint;
    size_t worst = 0;
    for (size_t i = 0; i < times.size(); ++i) {
        ms.push_back(times[i].ms);
        shown.push_back(times[i].shownMs);
        paint.push_back(times[i].paintMs);
        if (times[i].ms > times[worst].ms) worst = i;
    }
    std::printf("%s_steps=%zu\n%s_median_ms=%.3f\n%s_max_ms=%.3f\n%s_worst=%s\n", key, times.size(), key, median(ms),
                key, times[worst].ms, key, qPrintable(label(worst)));
    std::printf("%s_to_show_median_ms=%.3f\n%s_paint_median_ms=%.3f\n", key, median(shown), key, median(paint));
    std::printf("%s_p99_ms=%.3f\n%s_p999_ms=%.3f\n", key, percentile(ms, 0.99), key, percentile(ms, 0.999));
    const auto withinFrame = std::count_if(ms.begin(), ms.end(), [](double t) { return t <= kFrameMs; });
    std::printf("%s_within_frame_pct=%.2f\n", key, 100.0 * double(withinFrame) / double(ms.size()));
}

}  // namespace bench
