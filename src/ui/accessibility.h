#pragma once
// How the program's own widgets present themselves to screen readers.

namespace ui {

// Lets screen readers see a label that answers clicks as a link they can
// press, and a picture as an image. Safe to call more than once; the first
// call counts.
void installAccessibility();

}  // namespace ui
