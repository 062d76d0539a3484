#include "core/colorout/uCssColor.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uColorNames.h"
#include "core/colorout/uColorSpaces.h"
#include "core/colorout/uGamutMap.h"
#include "core/support/uStrings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

bool IsSpace(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v' || c == 0x3000;
}
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsLetter(wchar_t c) { return AsciiLower(c) >= L'a' && AsciiLower(c) <= L'z'; }

int HexDigit(wchar_t c) {
  if (IsDigit(c)) return c - L'0';
  c = AsciiLower(c);
  return c >= L'a' && c <= L'f' ? c - L'a' + 10 : -1;
}

enum class TArgKind { Number, Percent, Angle, None };

struct TArg {
  TArgKind kind = TArgKind::Number;
  double value = 0;  // an angle in degrees
};

// A CSS number, its exponent included, then '%', an angle unit or nothing;
// the whole token must be used. Capped digit and exponent counts keep every
// value finite.
std::optional<TArg> ParseArg(std::wstring_view token) {
  if (AsciiEqualNoCase(token, L"none")) return TArg{TArgKind::None, 0};
  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == L'+' || token[i] == L'-')) negative = token[i++] == L'-';
  double mantissa = 0;
  int digits = 0, scale = 0;
  for (; i < token.size() && IsDigit(token[i]); ++i, ++digits)
    if (digits < 15)
      mantissa = mantissa * 10 + (token[i] - L'0');
    else
      ++scale;
  if (i < token.size() && token[i] == L'.') {
    for (++i; i < token.size() && IsDigit(token[i]); ++i, ++digits)
      if (digits < 15) mantissa = mantissa * 10 + (token[i] - L'0'), --scale;
  }
  if (digits == 0) return std::nullopt;
  if (i + 1 < token.size() && AsciiLower(token[i]) == L'e' &&
      (IsDigit(token[i + 1]) ||
       ((token[i + 1] == L'+' || token[i + 1] == L'-') && i + 2 < token.size() && IsDigit(token[i + 2])))) {
    ++i;
    bool negativeExponent = false;
    if (token[i] == L'+' || token[i] == L'-') negativeExponent = token[i++] == L'-';
    int exponent = 0;
    for (; i < token.size() && IsDigit(token[i]); ++i) exponent = std::min(exponent * 10 + (token[i] - L'0'), 1000);
    scale += negativeExponent ? -exponent : exponent;
  }
  scale = std::clamp(scale, -300, 100);
  // A division by an exact power of ten rounds once, as reading the decimal
  // does: 0.7 is read as 7 / 10, not 7 * 0.1.
  const double magnitude = scale < 0 ? mantissa / std::pow(10.0, -scale) : mantissa * std::pow(10.0, scale);
  TArg arg{TArgKind::Number, negative ? -magnitude : magnitude};
  const std::wstring_view unit = token.substr(i);
  if (unit.empty()) return arg;
  if (unit == L"%") return TArg{TArgKind::Percent, arg.value};
  struct TAngleUnit {
    std::wstring_view name;
    double degrees;
  };
  constexpr TAngleUnit kAngles[] = {{L"deg", 1}, {L"grad", 0.9}, {L"rad", 180 / kPi}, {L"turn", 360}};
  for (const TAngleUnit& angle : kAngles)
    if (AsciiEqualNoCase(unit, angle.name)) return TArg{TArgKind::Angle, arg.value * angle.degrees};
  return std::nullopt;
}

struct TArgs {
  std::array<TArg, 3> v;
  bool legacy = false;      // comma separated
  std::wstring_view space;  // color()'s first word
};

