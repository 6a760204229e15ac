#pragma once
#include <QPixmap>
#include <QString>

namespace ui {

// A picture from the program's resources, taken from its "@2x" version where
// the screen has more than one device pixel per logical pixel.
QPixmap picture(const QString& resource);

}  // namespace ui
