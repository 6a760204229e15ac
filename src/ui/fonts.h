#pragma once
#include <QFont>

#include "design.h"

namespace ui {

// The font a design asks for, with a metric-compatible substitute where the
// family is missing (on Linux neither "MS Sans Serif" nor "Comic Sans MS"
// exists). Built once per distinct request.
const QFont& font(const FontSpec& spec);

// Whether a font has been made yet: the first sets up the font machinery of
// the whole program, which takes a while.
bool fontsSetUp();

}  // namespace ui
