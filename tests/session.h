#pragma once
// A running program for a test: the real windows, a recording platform, and
// the moves a user makes — clicks, keys, frame closes.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include "app/program.h"
#include "ui/look.h"
#include "ui/recording_platform.h"

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

struct Session {
    ui::RecordingPlatform platform;
    app::Program program{platform};

    Session()
    {
        quietOffscreenNotes();
        ui::installLook();
    }

    ui::WindowSystem& windows() { return program.windows(); }

    // Lets queued work run and deleted windows go, as the event loop would
    // between two user actions.
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    ui::Window* window(const QString& name) const { return program_windows().find(name); }
    bool exists(const QString& name) const { return window(name) != nullptr; }
    bool onView(const QString& name) const
    {
        const ui::Window* w = window(name);
        return w && w->isVisible();
    }
    QStringList windowNames() const
    {
        QStringList names = program_windows().windowNames();
        names.sort();
        return names;
    }

    template <class T = QWidget>
    T* control(const QString& windowName, const QString& name) const
    {
        ui::Window* w = window(windowName);
        if (!w) qFatal("no window %s", qPrintable(windowName));
        return w->control<T>(name);
    }

    QString text(const QString& windowName, const QString& name) const
    {
        return control<QLabel>(windowName, name)->text();
    }

    // A left click in the middle of a control, as the mouse would do it.
    void click(const QString& windowName, const QString& name)
    {
        QWidget* c = control(windowName, name);
        QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, c->rect().center());
        settle();
    }

    // Brings the window forward and types a key into its focused control.
    void key(const QString& windowName, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ui::Window* w = window(windowName);
        if (!w) qFatal("no window %s", qPrintable(windowName));
        activate(w);
        QWidget* target = w->focusWidget() ? w->focusWidget() : w;
        QTest::keyClick(target, Qt::Key(key), modifiers);
        settle();
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
        QWidget* f = window(windowName)->focusWidget();
        return f ? f->objectName() : QString();
    }

    // The user closes the window with the close box of its frame.
    void closeFrame(const QString& windowName)
    {
        window(windowName)->close();
        settle();
    }

    bool ended() const { return platform.endRequests > 0; }

private:
    const ui::WindowSystem& program_windows() const { return const_cast<Session*>(this)->program.windows(); }
};
