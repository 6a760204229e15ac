#include "main_window.h"

#include <QPushButton>

#include "difficulty/difficulty_dialog.h"
#include "difficulty/reset.h"
#include "quiz/question_screens.h"
#include "ui/window_system.h"

namespace app {
namespace {

using namespace ui;

constexpr FontSpec kComic(double points) { return {"Comic Sans MS", points}; }
constexpr FontSpec kSans(double points, bool bold = false) { return {"MS Sans Serif", points, bold}; }

constexpr ControlSpec kControls[] = {
    {.name = "Label4", .kind = Kind::Label, .text = "The Snelk Test", .rect = {1560, 120, 3495, 615},
     .font = kComic(21.75), .colour = kWhite},
    {.name = "Label1", .kind = Kind::Label,
     .text = "This test is to check you knowledge about snelks. Part one will be multiple choice "
             "and part two will be True or False. Good Luck!",
     .rect = {240, 840, 6375, 975}, .font = kSans(12), .wordWrap = true},
    {.name = "restart", .kind = Kind::PushButton, .text = "&Reset Test", .rect = {2040, 1920, 1455, 495},
     .enabled = false, .tooltip = "Start the test over", .tabIndex = 1},
    {.name = "start", .kind = Kind::PushButton, .text = "Start &Test", .rect = {2040, 2760, 1455, 495},
     .tooltip = "Click to start the test", .tabIndex = 2},
    {.name = "dif", .kind = Kind::PushButton, .text = "Set &Diffuculty of Test",
     .rect = {360, 2280, 1215, 615}, .tooltip = "Click here set the level of diffuculty.", .tabIndex = 4},
    {.name = "cmdAbout", .kind = Kind::PushButton, .text = "&About", .rect = {7080, 120, 855, 495},
     .tooltip = "About the Snelk Test", .tabIndex = 3},
    {.name = "quit", .kind = Kind::PushButton, .text = "&Quit", .rect = {6600, 5040, 1695, 495},
     .tooltip = "Exit the program", .tabIndex = 0},
    {.name = "poor", .kind = Kind::Label,
     .text = "Not very good. You need to brush up on your snelk knowledge.",
     .rect = {4560, 2160, 3375, 1215}, .font = kComic(14.25), .colour = kRed, .wordWrap = true,
     .visible = false},
    {.name = "excelent", .kind = Kind::Label, .text = "Excellent!!!! 100% You are a snelk genious!!!",
     .rect = {4680, 2280, 3255, 975}, .font = kComic(14.25), .colour = kMagenta, .wordWrap = true,
     .visible = false},
    {.name = "good", .kind = Kind::Label, .text = "Good Job!!! You know you snelks well",
     .rect = {4920, 2400, 3015, 735}, .font = kComic(12), .colour = kBlue, .wordWrap = true,
     .visible = false},
    {.name = "per", .kind = Kind::Label, .text = "The percent of questions you got right:",
     .rect = {2400, 3960, 4095, 495}, .font = kSans(12), .visible = false},
    {.name = "percent", .kind = Kind::Label, .text = "0", .rect = {6600, 3960, 495, 375},
     .font = kSans(12, true), .visible = false},
    {.name = "per1", .kind = Kind::Label, .text = "%", .rect = {7200, 3960, 375, 375}, .font = kSans(12),
     .visible = false},
    {.name = "Label2", .kind = Kind::Label, .text = "The number of questions you got right:",
     .rect = {2280, 4680, 3495, 255}, .font = kSans(9.75), .visible = false},
    {.name = "right", .kind = Kind::Label, .text = "0", .rect = {5880, 4680, 375, 255},
     .font = kSans(9.75), .visible = false},
    {.name = "Label3", .kind = Kind::Label, .text = "The number of questions you got wrong:",
     .rect = {2280, 5160, 3615, 255}, .font = kSans(9.75), .visible = false},
    {.name = "wrong", .kind = Kind::Label, .text = "0", .rect = {6000, 5160, 375, 255},
     .font = kSans(9.75), .visible = false},
    {.name = "Image1", .kind = Kind::Image, .rect = {240, 4080, 1755, 1560},
     .tooltip = "Tarnwick herself.", .picture = ":/pictures/tarnwick.png",
     .description = "Tarnwick, the studio's snelk, with a star on her forehead and a red bow"},
};

constexpr MenuItemSpec kFileItems[] = {{"exit", "E&xit"}};
constexpr MenuItemSpec kHelpItems[] = {{"about", "&About"}};
constexpr MenuSpec kMenus[] = {{"file", "&File", kFileItems}, {"help", "&Help", kHelpItems}};

// A dark green strip behind the white title.
constexpr Band kTitleBand{.height = 795, .colour = 0x1F5C45};

constexpr WindowSpec kDesign{.name = "Test", .caption = "The Snelk Test", .width = 8595, .height = 5790,
                             .controls = kControls, .menus = kMenus, .band = kTitleBand};

}  // namespace

void defineMainWindow(WindowSystem& windows)
{
    windows.define(kMainWindow, [&windows] {
        auto* w = new Window(kDesign);
        w->setFollowers({quiz::screenName(1)});
        w->onClick(QStringLiteral("start"), [&windows] {
            windows.show(quiz::screenName(1));
            Window* main = windows.ensure(kMainWindow);
            main->control<QPushButton>(QStringLiteral("start"))->setEnabled(false);
            main->control<QPushButton>(QStringLiteral("restart"))->setEnabled(true);
            main->control<QPushButton>(QStringLiteral("dif"))->setEnabled(false);
        });
        w->onClick(QStringLiteral("dif"), [&windows] { difficulty::openDialog(windows); });
        w->onClick(QStringLiteral("restart"), [&windows] { difficulty::resetTest(windows); });
        const auto about = [&windows] { windows.show(QStringLiteral("frmAbout")); };
        w->onClick(QStringLiteral("cmdAbout"), about);
        w->onClick(QStringLiteral("about"), about);
        const auto quit = [&windows] { windows.endProgram(); };
        w->onClick(QStringLiteral("quit"), quit);
        w->onClick(QStringLiteral("exit"), quit);
        // Without the main window the score board would be lost: closing it
        // ends the program like "Quit".
        w->onFrameClose(quit);
        return w;
    });
}

}  // namespace app
