#include "core/colorout/uCopyFormats.h"

#include <algorithm>
#include <cmath>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uColorNames.h"
#include "core/colorout/uColorSpaces.h"
#include "core/colorout/uCssColor.h"
#include "core/colorout/uDecimalText.h"
#include "core/support/uStrings.h"

namespace {

constexpr TCopyFormat kBuiltIn[] = {
    TCopyFormat::HexUpper, TCopyFormat::HexLower, TCopyFormat::CssRgb,    TCopyFormat::CssHsl,
    TCopyFormat::CssHwb,   TCopyFormat::CssOklch, TCopyFormat::ColorRef,  TCopyFormat::DelphiHex,
    TCopyFormat::Floats,   TCopyFormat::Decimal,  TCopyFormat::Name,
    // Added later: after the others, so the menu's first access keys stay.
    TCopyFormat::CssLab,   TCopyFormat::CssLch,   TCopyFormat::CssOklab,  TCopyFormat::CssDisplayP3,
    TCopyFormat::CssSrgbLinear, TCopyFormat::CssXyzD65, TCopyFormat::Cmyk, TCopyFormat::Vec4,
    TCopyFormat::AndroidArgb, TCopyFormat::DotNetArgb, TCopyFormat::SwiftUi,
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
    {TCopyFormat::CssLab, L"lab", L"CSS lab()"},
    {TCopyFormat::CssLch, L"lch", L"CSS lch()"},
    {TCopyFormat::CssOklab, L"oklab", L"CSS oklab()"},
    {TCopyFormat::CssDisplayP3, L"display-p3", L"CSS color(display-p3)"},
    {TCopyFormat::CssSrgbLinear, L"srgb-linear", L"CSS color(srgb-linear)"},
    {TCopyFormat::CssXyzD65, L"xyz-d65", L"CSS color(xyz-d65)"},
    {TCopyFormat::Cmyk, L"cmyk", L"CMYK"},
    {TCopyFormat::Vec4, L"vec4", L"GLSL vec4"},
    {TCopyFormat::AndroidArgb, L"android", L"Android ARGB"},
    {TCopyFormat::DotNetArgb, L"dotnet", L".NET Color.FromArgb"},
    {TCopyFormat::SwiftUi, L"swiftui", L"SwiftUI Color"},
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

// "name(L C H)" with the hue 0 where the chroma shows as 0 and never 360.
std::wstring PolarText(const wchar_t* name, double L, double C, double hue, int decimals) {
  const std::wstring chroma = FixedText(C, decimals);
  std::wstring hueText = FixedText(hue, 2);
  if (chroma.find_first_not_of(L"0.") == std::wstring::npos || hueText == L"360.00") hueText = L"0.00";
  return std::wstring(name) + L"(" + FixedText(L, decimals) + L" " + chroma + L" " + hueText + L")";
}

std::wstring Triple(const wchar_t* head, double x, double y, double z, int decimals) {
  return std::wstring(head) + FixedText(x, decimals) + L" " + FixedText(y, decimals) + L" " + FixedText(z, decimals) + L")";
}

std::wstring Oklch(TColor color) {
  const TOkLch lch = ColorToOkLch(color);
  return PolarText(L"oklch", lch.L, lch.C, lch.h, 4);
}

TCieLab CieLabOf(TColor color) { return XyzD50ToLab(XyzD65ToD50(LinearToXyzD65(ColorToLinear(color)))); }

std::wstring Lch(TColor color) {
  const TCieLab lab = CieLabOf(color);
  double hue = std::atan2(lab.b, lab.a) * (180 / 3.14159265358979323846);
  if (hue < 0) hue += 360;
  return PolarText(L"lch", lab.L, std::hypot(lab.a, lab.b), hue, 2);
}

std::wstring DisplayP3(TColor color) {
  const TLinearRgb p3 = XyzD65ToLinearP3(LinearToXyzD65(ColorToLinear(color)));
  return Triple(L"color(display-p3 ", SrgbEncode(p3.r), SrgbEncode(p3.g), SrgbEncode(p3.b), 4);
}

// The hue with the given decimals, 0 where it would round to 360.
std::wstring HueText(double hue, int decimals) {
  const std::wstring text = FixedText(hue, decimals);
  return text.starts_with(L"360") ? FixedText(0, decimals) : text;
}

// The text of the fewest decimals, 0 to 2, that reads back as the colour.
template <typename TText>
std::wstring ShortestExact(TColor color, TText text) {
  for (int decimals = 0; decimals < 2; ++decimals) {
    std::wstring candidate = text(decimals);
    const TCssColor back = ParseCssColor(candidate);
    if (back.status == TCssColorStatus::Color && back.color == color) return candidate;
  }
  return text(2);
}

// A whole percent of num / den, rounded half up in integers.
int Percent(int num, int den) { return den == 0 ? 0 : (200 * num + den) / (2 * den); }

std::wstring Cmyk(int red, int green, int blue) {
  const int hi = std::max({red, green, blue});
  return L"cmyk(" + Num(Percent(hi - red, hi)) + L"%, " + Num(Percent(hi - green, hi)) + L"%, " +
         Num(Percent(hi - blue, hi)) + L"%, " + Num(Percent(255 - hi, 255)) + L"%)";
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
      const THslExact hsl = ColorToHsl(color);
      return ShortestExact(color, [&](int d) {
        return L"hsl(" + HueText(hsl.hue, d) + L", " + FixedText(hsl.saturation, d) + L"%, " +
               FixedText(hsl.lightness, d) + L"%)";
      });
    }
    case TCopyFormat::CssHwb: {
      const THwbExact hwb = ColorToHwb(color);
      return ShortestExact(color, [&](int d) {
        return L"hwb(" + HueText(hwb.hue, d) + L" " + FixedText(hwb.whiteness, d) + L"% " +
               FixedText(hwb.blackness, d) + L"%)";
      });
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
    case TCopyFormat::CssLab: {
      const TCieLab lab = CieLabOf(color);
      return Triple(L"lab(", lab.L, lab.a, lab.b, 2);
    }
    case TCopyFormat::CssLch:
      return Lch(color);
    case TCopyFormat::CssOklab: {
      const TOkLab lab = ColorToOkLab(color);
      return Triple(L"oklab(", lab.L, lab.a, lab.b, 4);
    }
    case TCopyFormat::CssDisplayP3:
      return DisplayP3(color);
    case TCopyFormat::CssSrgbLinear: {
      const TLinearRgb linear = ColorToLinear(color);
      return Triple(L"color(srgb-linear ", linear.r, linear.g, linear.b, 4);
    }
    case TCopyFormat::CssXyzD65: {
      const TXyz xyz = LinearToXyzD65(ColorToLinear(color));
      return Triple(L"color(xyz-d65 ", xyz.x, xyz.y, xyz.z, 4);
    }
    case TCopyFormat::Cmyk:
      return Cmyk(red, green, blue);
    case TCopyFormat::Vec4:
      return L"vec4(" + Unit(red) + L", " + Unit(green) + L", " + Unit(blue) + L", 1.0)";
    case TCopyFormat::AndroidArgb:
      return L"#FF" + Hex(rgb, 6, true);
    case TCopyFormat::DotNetArgb:
      return L"Color.FromArgb(255, " + Num(red) + L", " + Num(green) + L", " + Num(blue) + L")";
    case TCopyFormat::SwiftUi:
      return L"Color(red: " + Unit(red) + L", green: " + Unit(green) + L", blue: " + Unit(blue) + L")";
  }
  return {};
}
