#pragma once

namespace ui {

// The look shared by every window: one style and palette on every desktop, so
// the designed text colours always stand on the background they were chosen
// for, and the program's icon in every title bar.
void installLook();

// Choices for the whole process, made before the application object exists.
void setUpProcess();
// Takes back the settings setUpProcess() put in the environment for the
// toolkit, once the application object has read them, so that no process the
// program starts (the browser, the bell's helper) inherits them.
void takeBackProcessSwitches();

}  // namespace ui
