#include "qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include "canberra_bell.h"

namespace ui {

QtPlatform::QtPlatform(QString bellHelper) : bellHelper_(std::move(bellHelper)) {}
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
            QMetaObject::invokeMethod(&standIns_, [this] { windowSystemBeep(); }, Qt::QueuedConnection);
        });
    }
    bell_->ring();
}

void QtPlatform::windowSystemBeep() { QApplication::beep(); }

bool QtPlatform::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

void QtPlatform::endProgram() { QCoreApplication::exit(0); }

}  // namespace ui
