// Full derivation from red/green/blue over every 24-bit colour, fixed point
// against a plain floating-point conversion of the same colours. Exits with 1
// when the fixed-point path is the slower one.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "core/color/uColorFactors.h"

namespace {

constexpr int ColourCount = 1 << 24;
constexpr int Rounds = 3;

struct TFloatFactors {
  double Hue, Sat, Bri;
  double HSLHue, HSLSat, HSLBri;
  double Y, Cb, Cr;
};

void FloatHSV(double r, double g, double b, double& h, double& s, double& v) {
  const double max = std::max({r, g, b});
  const double min = std::min({r, g, b});
  const double d = max - min;
  h = 0;
  if (d > 0) {
    if (max == r)
      h = (g - b) / d;
    else if (max == g)
      h = (b - r) / d + 2;
    else
      h = (r - g) / d + 4;
    h *= 60;
    if (h < 0) h += 360;
  }
  s = max > 0 ? d / max : 0;
  v = max;
}

void FloatHSL(double r, double g, double b, double& h, double& s, double& l) {
  const double max = std::max({r, g, b});
  const double min = std::min({r, g, b});
  const double d = max - min;
  l = (max + min) / 2;
  h = 0;
  s = 0;
  if (d > 0) {
    s = d / (1 - std::fabs(2 * l - 1));
    if (max == r)
      h = (g - b) / d;
    else if (max == g)
      h = (b - r) / d + 2;
    else
      h = (r - g) / d + 4;
    h *= 60;
    if (h < 0) h += 360;
  }
}

void FloatYCbCr(double r, double g, double b, double& y, double& cb, double& cr) {
  y = 0.299 * r + 0.587 * g + 0.114 * b;
  cb = 128 - 0.168736 * r - 0.331264 * g + 0.5 * b;
  cr = 128 + 0.5 * r - 0.418688 * g - 0.081312 * b;
}

void FloatDerive(int red, int green, int blue, TFloatFactors& f) {
  const double r = red / 255.0;
  const double g = green / 255.0;
  const double b = blue / 255.0;
  FloatHSV(r, g, b, f.Hue, f.Sat, f.Bri);
  FloatHSL(r, g, b, f.HSLHue, f.HSLSat, f.HSLBri);
  FloatYCbCr(red, green, blue, f.Y, f.Cb, f.Cr);
}

// Called through volatile pointers so neither path is inlined into its loop
// and specialised for it.
void (*volatile FixedPath)(TColorFactors&) = &DeriveFromRGB;
void (*volatile FloatPath)(int, int, int, TFloatFactors&) = &FloatDerive;

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

double TimeFixed(std::uint64_t& checksum) {
  const auto derive = FixedPath;
  const auto start = std::chrono::steady_clock::now();
  std::uint64_t sum = 0;
  for (int c = 0; c < ColourCount; ++c) {
    TColorFactors f;
    f.Red = c & 255;
    f.Grn = (c >> 8) & 255;
    f.Blu = c >> 16;
    derive(f);
    sum += static_cast<std::uint64_t>(f.Hue) + f.Sat + f.Bri + f.HSLHue + f.HSLSat + f.HSLBri + f.Y + f.Cb + f.Cr +
           f.Color;
  }
  const auto elapsed = std::chrono::steady_clock::now() - start;
  checksum = sum;
  return Seconds(elapsed);
}

double TimeFloat(double& checksum) {
  const auto derive = FloatPath;
  const auto start = std::chrono::steady_clock::now();
  double sum = 0;
  for (int c = 0; c < ColourCount; ++c) {
    TFloatFactors f;
    derive(c & 255, (c >> 8) & 255, c >> 16, f);
    sum += f.Hue + f.Sat + f.Bri + f.HSLHue + f.HSLSat + f.HSLBri + f.Y + f.Cb + f.Cr;
  }
  const auto elapsed = std::chrono::steady_clock::now() - start;
  checksum = sum;
  return Seconds(elapsed);
}

}  // namespace

int main() {
  double fixedBest = 1e30;
  double floatBest = 1e30;
  std::uint64_t fixedSum = 0;
  double floatSum = 0;
  // Interleaved rounds, best of each, so a noisy neighbour hurts both alike.
  for (int round = 0; round < Rounds; ++round) {
    fixedBest = std::min(fixedBest, TimeFixed(fixedSum));
    floatBest = std::min(floatBest, TimeFloat(floatSum));
  }
  const double fixedNs = fixedBest * 1e9 / ColourCount;
  const double floatNs = floatBest * 1e9 / ColourCount;
  std::printf("colours           %d\n", ColourCount);
  std::printf("fixed point       %.2f ns/colour (checksum %llu)\n", fixedNs, static_cast<unsigned long long>(fixedSum));
  std::printf("floating point    %.2f ns/colour (checksum %.6g)\n", floatNs, floatSum);
  std::printf("fixed / floating  %.3f\n", fixedNs / floatNs);
  if (fixedNs > floatNs) {
    std::printf("FAIL: the fixed-point derivation is slower than floating point\n");
    return 1;
  }
  return 0;
}
