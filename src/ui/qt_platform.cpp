#include "qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QTimer>
#include <QUrl>

#include <algorithm>

#include "canberra_bell.h"

namespace ui {

namespace {

// Two beeps of the window system closer together than this sound as one.
constexpr qint64 kBeepSpacing = 300;  // milliseconds

}  // namespace

QtPlatform::QtPlatform(QString bellHelper) : bellHelper_(std::move(bellHelper)) { clock_.start(); }
QtPlatform::~QtPlatform() = default;

// The desktop's bell sound. Where no sound service answers, the window
// system's own beep stands in, given on the GUI thread where Qt wants it.
void QtPlatform::beep()
{
    if (!bell_) {
        std::vector<std::string> helpers;
        const auto add = [&helpers](const QString& path) { helpers.push_back(QFile::encodeName(path).toStdString()); };
        if (!bellHelper_.isEmpty()) {
            add(bellHelper_);
        } else {
            // Installed, the helper is in the libexec folder beside the
            // program's bin folder; in the build tree, next to the program.
            const QString folder = QCoreApplication::applicationDirPath();
            add(folder + QStringLiteral("/" SNELK_BELL_FROM_PROGRAM));
            add(folder + QStringLiteral("/snelk-bell"));
        }
        bell_ = std::make_unique<CanberraBell>(std::move(helpers), [this] {
            QMetaObject::invokeMethod(&standIns_, [this] { standInForARing(); }, Qt::QueuedConnection);
        });
    }
    bell_->ring();
}

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
