#pragma once
#include <QUrl>

namespace ui {
class WindowSystem;
}

namespace app {

// The about screen "frmAbout" with the link to the maker's web page.
void defineAboutScreen(ui::WindowSystem& windows);

inline const QUrl kMakersPage{QStringLiteral("https://www.tarnwick.example/")};

}  // namespace app
