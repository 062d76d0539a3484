#include "core/colorout/uColorSpaces.h"

#include <algorithm>
#include <cmath>

#include "core/colorout/uColorChannels.h"

namespace {

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

double SrgbToLinear(int channel) {
  const double c = std::clamp(channel, 0, 255) / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

TOkLab ColorToOkLab(TColor color) {
  // The CSS Color 4 route: linear sRGB to XYZ (D65), XYZ to cone responses,
  // cube root, then to Lab.
  const double r = SrgbToLinear(RedOf(color));
  const double g = SrgbToLinear(GreenOf(color));
  const double b = SrgbToLinear(BlueOf(color));
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

TOkLch ColorToOkLch(TColor color) {
  const TOkLab lab = ColorToOkLab(color);
  double h = std::atan2(lab.b, lab.a) * (180.0 / 3.14159265358979323846);
  if (h < 0) h += 360;
  if (h >= 360) h -= 360;
  return {lab.L, std::sqrt(lab.a * lab.a + lab.b * lab.b), h};
}

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