// "a, b, c" or "a, b, c, alpha" (legacy), or "a b c" with "/ alpha" (modern,
// after a leading word for color()).
std::optional<TArgs> ParseArgs(std::wstring_view inner, bool allowLegacy, bool withSpace) {
  TArgs args;
  std::array<std::wstring_view, 6> tokens;
  std::size_t count = 0;
  args.legacy = inner.find(L',') != std::wstring_view::npos;
  if (args.legacy && (!allowLegacy || inner.find(L'/') != std::wstring_view::npos)) return std::nullopt;
  std::size_t slash = 0;  // the token index an alpha starts at, 0 for none
  std::size_t i = 0;
  while (true) {
    while (i < inner.size() && IsSpace(inner[i])) ++i;
    if (i == inner.size()) break;
    if (count == tokens.size()) return std::nullopt;
    if (inner[i] == L'/' || inner[i] == L',') {
      if (inner[i] == L'/') {
        if (slash != 0) return std::nullopt;
        slash = count;
      }
      // A separator needs a value before it and after it.
      if (count == 0) return std::nullopt;
      ++i;
      while (i < inner.size() && IsSpace(inner[i])) ++i;
      if (i == inner.size() || inner[i] == L',' || inner[i] == L'/') return std::nullopt;
      continue;
    }
    std::size_t end = i;
    while (end < inner.size() && !IsSpace(inner[end]) && inner[end] != L',' && inner[end] != L'/') ++end;
    tokens[count++] = inner.substr(i, end - i);
    i = end;
    if (args.legacy) {
      while (i < inner.size() && IsSpace(inner[i])) ++i;
      if (i < inner.size() && inner[i] != L',') return std::nullopt;
    }
  }
  std::size_t first = 0;
  if (withSpace) {
    if (count == 0 || slash == 1) return std::nullopt;
    args.space = tokens[0];
    first = 1;
  }
  const std::size_t channels = (slash != 0 ? slash : count) - first;
  const std::size_t alphas = slash != 0 ? count - slash : 0;
  if (channels == 4 && args.legacy) {
    // The legacy alpha is the fourth comma-separated value.
  } else if (channels != 3 || alphas > 1) {
    return std::nullopt;
  }
  for (std::size_t k = 0; k < count - first; ++k) {
    const auto arg = ParseArg(tokens[first + k]);
    if (!arg || (args.legacy && arg->kind == TArgKind::None)) return std::nullopt;
    if (k < 3)
      args.v[k] = *arg;
    else if (arg->kind == TArgKind::Angle)
      return std::nullopt;  // an alpha is a number or a percentage
  }
  return args;
}

// A number, or a percentage of the given full scale; none counts as 0. The
// factor is applied once, so "65.4%" of 100 is the number 65.4 exactly.
std::optional<double> Scaled(const TArg& arg, double percentScale) {
  switch (arg.kind) {
    case TArgKind::Number:
      return arg.value;
    case TArgKind::Percent:
      return arg.value * (percentScale / 100);
    case TArgKind::None:
      return 0;
    case TArgKind::Angle:
      break;
  }
  return std::nullopt;
}

std::optional<double> Hue(const TArg& arg) {
  if (arg.kind == TArgKind::Percent) return std::nullopt;
  return arg.value;
}

double NormalHue(double degrees) {
  const double hue = std::fmod(degrees, 360.0);
  return hue < 0 ? hue + 360 : hue;
}

int UnitToChannel(double unit) {
  // The small allowance keeps 0.7 * 255 (178.49999...) on the side of the
  // half it stands for.
  return static_cast<int>(std::floor(std::clamp(unit, 0.0, 1.0) * 255 + 0.5 + 1e-9));
}

TCssColor Refused() { return {TCssColorStatus::Refused, 0, false}; }
TCssColor Of(TColor color) { return {TCssColorStatus::Color, color, false}; }

// A channel less than one 8-bit step past 0 or 255 counts as inside and is
// clipped: a four-decimal text of an 8-bit colour lands there, and calling
// it outside sRGB would mark the program's own copies.
std::optional<int> RoundedChannel(double linear) {
  const double steps = SrgbEncode(linear) * 255;
  if (!(steps >= -1 && steps < 256)) return std::nullopt;
  return std::clamp(static_cast<int>(std::floor(steps + 0.5)), 0, 255);
}

TCssColor FromLinear(const TLinearRgb& rgb) {
  const auto r = RoundedChannel(rgb.r), g = RoundedChannel(rgb.g), b = RoundedChannel(rgb.b);
  if (r && g && b) return Of(MakeColor(*r, *g, *b));
  const TOkLch lch = OkLabToOkLch(LinearToOkLab(rgb));
  return {TCssColorStatus::Color, OkLchToColorMapped(lch.L, lch.C, lch.h), true};
}

