#pragma once
// The built-in text formats a colour is copied as.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/color/uColor.h"

enum class TCopyFormat {
  HexUpper,       // #123456 (always red, green, blue)
  HexLower,       // #ff8000
  CssRgb,         // rgb(18, 52, 86)
  CssHsl,         // hsl(210, 65%, 20%)
  CssHwb,         // hwb(210 7% 66%)
  CssOklch,       // oklch(0.3192 0.0725 251.17)
  ColorRef,       // 0x563412, the Win32 COLORREF RGB(18, 52, 86)
  DelphiHex,      // $00563412, the same as a Delphi constant
  Floats,         // 0.071, 0.204, 0.337
  Decimal,        // 1193046, the decimal of 0x123456
  Name,           // the CSS name, or "≈" and the nearest one
  CssLab,         // lab(44.12 10.95 -59.09), CIE Lab D50 as CSS takes it
  CssLch,         // lch(44.12 60.09 280.50)
  CssOklab,       // oklab(0.5325 -0.0225 -0.1663)
  CssDisplayP3,   // color(display-p3 0.2499 0.3952 0.7736)
  CssSrgbLinear,  // color(srgb-linear 0.0331 0.1329 0.6038)
  CssXyzD65,      // color(xyz-d65 0.1701 0.1457 0.5904)
  Cmyk,           // cmyk(75%, 50%, 0%, 20%), the naive one: k = 1 - max
  Vec4,           // vec4(0.200, 0.400, 0.800, 1.0), a shader's constant
  AndroidArgb,    // #FF3366CC, alpha first
  DotNetArgb,     // Color.FromArgb(255, 51, 102, 204)
  SwiftUi,        // Color(red: 0.200, green: 0.400, blue: 0.800)
};

// Every built-in format in the order a menu lists them.
std::span<const TCopyFormat> BuiltInCopyFormats();

// The name a format keeps whatever the interface language or the menu's
// order: the command line and the stored copy-on-pick choice use it.
std::wstring_view CopyFormatStableName(TCopyFormat format);
// What a menu calls the format, the same in every interface language
// ("CSS rgb()"), shown beside the format's output.
std::wstring_view CopyFormatLabel(TCopyFormat format);
// The format of a stable name, ASCII case ignored; none for another text.
std::optional<TCopyFormat> CopyFormatFromStableName(std::wstring_view name);

// The colour's text in the format; the bits above the 24 colour bits are
// ignored. Decimals round half away from zero and never show "-0"; oklch()
// and lch() give the hue 0 when the chroma shows as 0. The CSS formats that
// paste reads back take their own decimals (hsl() and hwb() none, lab() and
// lch() two, the others four, oklch()'s hue two) and up to two more where
// fewer would paste back as another colour.
std::wstring FormatColor(TCopyFormat format, TColor color);

// How many decimals beyond its own the format's text of the colour takes
// to read back exactly (0, 1 or 2); none for a format that is no CSS
// function of three numbers, or when even two more do not read back.
std::optional<int> CopyFormatExtraDecimals(TCopyFormat format, TColor color);
