#include "pictures.h"

#include <QFile>
#include <QGuiApplication>

namespace ui {

QPixmap picture(const QString& resource)
{
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QString sharp = resource;
        sharp.insert(sharp.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
        if (QFile::exists(sharp)) {
            QPixmap p(sharp);
            p.setDevicePixelRatio(2.0);
            return p;
        }
    }
    return QPixmap(resource);
}

}  // namespace ui
