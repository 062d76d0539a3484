#include "core/colorout/uColorSpaces.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/colorout/uColorChannels.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLabEpsilon = 216.0 / 24389.0;
constexpr double kLabKappa = 24389.0 / 27.0;
// The D50 white as CSS Color 4 takes it, from its chromaticity.
constexpr double kD50[3] = {0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};

// Rounds the non-negative fraction num/den half up.
int RoundHalfUp(long long num, long long den) { return static_cast<int>((2 * num + den) / (2 * den)); }

// The hue as the fraction num / den of degrees, 0 <= hue < 360; 0 / 1 for
// a grey.
struct THueFraction {
  long long num = 0;
  long long den = 1;
};

THueFraction HueOf(int red, int green, int blue) {
  const int hi = std::max({red, green, blue});
  const int lo = std::min({red, green, blue});
  const long long delta = hi - lo;
  if (delta == 0) return {};
  long long num = 0;
  if (hi == red)
    num = 60LL * (green - blue);
  else if (hi == green)
    num = 60LL * (blue - red) + 120 * delta;
  else
    num = 60LL * (red - green) + 240 * delta;
  if (num < 0) num += 360 * delta;
  return {num, delta};
}

// The hue in whole degrees, rounded half up from its exact rational value.
int HueDegrees(int red, int green, int blue) {
  const THueFraction hue = HueOf(red, green, blue);
  const int degrees = RoundHalfUp(hue.num, hue.den);
  return degrees >= 360 ? degrees - 360 : degrees;
}

double HueExact(int red, int green, int blue) {
  const THueFraction hue = HueOf(red, green, blue);
  return static_cast<double>(hue.num) / static_cast<double>(hue.den);
}

}  // namespace

double SrgbToLinear(int channel) {
  static const std::array<double, 256> kLinear = [] {
    std::array<double, 256> linear{};
    for (int i = 0; i < 256; ++i) linear[static_cast<std::size_t>(i)] = SrgbDecode(i / 255.0);
    return linear;
  }();
  return kLinear[static_cast<std::size_t>(std::clamp(channel, 0, 255))];
}

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

TXyz LinearToXyzD65(const TLinearRgb& c) {
  return {506752.0 / 1228815.0 * c.r + 87881.0 / 245763.0 * c.g + 12673.0 / 70218.0 * c.b,
          87098.0 / 409605.0 * c.r + 175762.0 / 245763.0 * c.g + 12673.0 / 175545.0 * c.b,
          7918.0 / 409605.0 * c.r + 87881.0 / 737289.0 * c.g + 1001167.0 / 1053270.0 * c.b};
}

TLinearRgb XyzD65ToLinear(const TXyz& v) {
  return {12831.0 / 3959.0 * v.x - 329.0 / 214.0 * v.y - 1974.0 / 3959.0 * v.z,
          -851781.0 / 878810.0 * v.x + 1648619.0 / 878810.0 * v.y + 36519.0 / 878810.0 * v.z,
          705.0 / 12673.0 * v.x - 2585.0 / 12673.0 * v.y + 705.0 / 667.0 * v.z};
}

TLinearRgb XyzD65ToLinearP3(const TXyz& v) {
  return {446124.0 / 178915.0 * v.x - 333277.0 / 357830.0 * v.y - 72051.0 / 178915.0 * v.z,
          -14852.0 / 17905.0 * v.x + 63121.0 / 35810.0 * v.y + 423.0 / 17905.0 * v.z,
          11844.0 / 330415.0 * v.x - 50337.0 / 660830.0 * v.y + 316169.0 / 330415.0 * v.z};
}

TXyz LinearP3ToXyzD65(const TLinearRgb& c) {
  return {608311.0 / 1250200.0 * c.r + 189793.0 / 714400.0 * c.g + 198249.0 / 1000160.0 * c.b,
          35783.0 / 156275.0 * c.r + 247089.0 / 357200.0 * c.g + 198249.0 / 2500400.0 * c.b,
          32229.0 / 714400.0 * c.g + 5220557.0 / 5000800.0 * c.b};
}

TXyz XyzD65ToD50(const TXyz& v) {
  return {1.0479297925449969 * v.x + 0.022946870601609652 * v.y - 0.05019226628920524 * v.z,
          0.02962780877005599 * v.x + 0.9904344267538799 * v.y - 0.017073799063418826 * v.z,
          -0.009243040646204504 * v.x + 0.015055191490298152 * v.y + 0.7518742814281371 * v.z};
}

