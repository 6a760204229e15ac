#include "pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

namespace ui {
namespace {

// Every picture is a PNG, which Qt reads itself: no image plugin is loaded to
// look at it first. Nor is it kept in the pixmap cache after its window has
// closed.
QPixmap load(const QString& resource)
{
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

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
