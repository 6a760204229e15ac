#pragma once
// A window's design state written as data: its caption, client size and
// controls, in twips (1/1440 inch) as the window's designer laid it out.

#include <cstdint>
#include <span>
#include <string_view>

#include <QRect>

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

enum class Kind { Label, PushButton, RadioButton, Image };

struct FontSpec {
    std::string_view family = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool underline = false;
};
inline constexpr FontSpec kDialogFont{};

using Rgb = std::uint32_t;
inline constexpr Rgb kDefaultColour = 0xFF000000;  // the palette's own text colour
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kRed = 0xFF0000;
inline constexpr Rgb kMagenta = 0xFF00FF;
inline constexpr Rgb kBlue = 0x0000FF;

enum class Fit { Stretch, Natural };

struct ControlSpec {
    std::string_view name{};
    Kind kind = Kind::Label;
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
    std::string_view name{};
    std::string_view text{};
};

struct MenuSpec {
    std::string_view name{};
    std::string_view text{};
    std::span<const MenuItemSpec> items{};
};

// A coloured strip across the top of the client area, behind the controls.
struct Band {
    int height = 0;  // twips; 0 for none
    Rgb colour = 0;
};

struct WindowSpec {
    std::string_view name{};
    std::string_view caption{};
    int width = 0;   // client area, twips
    int height = 0;
    std::span<const ControlSpec> controls{};
    std::span<const MenuSpec> menus = {};
    std::string_view defaultButton = {};  // answers Enter wherever the focus is
    std::string_view cancelButton = {};   // answers Escape
    Band band = {};
};

}  // namespace ui
