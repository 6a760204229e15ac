#include "about_screen.h"

#include <QUrl>

#include "program_identity.h"
#include "ui/platform.h"
#include "ui/window_system.h"

namespace app {
namespace {

using namespace ui;

constexpr Name kOk = "cmdOK", kLink = "Label7";

constexpr ControlSpec kControls[] = {
    {.name = "snelkh", .kind = ControlKind::Image, .rect = {120, 240, 1860, 1200},
     .picture = ":/pictures/about.png", .description = "A snelk peeking out of its burrow in a meadow"},
    {.name = "Label1", .kind = ControlKind::Label, .text = "The Snelk Test", .rect = {2160, 240, 2775, 495},
     .font = {"Comic Sans MS", 18}},
    {.name = "Label2", .kind = ControlKind::Label, .text = "For Windows", .rect = {2760, 840, 1575, 255},
     .font = {"MS Sans Serif", 9.75, true}},
    {.name = "Label3", .kind = ControlKind::Label, .text = "Version: " SNELK_SHORT_VERSION,
     .rect = {3000, 1200, 1215, 255}},
    {.name = "Label4", .kind = ControlKind::Label, .text = "(c) Tarnwick Studios. All rights reserved.",
     .rect = {2160, 1560, 3015, 255}},
    {.name = kLink, .kind = ControlKind::Label, .text = "Tarnwick's Website", .rect = {120, 1800, 1935, 375},
     .font = {"MS Sans Serif", 12, false, true}, .colour = kBlue,
     .tooltip = kMakersPage},
    {.name = kOk, .kind = ControlKind::PushButton, .text = "OK", .rect = {2880, 2160, 1467, 345},
     .tabIndex = 0},
    {.name = "Label9", .kind = ControlKind::Label, .text = "Email: tk@tarn.example",
     .rect = {120, 2280, 1815, 255}},
    {.name = "Label5", .kind = ControlKind::Label,
     .text = "Thanks to all who helped me test this program and get it to where it is now!",
     .rect = {960, 2640, 3615, 495}, .font = kSmallTextFont, .wordWrap = true},
    {.name = "Label6", .kind = ControlKind::Label, .text = "(Tarnwick says a squeaky hello.)",
     .rect = {1080, 3360, 3375, 255}},
};

constexpr WindowSpec kDesign{.name = kAboutScreen, .caption = "About Snelk Test", .width = 5235,
                             .height = 3660, .controls = kControls, .defaultButton = kOk, .cancelButton = kOk};

}  // namespace

void defineAboutScreen(WindowSystem& windows)
{
    windows.define(kDesign, [&windows](Window& w) {
        w.control(kLink)->setCursor(Qt::PointingHandCursor);
        w.onClick(kOk, [&windows] { windows.close(kAboutScreen); });
        // Whether or not a browser opens, the screen stays as it is.
        w.onClick(kLink, [&windows] { windows.platform().openUrl(QUrl(qs(kMakersPage))); });
    });
}

}  // namespace app
