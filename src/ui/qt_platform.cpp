#include "qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace ui {
namespace {

// Two beeps of the display closer together than this sound as one.
constexpr qint64 kBeepSpacing = 300;  // milliseconds

}  // namespace

// Where no sound service hears a ring, the display's own beep stands
// in, given on the GUI thread where Qt wants it.
QtPlatform::QtPlatform(bell::Player bell)
    : bell_([this] { QMetaObject::invokeMethod(&standIns_, [this] { standInForARing(); }, Qt::QueuedConnection); },
            std::move(bell))
{
    clock_.start();
}

QtPlatform::~QtPlatform() = default;

void QtPlatform::beep() { bell_.ring(); }

// Rings no sound service took are beeped one after the other, each heard on
// its own: question 18's two as two.
void QtPlatform::standInForARing()
{
    const qint64 now = clock_.elapsed();
    const qint64 at = std::max(now, nextStandIn_);
    nextStandIn_ = at + kBeepSpacing;
    QTimer::singleShot(at - now, &standIns_, [this] { windowSystemBeep(); });
}

void QtPlatform::windowSystemBeep() { QApplication::beep(); }

bool QtPlatform::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

void QtPlatform::endProgram() { QCoreApplication::exit(0); }

}  // namespace ui
