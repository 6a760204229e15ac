#pragma once

namespace ui {

// The look shared by every window: one style and palette on every desktop, so
// the designed text colours always stand on the background they were chosen
// for, and the program's icon in every title bar.
void installLook();

}  // namespace ui
