#include "core/colorout/uColorSpaces.h"

#include <algorithm>
#include <cmath>

#include "core/colorout/uColorChannels.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Rounds the non-negative fraction num/den half up.
int RoundHalfUp(long long num, long long den) { return static_cast<int>((2 * num + den) / (2 * den)); }

// The hue in whole degrees, rounded half up from its exact rational value.
int HueDegrees(int red, int green, int blue) {
  const int hi = std::max({red, green, blue});
  const int lo = std::min({red, green, blue});
  const long long delta = hi - lo;
  if (delta == 0) return 0;
  // Hue = 60 * part / delta + offset, kept as a fraction over delta.
  long long num = 0;
  if (hi == red)
    num = 60LL * (green - blue);
  else if (hi == green)
    num = 60LL * (blue - red) + 120 * delta;
  else
    num = 60LL * (red - green) + 240 * delta;
  if (num < 0) num += 360 * delta;
  const int hue = RoundHalfUp(num, delta);
  return hue >= 360 ? hue - 360 : hue;
}

}  // namespace

double SrgbToLinear(int channel) { return SrgbDecode(std::clamp(channel, 0, 255) / 255.0); }

double SrgbDecode(double encoded) {
  const double c = std::fabs(encoded);
  const double linear = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  return std::copysign(linear, encoded);
}

double SrgbEncode(double linear) {
  const double c = std::fabs(linear);
  const double encoded = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
  return std::copysign(encoded, linear);
}

int LinearToChannel(double linear) {
  if (!(linear > 0)) return 0;  // NaN too
  if (linear >= 1) return 255;
  return static_cast<int>(std::floor(SrgbEncode(linear) * 255 + 0.5));
}

TColor LinearToColor(const TLinearRgb& rgb) {
  return MakeColor(LinearToChannel(rgb.r), LinearToChannel(rgb.g), LinearToChannel(rgb.b));
}

TLinearRgb ColorToLinear(TColor color) {
  return {SrgbToLinear(RedOf(color)), SrgbToLinear(GreenOf(color)), SrgbToLinear(BlueOf(color))};
}

TOkLab LinearToOkLab(const TLinearRgb& rgb) {
  // The CSS Color 4 route: linear sRGB to XYZ (D65), XYZ to cone responses,
  // cube root, then to Lab.
  const double r = rgb.r, g = rgb.g, b = rgb.b;
  const double x = 506752.0 / 1228815.0 * r + 87881.0 / 245763.0 * g + 12673.0 / 70218.0 * b;
  const double y = 87098.0 / 409605.0 * r + 175762.0 / 245763.0 * g + 12673.0 / 175545.0 * b;
  const double z = 7918.0 / 409605.0 * r + 87881.0 / 737289.0 * g + 1001167.0 / 1053270.0 * b;
  const double l = std::cbrt(0.8190224379967030 * x + 0.3619062600528904 * y - 0.1288737815209879 * z);
  const double m = std::cbrt(0.0329836539323885 * x + 0.9292868615863434 * y + 0.0361446663506424 * z);
  const double s = std::cbrt(0.0481771893596242 * x + 0.2642395317527308 * y + 0.6335478284694309 * z);
  return {0.2104542683093140 * l + 0.7936177747023054 * m - 0.0040720430116193 * s,
          1.9779985324311684 * l - 2.4285922420485799 * m + 0.4505937096174110 * s,
          0.0259040424655478 * l + 0.7827717124575296 * m - 0.8086757549230774 * s};
}

TLinearRgb OkLabToLinear(const TOkLab& lab) {
  // The inverses of the matrices above, as CSS Color 4 publishes them.
  const double l = lab.L + 0.3963377773761749 * lab.a + 0.2158037573099136 * lab.b;
  const double m = lab.L - 0.1055613458156586 * lab.a - 0.0638541728258133 * lab.b;
  const double s = lab.L - 0.0894841775298119 * lab.a - 1.2914855480194092 * lab.b;
  const double l3 = l * l * l, m3 = m * m * m, s3 = s * s * s;
  const double x = 1.2268798758459243 * l3 - 0.5578149944602171 * m3 + 0.2813910456659647 * s3;
  const double y = -0.0405757452148008 * l3 + 1.1122868032803170 * m3 - 0.0717110580655164 * s3;
  const double z = -0.0763729366746601 * l3 - 0.4214933324022432 * m3 + 1.5869240198367816 * s3;
  return {12831.0 / 3959.0 * x - 329.0 / 214.0 * y - 1974.0 / 3959.0 * z,
          -851781.0 / 878810.0 * x + 1648619.0 / 878810.0 * y + 36519.0 / 878810.0 * z,
          705.0 / 12673.0 * x - 2585.0 / 12673.0 * y + 705.0 / 667.0 * z};
}

TOkLab OkLchToOkLab(double L, double C, double hDegrees) {
  const double h = hDegrees * (kPi / 180);
  return {L, C * std::cos(h), C * std::sin(h)};
}

TOkLch OkLabToOkLch(const TOkLab& lab) {
  double h = std::atan2(lab.b, lab.a) * (180.0 / kPi);
  if (h < 0) h += 360;
  if (h >= 360) h -= 360;
  return {lab.L, std::sqrt(lab.a * lab.a + lab.b * lab.b), h};
}

TOkLab ColorToOkLab(TColor color) { return LinearToOkLab(ColorToLinear(color)); }

TOkLch ColorToOkLch(TColor color) { return OkLabToOkLch(ColorToOkLab(color)); }

THslPercent ColorToHslPercent(TColor color) {
  const int red = RedOf(color), green = GreenOf(color), blue = BlueOf(color);
  const int hi = std::max({red, green, blue});
  const int lo = std::min({red, green, blue});
  const int sum = hi + lo;
  // Saturation is delta / (1 - |2L - 1|) in 8-bit units: the denominator is
  // the sum, or 510 minus it above the middle.
  const int spread = sum <= 255 ? sum : 510 - sum;
  THslPercent hsl;
  hsl.hue = HueDegrees(red, green, blue);
  hsl.saturation = spread == 0 ? 0 : RoundHalfUp(100LL * (hi - lo), spread);
  hsl.lightness = RoundHalfUp(100LL * sum, 510);
  return hsl;
}

THwbPercent ColorToHwbPercent(TColor color) {
  const int red = RedOf(color), green = GreenOf(color), blue = BlueOf(color);
  const int hi = std::max({red, green, blue});
  const int lo = std::min({red, green, blue});
  return {HueDegrees(red, green, blue), RoundHalfUp(100LL * lo, 255), RoundHalfUp(100LL * (255 - hi), 255)};
}
