#include "core/colorout/uGamutMap.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kGamutTolerance = 1e-7;
constexpr double kChromaStep = 0.0001;

bool Inside(double channel) { return channel >= -kGamutTolerance && channel <= 1 + kGamutTolerance; }

TLinearRgb LinearOf(double L, double C, double H) { return OkLabToLinear(OkLchToOkLab(L, C, H)); }

}  // namespace

bool InSrgbGamut(const TLinearRgb& rgb) { return Inside(rgb.r) && Inside(rgb.g) && Inside(rgb.b); }

TColor OkLchToColorMapped(double L, double C, double H, bool* wasOutside) {
  if (!std::isfinite(L)) L = 0;
  if (!std::isfinite(C) || C < 0) C = 0;
  if (!std::isfinite(H)) H = 0;
  if (wasOutside) *wasOutside = false;
  // Past either end of lightness no chroma fits; the ends themselves are
  // black and white.
  if (L <= 0 || L >= 1) {
    if (wasOutside) *wasOutside = L < -kGamutTolerance || L > 1 + kGamutTolerance || C >= kAchromaticChroma;
    return L <= 0 ? LinearToColor({0, 0, 0}) : LinearToColor({1, 1, 1});
  }
  TLinearRgb rgb = LinearOf(L, C, H);
  if (!InSrgbGamut(rgb)) {
    if (wasOutside) *wasOutside = true;
    // Chroma 0 at a lightness inside 0..1 is a grey and always fits; the
    // bisection keeps lo inside and hi outside.
    double lo = 0, hi = C;
    while (hi - lo > kChromaStep) {
      const double mid = (lo + hi) / 2;
      if (InSrgbGamut(LinearOf(L, mid, H)))
        lo = mid;
      else
        hi = mid;
    }
    rgb = LinearOf(L, lo, H);
  }
  return LinearToColor(rgb);
}
