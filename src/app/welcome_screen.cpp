#include "welcome_screen.h"

#include "main_window.h"
#include "ui/window_system.h"

namespace app {
namespace {

using namespace ui;

constexpr Name kOk = "OKButton";

constexpr ControlSpec kControls[] = {
    {.name = "Label1", .kind = ControlKind::Label,
     .text = "Thank you for taking this little snelk test. All of its questions were taken, with "
             "only slight changes, from one issue of the Snelk Keepers' Gazette.",
     .rect = {120, 120, 3855, 1095}, .font = kSmallTextFont, .wordWrap = true},
    {.name = "Label3", .kind = ControlKind::Label,
     .text = "If you enjoy this program, please pass it on to others. Thank you.",
     .rect = {120, 1320, 3855, 495}, .font = kSmallTextFont, .wordWrap = true},
    {.name = kOk, .kind = ControlKind::PushButton, .text = "OK", .rect = {2160, 2040, 1215, 375},
     .tabIndex = 0},
    {.name = "Label2", .kind = ControlKind::Label, .text = "This program was written at Tarnwick Studios.",
     .rect = {480, 2760, 5055, 375}, .font = kSmallTextFont},
    {.name = "Image1", .kind = ControlKind::Image, .rect = {4080, 120, 1830, 2460},
     .picture = ":/pictures/welcome.png", .description = "A curious snelk sitting up on a tuft of grass"},
};

constexpr WindowSpec kDesign{.name = kWelcomeScreen, .caption = "The Snelk Test", .width = 6030,
                             .height = 3195, .controls = kControls};

}  // namespace

void defineWelcomeScreen(WindowSystem& windows)
{
    windows.define(kDesign, [&windows](Window& w) {
        w.onClick(kOk, [&windows] {
            windows.close(kWelcomeScreen);
            windows.show(kMainWindow);
        });
    });
}

}  // namespace app
