#pragma once
// A CSS Color 4 colour value read into the 8-bit sRGB the program keeps.
#include <array>
#include <string_view>

#include "core/color/uColor.h"

enum class TCssColorStatus {
  Color,    // color holds it
  Refused,  // "transparent" or "none": CSS values that are no colour to keep
  NotColor,
};

struct TCssColor {
  TCssColorStatus status = TCssColorStatus::NotColor;
  TColor color = 0;
  bool outOfGamut = false;  // outside sRGB, brought in through OKLCH
};

// The text without the white space CSS allows around a value (and the
// ideographic space an input method types).
std::wstring_view TrimCssSpace(std::wstring_view text);

// White space around the text is allowed; function and colour names ignore
// ASCII case. Read: #RGB, #RGBA, #RRGGBB, #RRGGBBAA, rgb()/rgba(),
// hsl()/hsla(), hwb(), lab(), lch(), oklab(), oklch(), color(srgb ...),
// color(srgb-linear ...), color(display-p3 ...), color(xyz-d65 ...) (and
// xyz, xyz-d50) in their comma or space forms, and the named colours.
// Alpha is read and ignored.
TCssColor ParseCssColor(std::wstring_view text);

// The CSS functions that carry a colour as three numbers, in the units their
// texts show: hue in degrees, hsl() and hwb() in percent, lab() and lch()
// lightness 0..100, oklab() and oklch() lightness 0..1, color() channels.
enum class TCssFunction { Hsl, Hwb, Lab, Lch, Oklab, Oklch, Srgb, SrgbLinear, DisplayP3, XyzD65, XyzD50 };

// The colour a text of the function with these numbers reads as: what
// ParseCssColor gives once it has read the numbers.
TCssColor CssColorFromNumbers(TCssFunction function, const std::array<double, 3>& v);