TXyz XyzD50ToD65(const TXyz& v) {
  return {0.955473421488075 * v.x - 0.02309845494876471 * v.y + 0.06325924320057072 * v.z,
          -0.0283697093338637 * v.x + 1.0099953980813041 * v.y + 0.021041441191917323 * v.z,
          0.012314014864481998 * v.x - 0.020507649298898964 * v.y + 1.330365926242124 * v.z};
}

TCieLab XyzD50ToLab(const TXyz& v) {
  const auto f = [](double t) { return t > kLabEpsilon ? std::cbrt(t) : (kLabKappa * t + 16) / 116; };
  const double fx = f(v.x / kD50[0]), fy = f(v.y / kD50[1]), fz = f(v.z / kD50[2]);
  return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

TXyz LabToXyzD50(const TCieLab& lab) {
  const double fy = (lab.L + 16) / 116;
  const double fx = lab.a / 500 + fy;
  const double fz = fy - lab.b / 200;
  const auto cubeOrLine = [](double f) { return f * f * f > kLabEpsilon ? f * f * f : (116 * f - 16) / kLabKappa; };
  const double y = lab.L > kLabKappa * kLabEpsilon ? fy * fy * fy : lab.L / kLabKappa;
  return {cubeOrLine(fx) * kD50[0], y * kD50[1], cubeOrLine(fz) * kD50[2]};
}

TOkLab XyzD65ToOkLab(const TXyz& v) {
  const double l = std::cbrt(0.8190224379967030 * v.x + 0.3619062600528904 * v.y - 0.1288737815209879 * v.z);
  const double m = std::cbrt(0.0329836539323885 * v.x + 0.9292868615863434 * v.y + 0.0361446663506424 * v.z);
  const double s = std::cbrt(0.0481771893596242 * v.x + 0.2642395317527308 * v.y + 0.6335478284694309 * v.z);
  return {0.2104542683093140 * l + 0.7936177747023054 * m - 0.0040720430116193 * s,
          1.9779985324311684 * l - 2.4285922420485799 * m + 0.4505937096174110 * s,
          0.0259040424655478 * l + 0.7827717124575296 * m - 0.8086757549230774 * s};
}

TXyz OkLabToXyzD65(const TOkLab& lab) {
  // The inverses of the matrices above, as CSS Color 4 publishes them.
  const double l = lab.L + 0.3963377773761749 * lab.a + 0.2158037573099136 * lab.b;
  const double m = lab.L - 0.1055613458156586 * lab.a - 0.0638541728258133 * lab.b;
  const double s = lab.L - 0.0894841775298119 * lab.a - 1.2914855480194092 * lab.b;
  const double l3 = l * l * l, m3 = m * m * m, s3 = s * s * s;
  return {1.2268798758459243 * l3 - 0.5578149944602171 * m3 + 0.2813910456659647 * s3,
          -0.0405757452148008 * l3 + 1.1122868032803170 * m3 - 0.0717110580655164 * s3,
          -0.0763729366746601 * l3 - 0.4214933324022432 * m3 + 1.5869240198367816 * s3};
}

// The CSS Color 4 route to OKLab: through XYZ (D65) and the cone responses.
TOkLab LinearToOkLab(const TLinearRgb& rgb) { return XyzD65ToOkLab(LinearToXyzD65(rgb)); }

TLinearRgb OkLabToLinear(const TOkLab& lab) { return XyzD65ToLinear(OkLabToXyzD65(lab)); }

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

THslExact ColorToHsl(TColor color) {
  const int red = RedOf(color), green = GreenOf(color), blue = BlueOf(color);
  const int hi = std::max({red, green, blue});
  const int lo = std::min({red, green, blue});
  const int sum = hi + lo;
  const int spread = sum <= 255 ? sum : 510 - sum;
  // One division each, so a value that is exactly a half stays one.
  return {HueExact(red, green, blue), spread == 0 ? 0 : 100.0 * (hi - lo) / spread, 100.0 * sum / 510};
}

THwbExact ColorToHwb(TColor color) {
  const int red = RedOf(color), green = GreenOf(color), blue = BlueOf(color);
  const int hi = std::max({red, green, blue});
  const int lo = std::min({red, green, blue});
  return {HueExact(red, green, blue), 100.0 * lo / 255, 100.0 * (255 - hi) / 255};
}
