#pragma once
// A CSS Color 4 colour value read into the 8-bit sRGB the program keeps.
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
