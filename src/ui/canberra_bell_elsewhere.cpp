// The bell where there is no libcanberra (outside Linux): no ring is taken by
// a sound service, so each one is left to the window system's own beep, and
// no helper is built or started.

#include "canberra_bell.h"

namespace ui {

CanberraBell::CanberraBell(std::vector<std::string>, std::function<void()> unheard) : unheard_(std::move(unheard)) {}

CanberraBell::~CanberraBell() = default;

void CanberraBell::ring()
{
    if (unheard_) unheard_();
}

}  // namespace ui
