#pragma once
// The built-in text formats a colour is copied as.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/color/uColor.h"

enum class TCopyFormat {
  HexUpper,   // #123456 (always red, green, blue)
  HexLower,   // #ff8000
  CssRgb,     // rgb(18, 52, 86)
  CssHsl,     // hsl(210, 65%, 20%)
  CssHwb,     // hwb(210 7% 66%)
  CssOklch,   // oklch(0.3192 0.0725 251.17)
  ColorRef,   // 0x563412, the Win32 COLORREF RGB(18, 52, 86)
  DelphiHex,  // $00563412, the same as a Delphi constant
  Floats,     // 0.071, 0.204, 0.337
  Decimal,    // 1193046, the decimal of 0x123456
  Name,       // the CSS name, or "≈" and the nearest one
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
// ignored. OKLCH gives L and C to four decimals and the hue to two, with
// hue 0 when the chroma rounds to 0.
std::wstring FormatColor(TCopyFormat format, TColor color);
