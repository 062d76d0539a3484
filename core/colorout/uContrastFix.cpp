#include "core/colorout/uContrastFix.h"

#include "core/colorout/uColorSpaces.h"
#include "core/colorout/uContrast.h"
#include "core/colorout/uGamutMap.h"

namespace {

constexpr double kLightnessStep = 0.0001;

struct TSearch {
  double C = 0, h = 0;
  TColor comparison = 0;
  double minimumRatio = 0;

  TColor At(double L) const { return OkLchToColorMapped(L, C, h); }
  bool Passes(double L) const { return ContrastRatio(At(L), comparison) >= minimumRatio; }

  // The passing lightness nearest from, between from (failing) and end
  // (passing): the boundary bisected until the two are a step apart.
  double Boundary(double from, double end) const {
    double fail = from, pass = end;
    while ((pass > fail ? pass - fail : fail - pass) > kLightnessStep) {
      const double mid = (fail + pass) / 2;
      (Passes(mid) ? pass : fail) = mid;
    }
    return pass;
  }
};

}  // namespace

std::optional<TColor> NearestPassingColor(TColor current, TColor comparison, double minimumRatio) {
  current &= 0xFFFFFFu;
  if (ContrastRatio(current, comparison) >= minimumRatio) return current;
  TOkLch lch = ColorToOkLch(current);
  if (lch.C < kAchromaticChroma) lch.C = 0, lch.h = 0;
  const TSearch search{lch.C, lch.h, comparison, minimumRatio};
  std::optional<double> lighter, darker;
  if (search.Passes(1)) lighter = search.Boundary(lch.L, 1);
  if (search.Passes(0)) darker = search.Boundary(lch.L, 0);
  if (!lighter && !darker) return std::nullopt;
  // A tie goes to the lighter side.
  const bool useLighter = lighter && (!darker || *lighter - lch.L <= lch.L - *darker);
  return search.At(useLighter ? *lighter : *darker);
}
