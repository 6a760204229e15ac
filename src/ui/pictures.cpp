#include "pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

namespace ui {
namespace {

// Read as PNG by name: the format needs no probing of image plugins, and the
// picture is not kept in the pixmap cache after its window has closed.
QPixmap load(const QString& resource) { return QPixmap::fromImage(QImage(resource, "PNG")); }

}  // namespace

QPixmap picture(const QString& resource)
{
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QString sharp = resource;
        sharp.insert(sharp.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
        if (QFile::exists(sharp)) {
            QPixmap p = load(sharp);
            p.setDevicePixelRatio(2.0);
            return p;
        }
    }
    return load(resource);
}

}  // namespace ui
