#pragma once
// How the program's own widgets present themselves to screen readers.

namespace ui {

// Lets screen readers see a label that answers clicks as a link they can
// press, a picture as an image and every window but the main one as a
// dialog. Safe to call more than once; the first call counts.
void installAccessibility();

}  // namespace ui
