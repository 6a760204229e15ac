#include "qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace ui {

void QtPlatform::beep() { QApplication::beep(); }

bool QtPlatform::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

void QtPlatform::endProgram() { QCoreApplication::exit(0); }

}  // namespace ui
