#include "core/colorout/uCopyFormats.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uColorNames.h"
#include "core/colorout/uColorSpaces.h"
#include "core/colorout/uCssColor.h"
#include "core/colorout/uDecimalText.h"
#include "core/support/uStrings.h"

namespace {

// The formats added later come after the others, so the menu's first
// access keys stay.
constexpr TCopyFormat kBuiltIn[] = {
    TCopyFormat::HexUpper,   TCopyFormat::HexLower, TCopyFormat::CssRgb,       TCopyFormat::CssHsl,
    TCopyFormat::CssHwb,     TCopyFormat::CssOklch, TCopyFormat::ColorRef,     TCopyFormat::DelphiHex,
    TCopyFormat::Floats,     TCopyFormat::Decimal,  TCopyFormat::Name,         TCopyFormat::CssLab,
    TCopyFormat::CssLch,     TCopyFormat::CssOklab, TCopyFormat::CssDisplayP3, TCopyFormat::CssSrgbLinear,
    TCopyFormat::CssXyzD65,  TCopyFormat::Cmyk,     TCopyFormat::Vec4,         TCopyFormat::AndroidArgb,
    TCopyFormat::DotNetArgb, TCopyFormat::SwiftUi};

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

TCieLab CieLabOf(TColor color) { return XyzD50ToLab(XyzD65ToD50(LinearToXyzD65(ColorToLinear(color)))); }

double HueOf(double a, double b) {
  const double hue = std::atan2(b, a) * (180 / 3.14159265358979323846);
  return hue < 0 ? hue + 360 : hue;
}

// A format written as a CSS function of three numbers: the texts around
// the numbers and each number's own decimals.
struct TCssFormat {
  TCopyFormat format;
  TCssFunction function;
  std::array<const wchar_t*, 4> texts;
  std::array<int, 3> decimals;
};

constexpr TCssFormat kCssFormats[] = {
    {TCopyFormat::CssHsl, TCssFunction::Hsl, {L"hsl(", L", ", L"%, ", L"%)"}, {0, 0, 0}},
    {TCopyFormat::CssHwb, TCssFunction::Hwb, {L"hwb(", L" ", L"% ", L"%)"}, {0, 0, 0}},
    {TCopyFormat::CssOklch, TCssFunction::Oklch, {L"oklch(", L" ", L" ", L")"}, {4, 4, 2}},
    {TCopyFormat::CssLab, TCssFunction::Lab, {L"lab(", L" ", L" ", L")"}, {2, 2, 2}},
    {TCopyFormat::CssLch, TCssFunction::Lch, {L"lch(", L" ", L" ", L")"}, {2, 2, 2}},
    {TCopyFormat::CssOklab, TCssFunction::Oklab, {L"oklab(", L" ", L" ", L")"}, {4, 4, 4}},
    {TCopyFormat::CssDisplayP3, TCssFunction::DisplayP3, {L"color(display-p3 ", L" ", L" ", L")"}, {4, 4, 4}},
    {TCopyFormat::CssSrgbLinear, TCssFunction::SrgbLinear, {L"color(srgb-linear ", L" ", L" ", L")"}, {4, 4, 4}},
    {TCopyFormat::CssXyzD65, TCssFunction::XyzD65, {L"color(xyz-d65 ", L" ", L" ", L")"}, {4, 4, 4}},
};

const TCssFormat* CssFormatOf(TCopyFormat format) {
  for (const TCssFormat& f : kCssFormats)
    if (f.format == format) return &f;
  return nullptr;
}

// The exact numbers of the colour in the function.
std::array<double, 3> NumbersOf(TCssFunction function, TColor color) {
  switch (function) {
    case TCssFunction::Hsl: {
      const THslExact hsl = ColorToHsl(color);
      return {hsl.hue, hsl.saturation, hsl.lightness};
    }
    case TCssFunction::Hwb: {
      const THwbExact hwb = ColorToHwb(color);
      return {hwb.hue, hwb.whiteness, hwb.blackness};
    }
    case TCssFunction::Oklch: {
      const TOkLch lch = ColorToOkLch(color);
      return {lch.L, lch.C, lch.h};
    }
    case TCssFunction::Lab: {
      const TCieLab lab = CieLabOf(color);
      return {lab.L, lab.a, lab.b};
    }
    case TCssFunction::Lch: {
      const TCieLab lab = CieLabOf(color);
      return {lab.L, std::hypot(lab.a, lab.b), HueOf(lab.a, lab.b)};
    }
    case TCssFunction::Oklab: {
      const TOkLab lab = ColorToOkLab(color);
      return {lab.L, lab.a, lab.b};
    }
    case TCssFunction::DisplayP3: {
      const TLinearRgb p3 = XyzD65ToLinearP3(LinearToXyzD65(ColorToLinear(color)));
      return {SrgbEncode(p3.r), SrgbEncode(p3.g), SrgbEncode(p3.b)};
    }
    case TCssFunction::SrgbLinear: {
      const TLinearRgb linear = ColorToLinear(color);
      return {linear.r, linear.g, linear.b};
    }
    case TCssFunction::XyzD65: {
      const TXyz xyz = LinearToXyzD65(ColorToLinear(color));
      return {xyz.x, xyz.y, xyz.z};
    }
    case TCssFunction::Srgb:
    case TCssFunction::XyzD50:
      break;
  }
  return {};
}

// The numbers as the text shows them with extra decimals: rounded, a hue
// that rounds to 360 shown as 0, and so is the hue of a chroma shown as 0.
std::array<double, 3> Shown(const TCssFormat& f, const std::array<double, 3>& exact, int extra) {
  std::array<double, 3> shown;
  for (std::size_t i = 0; i < 3; ++i) shown[i] = FixedValue(exact[i], f.decimals[i] + extra);
  const bool polar = f.function == TCssFunction::Lch || f.function == TCssFunction::Oklch;
  const std::size_t hue = polar ? 2 : 0;
  if (polar || f.function == TCssFunction::Hsl || f.function == TCssFunction::Hwb)
    if (shown[hue] >= 360 || (polar && shown[1] == 0)) shown[hue] = 0;
  return shown;
}

std::optional<int> ExtraDecimals(const TCssFormat& f, TColor color) {
  const std::array<double, 3> exact = NumbersOf(f.function, color);
  for (int extra = 0; extra <= 2; ++extra) {
    const TCssColor back = CssColorFromNumbers(f.function, Shown(f, exact, extra));
    if (back.status == TCssColorStatus::Color && back.color == color && !back.outOfGamut) return extra;
  }
  return std::nullopt;
}

std::wstring CssText(const TCssFormat& f, TColor color) {
  const int extra = ExtraDecimals(f, color).value_or(2);
  const std::array<double, 3> shown = Shown(f, NumbersOf(f.function, color), extra);
  std::wstring text = f.texts[0];
  for (std::size_t i = 0; i < 3; ++i) text += FixedText(shown[i], f.decimals[i] + extra) + f.texts[i + 1];
  return text;
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

std::optional<int> CopyFormatExtraDecimals(TCopyFormat format, TColor color) {
  const TCssFormat* css = CssFormatOf(format);
  return css ? ExtraDecimals(*css, color & 0xFFFFFFu) : std::nullopt;
}

std::wstring FormatColor(TCopyFormat format, TColor color) {
  color &= 0xFFFFFFu;
  if (const TCssFormat* css = CssFormatOf(format)) return CssText(*css, color);
  const int red = RedOf(color), green = GreenOf(color), blue = BlueOf(color);
  const unsigned rgb = static_cast<unsigned>(red) << 16 | static_cast<unsigned>(green) << 8 | static_cast<unsigned>(blue);
  switch (format) {
    case TCopyFormat::HexUpper:
      return L"#" + Hex(rgb, 6, true);
    case TCopyFormat::HexLower:
      return L"#" + Hex(rgb, 6, false);
    case TCopyFormat::CssRgb:
      return L"rgb(" + Num(red) + L", " + Num(green) + L", " + Num(blue) + L")";
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
    case TCopyFormat::CssHsl:
    case TCopyFormat::CssHwb:
    case TCopyFormat::CssOklch:
    case TCopyFormat::CssLab:
    case TCopyFormat::CssLch:
    case TCopyFormat::CssOklab:
    case TCopyFormat::CssDisplayP3:
    case TCopyFormat::CssSrgbLinear:
    case TCopyFormat::CssXyzD65:
      break;  // above
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
