#pragma once
// A window's design state written as data: its caption, client size and
// controls, in twips (1/1440 inch) as the window's designer laid it out.

#include <cstdint>
#include <span>
#include <string_view>

#include <QRect>
#include <QString>

namespace ui {

// 15 twips make one logical pixel at 96 DPI; Qt scales logical pixels on
// high-DPI screens.
inline constexpr int kTwipsPerPixel = 15;
constexpr int pixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QRect toPixels() const { return {pixels(left), pixels(top), pixels(width), pixels(height)}; }
};

// The name of a window or of a control in it, by which the rest of the
// program finds it. A name used in more than one place is a constant beside
// the design that gives it.
struct Name {
    constexpr Name() = default;
    constexpr Name(const char* name) : text(name) {}
    bool empty() const { return text.empty(); }
    operator QString() const { return QLatin1StringView(text.data(), qsizetype(text.size())); }
    std::string_view text;
};

// A text of the designs (UTF-8) as Qt takes it.
inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

enum class ControlKind { Label, PushButton, RadioButton, Image };

struct FontSpec {
    std::string_view family = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool underline = false;
};
// Every control without a font of its own.
inline constexpr FontSpec kDialogFont{};
// Questions, statements, explanations and the main window's introduction.
inline constexpr FontSpec kTextFont{"MS Sans Serif", 12};
// The welcome screen's words, the score board's counts and the about screen's thanks.
inline constexpr FontSpec kSmallTextFont{"MS Sans Serif", 9.75};

using Rgb = std::uint32_t;
inline constexpr Rgb kDefaultColour = 0xFF000000;  // the palette's own text colour
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kRed = 0xFF0000;
inline constexpr Rgb kMagenta = 0xFF00FF;
inline constexpr Rgb kBlue = 0x0000FF;

enum class Fit { Stretch, Natural };

struct ControlSpec {
    Name name{};
    ControlKind kind = ControlKind::Label;
    std::string_view text{};      // caption; "&" marks the access key of a button
    Twips rect{};
    FontSpec font = kDialogFont;
    Rgb colour = kDefaultColour;
    bool wordWrap = false;
    bool enabled = true;
    bool visible = true;
    std::string_view tooltip{};
    int tabIndex = -1;          // buttons only; the lowest enabled one has the focus first
    std::string_view picture{};   // images: resource path
    Fit fit = Fit::Stretch;
    std::string_view description{};  // images: what the picture shows, for screen readers
};

struct MenuItemSpec {
    Name name{};
    std::string_view text{};
};

struct MenuSpec {
    Name name{};
    std::string_view text{};
    std::span<const MenuItemSpec> items{};
};

// A coloured strip across the top of the client area, behind the controls.
struct Band {
    int height = 0;  // twips; 0 for none
    Rgb colour = 0;
};

struct WindowSpec {
    Name name{};
    std::string_view caption{};
    int width = 0;   // client area, twips
    int height = 0;
    std::span<const ControlSpec> controls{};
    std::span<const MenuSpec> menus = {};
    Name defaultButton = {};  // answers Enter wherever the focus is
    Name cancelButton = {};   // answers Escape
    Band band = {};
    // Screen readers meet the main window as a frame, every other window as
    // a dialog, whose text they read out as it comes up.
    bool isMainWindow = false;
};

}  // namespace ui