// CSS's hue step for channel n (0 red, 8 green, 4 blue): -1 to 1.
double HueStep(double hue, double n) {
  const double k = std::fmod(n + hue / 30, 12.0);
  return std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
}

TColor HslToColor(double hue, double sat, double light) {
  const double a = sat * std::min(light, 1 - light);
  const auto f = [&](double n) { return UnitToChannel(light - a * HueStep(hue, n)); };
  return MakeColor(f(0), f(8), f(4));
}

TColor HwbToColor(double hue, double w, double b) {
  if (w + b >= 1) {
    const int grey = UnitToChannel(w / (w + b));
    return MakeColor(grey, grey, grey);
  }
  // The pure hue scaled into what whiteness and blackness leave.
  const auto f = [&](double n) { return UnitToChannel((0.5 - 0.5 * HueStep(hue, n)) * (1 - w - b) + w); };
  return MakeColor(f(0), f(8), f(4));
}

std::optional<TCssColor> Rgb(const TArgs& args) {
  int channels[3];
  for (int i = 0; i < 3; ++i) {
    const auto value = Scaled(args.v[static_cast<std::size_t>(i)], 255);
    if (!value) return std::nullopt;
    channels[i] = UnitToChannel(*value / 255);
  }
  return Of(MakeColor(channels[0], channels[1], channels[2]));
}

TCssColor FromCieLab(double L, double a, double b) {
  return FromLinear(XyzD65ToLinear(XyzD50ToD65(LabToXyzD50({L, a, b}))));
}

struct TFunctionShape {
  std::wstring_view name;  // "" for color()'s spaces, matched by space
  std::wstring_view space;
  TCssFunction function;
  bool hue;           // the third number is a hue (the first for hsl, hwb)
  double percent[3];  // what 100% of each number is
};

constexpr TFunctionShape kShapes[] = {
    {L"hsl", {}, TCssFunction::Hsl, true, {0, 100, 100}},
    {L"hsla", {}, TCssFunction::Hsl, true, {0, 100, 100}},
    {L"hwb", {}, TCssFunction::Hwb, true, {0, 100, 100}},
    {L"lab", {}, TCssFunction::Lab, false, {100, 125, 125}},
    {L"lch", {}, TCssFunction::Lch, true, {100, 150, 0}},
    {L"oklab", {}, TCssFunction::Oklab, false, {1, 0.4, 0.4}},
    {L"oklch", {}, TCssFunction::Oklch, true, {1, 0.4, 0}},
    {L"color", L"srgb", TCssFunction::Srgb, false, {1, 1, 1}},
    {L"color", L"srgb-linear", TCssFunction::SrgbLinear, false, {1, 1, 1}},
    {L"color", L"display-p3", TCssFunction::DisplayP3, false, {1, 1, 1}},
    {L"color", L"xyz-d65", TCssFunction::XyzD65, false, {1, 1, 1}},
    {L"color", L"xyz", TCssFunction::XyzD65, false, {1, 1, 1}},
    {L"color", L"xyz-d50", TCssFunction::XyzD50, false, {1, 1, 1}},
};

std::optional<TCssColor> Hex(std::wstring_view text) {
  if (text.empty() || text[0] != L'#') return std::nullopt;
  const std::wstring_view digits = text.substr(1);
  if (digits.size() != 3 && digits.size() != 4 && digits.size() != 6 && digits.size() != 8) return std::nullopt;
  int v[8];
  for (std::size_t i = 0; i < digits.size(); ++i)
    if ((v[i] = HexDigit(digits[i])) < 0) return std::nullopt;
  if (digits.size() <= 4) return Of(MakeColor(v[0] * 17, v[1] * 17, v[2] * 17));
  return Of(MakeColor(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]));
}

