#include "core/colorout/uCopyFormats.h"

#include <cmath>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uColorNames.h"
#include "core/colorout/uColorSpaces.h"
#include "core/colorout/uDecimalText.h"
#include "core/support/uStrings.h"

namespace {

constexpr TCopyFormat kBuiltIn[] = {
    TCopyFormat::HexUpper, TCopyFormat::HexLower, TCopyFormat::CssRgb,    TCopyFormat::CssHsl,
    TCopyFormat::CssHwb,   TCopyFormat::CssOklch, TCopyFormat::ColorRef,  TCopyFormat::DelphiHex,
    TCopyFormat::Floats,   TCopyFormat::Decimal,  TCopyFormat::Name,
};

struct TStableName {
  TCopyFormat Format;
  std::wstring_view Name;
  std::wstring_view Label;
};

constexpr TStableName kStableNames[] = {
    {TCopyFormat::HexUpper, L"hex", L"Hex"},
    {TCopyFormat::HexLower, L"hex-lower", L"Hex lower case"},
    {TCopyFormat::CssRgb, L"rgb", L"CSS rgb()"},
    {TCopyFormat::CssHsl, L"hsl", L"CSS hsl()"},
    {TCopyFormat::CssHwb, L"hwb", L"CSS hwb()"},
    {TCopyFormat::CssOklch, L"oklch", L"CSS oklch()"},
    {TCopyFormat::ColorRef, L"colorref", L"COLORREF"},
    {TCopyFormat::DelphiHex, L"delphi", L"Delphi"},
    {TCopyFormat::Floats, L"floats", L"Floats 0..1"},
    {TCopyFormat::Decimal, L"decimal", L"Decimal"},
    {TCopyFormat::Name, L"name", L"Name"},
};

std::wstring Hex(unsigned value, int digits, bool upper) {
  const wchar_t* set = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
  std::wstring text(static_cast<std::size_t>(digits), L'0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = set[value & 0xF];
  return text;
}

std::wstring Num(int value) { return std::to_wstring(value); }

// Three decimals of channel / 255, rounded half up; no channel lies exactly
// on a half, so the integer form is exact.
std::wstring Unit(int channel) {
  const int thousandths = (2000 * channel + 255) / 510;
  return FixedText(thousandths / 1000.0, 3);
}

std::wstring Oklch(TColor color) {
  const TOkLch lch = ColorToOkLch(color);
  const std::wstring chroma = FixedText(lch.C, 4);
  std::wstring hue = FixedText(lch.h, 2);
  if (chroma == L"0.0000" || hue == L"360.00") hue = L"0.00";
  return L"oklch(" + FixedText(lch.L, 4) + L" " + chroma + L" " + hue + L")";
}

}  // namespace

std::span<const TCopyFormat> BuiltInCopyFormats() { return kBuiltIn; }

std::wstring_view CopyFormatStableName(TCopyFormat format) {
  for (const TStableName& entry : kStableNames)
    if (entry.Format == format) return entry.Name;
  return {};
}

std::wstring_view CopyFormatLabel(TCopyFormat format) {
  for (const TStableName& entry : kStableNames)
    if (entry.Format == format) return entry.Label;
  return {};
}

std::optional<TCopyFormat> CopyFormatFromStableName(std::wstring_view name) {
  for (const TStableName& entry : kStableNames)
    if (AsciiEqualNoCase(entry.Name, name)) return entry.Format;
  return std::nullopt;
}

std::wstring FormatColor(TCopyFormat format, TColor color) {
  color &= 0xFFFFFFu;
  const int red = RedOf(color), green = GreenOf(color), blue = BlueOf(color);
  const unsigned rgb = static_cast<unsigned>(red) << 16 | static_cast<unsigned>(green) << 8 | static_cast<unsigned>(blue);
  switch (format) {
    case TCopyFormat::HexUpper:
      return L"#" + Hex(rgb, 6, true);
    case TCopyFormat::HexLower:
      return L"#" + Hex(rgb, 6, false);
    case TCopyFormat::CssRgb:
      return L"rgb(" + Num(red) + L", " + Num(green) + L", " + Num(blue) + L")";
    case TCopyFormat::CssHsl: {
      const THslPercent hsl = ColorToHslPercent(color);
      return L"hsl(" + Num(hsl.hue) + L", " + Num(hsl.saturation) + L"%, " + Num(hsl.lightness) + L"%)";
    }
    case TCopyFormat::CssHwb: {
      const THwbPercent hwb = ColorToHwbPercent(color);
      return L"hwb(" + Num(hwb.hue) + L" " + Num(hwb.whiteness) + L"% " + Num(hwb.blackness) + L"%)";
    }
    case TCopyFormat::CssOklch:
      return Oklch(color);
    case TCopyFormat::ColorRef:
      return L"0x" + Hex(color, 6, true);
    case TCopyFormat::DelphiHex:
      return L"$" + Hex(color, 8, true);
    case TCopyFormat::Floats:
      return Unit(red) + L", " + Unit(green) + L", " + Unit(blue);
    case TCopyFormat::Decimal:
      return std::to_wstring(rgb);
    case TCopyFormat::Name:
      return ColorNameText(color);
  }
  return {};
}
