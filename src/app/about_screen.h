#pragma once
#include "ui/design.h"

namespace ui {
class WindowSystem;
}

namespace app {

// The about screen, with the link to the maker's web page.
inline constexpr ui::Name kAboutScreen = "frmAbout";
inline constexpr std::string_view kMakersPage = "https://www.tarnwick.example/";

void defineAboutScreen(ui::WindowSystem& windows);

}  // namespace app
