#include "main_window.h"

#include <QPushButton>

#include "about_screen.h"
#include "difficulty/difficulty_dialog.h"
#include "difficulty/reset.h"
#include "quiz/course.h"
#include "quiz/question_screens.h"
#include "quiz/score_board.h"
#include "ui/window_system.h"

namespace app {
namespace {

using namespace ui;

constexpr FontSpec kComic(double points) { return {"Comic Sans MS", points}; }
constexpr FontSpec kBoldText{"MS Sans Serif", 12, true};

constexpr Name kAboutButton = "cmdAbout", kQuitButton = "quit", kExitItem = "exit", kAboutItem = "about";

constexpr ControlSpec kControls[] = {
    {.name = "Label4", .kind = ControlKind::Label, .text = "The Snelk Test", .rect = {1560, 120, 3495, 615},
     .font = kComic(21.75), .colour = kWhite},
    {.name = kIntroduction, .kind = ControlKind::Label,
     .text = "This test is to check you knowledge about snelks. Part one will be multiple choice "
             "and part two will be True or False. Good Luck!",
     .rect = {240, 840, 6375, 975}, .font = kTextFont, .wordWrap = true},
    {.name = kResetButton, .kind = ControlKind::PushButton, .text = "&Reset Test", .rect = {2040, 1920, 1455, 495},
     .enabled = false, .tooltip = "Start the test over", .tabIndex = 1},
    {.name = kStartButton, .kind = ControlKind::PushButton, .text = "Start &Test", .rect = {2040, 2760, 1455, 495},
     .tooltip = "Click to start the test", .tabIndex = 2},
    {.name = kDifficultyButton, .kind = ControlKind::PushButton, .text = "Set &Diffuculty of Test",
     .rect = {360, 2280, 1215, 615}, .tooltip = "Click here set the level of diffuculty.", .tabIndex = 4},
    {.name = kAboutButton, .kind = ControlKind::PushButton, .text = "&About", .rect = {7080, 120, 855, 495},
     .tooltip = "About the Snelk Test", .tabIndex = 3},
    {.name = kQuitButton, .kind = ControlKind::PushButton, .text = "&Quit", .rect = {6600, 5040, 1695, 495},
     .tooltip = "Exit the program", .tabIndex = 0},
    {.name = quiz::kPoorGrade, .kind = ControlKind::Label,
     .text = "Not very good. You need to brush up on your snelk knowledge.",
     .rect = {4560, 2160, 3375, 1215}, .font = kComic(14.25), .colour = kRed, .wordWrap = true,
     .visible = false},
    {.name = quiz::kExcellentGrade, .kind = ControlKind::Label, .text = "Excellent!!!! 100% You are a snelk genious!!!",
     .rect = {4680, 2280, 3255, 975}, .font = kComic(14.25), .colour = kMagenta, .wordWrap = true,
     .visible = false},
    {.name = quiz::kGoodGrade, .kind = ControlKind::Label, .text = "Good Job!!! You know you snelks well",
     .rect = {4920, 2400, 3015, 735}, .font = kComic(12), .colour = kBlue, .wordWrap = true,
     .visible = false},
    {.name = quiz::kPercentageCaption, .kind = ControlKind::Label, .text = "The percent of questions you got right:",
     .rect = {2400, 3960, 4095, 495}, .font = kTextFont, .visible = false},
    {.name = quiz::kPercentage, .kind = ControlKind::Label, .text = "0", .rect = {6600, 3960, 495, 375},
     .font = kBoldText, .visible = false},
    {.name = quiz::kPercentSign, .kind = ControlKind::Label, .text = "%", .rect = {7200, 3960, 375, 375}, .font = kTextFont,
     .visible = false},
    {.name = quiz::kRightCaption, .kind = ControlKind::Label, .text = "The number of questions you got right:",
     .rect = {2280, 4680, 3495, 255}, .font = kSmallTextFont, .visible = false},
    {.name = quiz::kRightCount, .kind = ControlKind::Label, .text = "0", .rect = {5880, 4680, 375, 255},
     .font = kSmallTextFont, .visible = false},
    {.name = quiz::kWrongCaption, .kind = ControlKind::Label, .text = "The number of questions you got wrong:",
     .rect = {2280, 5160, 3615, 255}, .font = kSmallTextFont, .visible = false},
    {.name = quiz::kWrongCount, .kind = ControlKind::Label, .text = "0", .rect = {6000, 5160, 375, 255},
     .font = kSmallTextFont, .visible = false},
    {.name = "Image1", .kind = ControlKind::Image, .rect = {240, 4080, 1755, 1560},
     .tooltip = "Tarnwick herself.", .picture = ":/pictures/tarnwick.png",
     .description = "Tarnwick, the studio's snelk, with a star on her forehead and a red bow"},
};

constexpr MenuItemSpec kFileItems[] = {{kExitItem, "E&xit"}};
constexpr MenuItemSpec kHelpItems[] = {{kAboutItem, "&About"}};
constexpr MenuSpec kMenus[] = {{"file", "&File", kFileItems}, {"help", "&Help", kHelpItems}};

// A dark green strip behind the white title.
constexpr Band kTitleBand{.height = 795, .colour = 0x1F5C45};

constexpr WindowSpec kDesign{.name = kMainWindow, .caption = "The Snelk Test", .width = 8595, .height = 5790,
                             .controls = kControls, .menus = kMenus, .band = kTitleBand, .isMainWindow = true};

}  // namespace

void defineMainWindow(WindowSystem& windows)
{
    windows.define(kDesign, [&windows](Window& w) {
        quiz::describeScoreBoard(w);
        w.onClick(kStartButton, [&windows] {
            windows.show(quiz::screenName(1));
            Window* main = windows.ensure(kMainWindow);
            main->control<QPushButton>(kStartButton)->setEnabled(false);
            main->control<QPushButton>(kResetButton)->setEnabled(true);
            main->control<QPushButton>(kDifficultyButton)->setEnabled(false);
        });
        w.onClick(kDifficultyButton, [&windows] { difficulty::openDialog(windows); });
        w.onClick(kResetButton, [&windows] { difficulty::resetTest(windows); });
        const auto about = [&windows] { windows.show(kAboutScreen); };
        w.onClick(kAboutButton, about);
        w.onClick(kAboutItem, about);
        const auto quit = [&windows] { windows.endProgram(); };
        w.onClick(kQuitButton, quit);
        w.onClick(kExitItem, quit);
        // Without the main window the score board would be lost: closing it
        // ends the program like "Quit".
        w.onFrameClose(quit);
    });
}

}  // namespace app
