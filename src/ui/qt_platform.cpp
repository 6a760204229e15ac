#include "qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include "canberra_bell.h"

namespace ui {

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

// The desktop's bell sound. Where no sound service answers, the window
// system's own beep stands in, given on the GUI thread where Qt wants it.
void QtPlatform::beep()
{
    if (!bell_) {
        bell_ = std::make_unique<CanberraBell>([] {
            if (QCoreApplication* application = QCoreApplication::instance())
                QMetaObject::invokeMethod(application, [] { QApplication::beep(); }, Qt::QueuedConnection);
        });
    }
    bell_->ring();
}

bool QtPlatform::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

void QtPlatform::endProgram() { QCoreApplication::exit(0); }

}  // namespace ui
