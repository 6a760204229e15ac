#pragma once
#include <QString>

namespace ui {
class WindowSystem;
}

namespace app {

// The main window "Test": its buttons, menus and the hidden score board.
void defineMainWindow(ui::WindowSystem& windows);

// Names of the main window and the controls other parts of the program use.
inline const QString kMainWindow = QStringLiteral("Test");

}  // namespace app