std::optional<TCssColor> Function(std::wstring_view text) {
  const std::size_t open = text.find(L'(');
  if (open == std::wstring_view::npos || open == 0 || text.back() != L')') return std::nullopt;
  const std::wstring_view name = text.substr(0, open);
  if (!std::all_of(name.begin(), name.end(), [](wchar_t c) { return IsLetter(c); })) return std::nullopt;
  const std::wstring_view inner = text.substr(open + 1, text.size() - open - 2);
  const auto is = [&](std::wstring_view n) { return AsciiEqualNoCase(name, n); };
  const bool legacy = is(L"rgb") || is(L"rgba") || is(L"hsl") || is(L"hsla");
  const auto args = ParseArgs(inner, legacy, is(L"color"));
  if (!args) return std::nullopt;
  if (is(L"rgb") || is(L"rgba")) return Rgb(*args);
  for (const TFunctionShape& shape : kShapes) {
    if (!is(shape.name) || !AsciiEqualNoCase(args->space, shape.space)) continue;
    std::array<double, 3> v;
    // hsl() and hwb() lead with the hue, lch() and oklch() end with it.
    const std::size_t hueAt = shape.function == TCssFunction::Hsl || shape.function == TCssFunction::Hwb ? 0 : 2;
    for (std::size_t i = 0; i < 3; ++i) {
      const auto value = shape.hue && i == hueAt ? Hue(args->v[i]) : Scaled(args->v[i], shape.percent[i]);
      if (!value) return std::nullopt;
      v[i] = *value;
    }
    return CssColorFromNumbers(shape.function, v);
  }
  return std::nullopt;
}

}  // namespace

std::wstring_view TrimCssSpace(std::wstring_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

TCssColor ParseCssColor(std::wstring_view text) {
  text = TrimCssSpace(text);
  if (AsciiEqualNoCase(text, L"transparent") || AsciiEqualNoCase(text, L"none")) return Refused();
  if (auto color = Hex(text)) return *color;
  if (auto color = Function(text)) return *color;
  if (const auto named = CssNamedColor(text)) return Of(*named);
  return {};
}

TCssColor CssColorFromNumbers(TCssFunction function, const std::array<double, 3>& v) {
  // Caps far beyond any colour keep the arithmetic finite.
  const auto capped = [&](std::size_t i, double cap) { return std::clamp(v[i], -cap, cap); };
  switch (function) {
    case TCssFunction::Hsl:
      return Of(HslToColor(NormalHue(v[0]), std::clamp(v[1], 0.0, 100.0) / 100, std::clamp(v[2], 0.0, 100.0) / 100));
    case TCssFunction::Hwb:
      return Of(HwbToColor(NormalHue(v[0]), std::clamp(v[1], 0.0, 100.0) / 100, std::clamp(v[2], 0.0, 100.0) / 100));
    case TCssFunction::Lab:
      return FromCieLab(std::clamp(v[0], 0.0, 100.0), capped(1, 1e6), capped(2, 1e6));
    case TCssFunction::Lch: {
      const double C = std::clamp(v[1], 0.0, 1e6), h = NormalHue(v[2]) * (kPi / 180);
      return FromCieLab(std::clamp(v[0], 0.0, 100.0), C * std::cos(h), C * std::sin(h));
    }
    case TCssFunction::Oklab:
      return FromLinear(OkLabToLinear({std::clamp(v[0], 0.0, 1.0), capped(1, 1e4), capped(2, 1e4)}));
    case TCssFunction::Oklch: {
      const double C = std::clamp(v[1], 0.0, 1e4), h = NormalHue(v[2]) * (kPi / 180);
      return FromLinear(OkLabToLinear({std::clamp(v[0], 0.0, 1.0), C * std::cos(h), C * std::sin(h)}));
    }
    case TCssFunction::Srgb:
      return FromLinear({SrgbDecode(capped(0, 1e6)), SrgbDecode(capped(1, 1e6)), SrgbDecode(capped(2, 1e6))});
    case TCssFunction::SrgbLinear:
      return FromLinear({capped(0, 1e6), capped(1, 1e6), capped(2, 1e6)});
    case TCssFunction::DisplayP3:
      return FromLinear(XyzD65ToLinear(
          LinearP3ToXyzD65({SrgbDecode(capped(0, 1e6)), SrgbDecode(capped(1, 1e6)), SrgbDecode(capped(2, 1e6))})));
    case TCssFunction::XyzD65:
      return FromLinear(XyzD65ToLinear({capped(0, 1e6), capped(1, 1e6), capped(2, 1e6)}));
    case TCssFunction::XyzD50:
      return FromLinear(XyzD65ToLinear(XyzD50ToD65({capped(0, 1e6), capped(1, 1e6), capped(2, 1e6)})));
  }
  return {};
}
