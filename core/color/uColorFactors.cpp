#include "core/color/uColorFactors.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "core/support/uArith.h"

// The conversions take the record's fields through int&.
static_assert(std::is_same_v<std::int32_t, int>);

namespace {

constexpr std::int32_t TColorFactors::*FactorFields[ColorFactorCount] = {
    &TColorFactors::Red,    &TColorFactors::Grn, &TColorFactors::Blu,    &TColorFactors::Hue,
    &TColorFactors::Sat,    &TColorFactors::Bri, &TColorFactors::HSLHue, &TColorFactors::HSLSat,
    &TColorFactors::HSLBri, &TColorFactors::Y,   &TColorFactors::Cb,     &TColorFactors::Cr,
};

constexpr int FactorMaxima[ColorFactorCount] = {
    255, 255, 255, 360, 100, 100, 360, 100, 100, 255, 255, 255,
};

void CheckIndex(int index, const char* routine) {
  if (index < 0 || index >= ColorFactorCount) throw std::out_of_range(std::string(routine) + ": Illegal index");
}

int Limit8(int level16) { return std::clamp(level16 / 256, 0, 255); }

int Limit16(int level16) { return std::clamp(level16, 0, 65280); }

TColor MakeColor(int red, int green, int blue) {
  return static_cast<TColor>(blue) << 16 | static_cast<TColor>(green) << 8 | static_cast<TColor>(red);
}

// Both take max and min from the caller so that a full derivation finds them
// once; the two orders of comparison in RGBToHSV and RGBToHSL find the same.
void HSVFromExtremes(int Red, int Grn, int Blu, int max, int min, int& Hue, int& Sat, int& Bri) {
  Bri = max;
  if (max == min) {
    Sat = 0;
    Hue = 0;
    return;
  }
  const int d = max - min;
  Sat = (d * 256 + max / 2) / max;
  // The rounding term goes on the numerator even when it is negative, so
  // magenta comes out at 300001, not 300000.
  if (Red == max) {
    Hue = ((Grn - Blu) * 60000 + d / 2) / d;
    if (Hue < 0) Hue += 360000;
  } else if (Grn == max) {
    Hue = ((Blu - Red) * 60000 + d / 2) / d + 120000;
  } else {
    Hue = ((Red - Grn) * 60000 + d / 2) / d + 240000;
  }
}

void HSLFromExtremes(int Red, int Grn, int Blu, int max, int min, int& HSLHue, int& HSLSat, int& HSLBri) {
  const int sum = max + min;
  HSLBri = (sum + 1) * 128;
  const int d = max - min;
  if (d == 0) {
    HSLSat = 0;
    HSLHue = 0;
    return;
  }
  // d x 65280 is D x 255 with D = d x 256; a lightness of at most 32640 is
  // a sum of at most 254.
  HSLSat = d * 65280 / (sum <= 254 ? sum : 510 - sum);
  // distance x 65280 div D is the same quotient as distance x 255 div d;
  // each case needs only one of the three distances.
  int s;
  if (Red == max)
    s = Grn == min ? 1275 + (max - Blu) * 255 / d : 255 - (max - Grn) * 255 / d;
  else if (Grn == max)
    s = Blu == min ? 255 + (max - Red) * 255 / d : 765 - (max - Blu) * 255 / d;
  else
    s = Red == min ? 765 + (max - Grn) * 255 / d : 1275 - (max - Red) * 255 / d;
  HSLHue = s * 1024 / 255;
}

void DeriveHSV(TColorFactors& f) { RGBToHSV(f.Red, f.Grn, f.Blu, f.Hue, f.Sat, f.Bri); }

void DeriveHSL(TColorFactors& f) { RGBToHSL(f.Red, f.Grn, f.Blu, f.HSLHue, f.HSLSat, f.HSLBri); }

void DeriveYCbCr(TColorFactors& f) { RGBToYCbCr(f.Red * 256, f.Grn * 256, f.Blu * 256, f.Y, f.Cb, f.Cr); }

void DeriveColor(TColorFactors& f) { f.Color = MakeColor(f.Red, f.Grn, f.Blu); }

}  // namespace

std::int32_t& Factor(TColorFactors& factors, int index) {
  CheckIndex(index, "Factor");
  return factors.*FactorFields[index];
}

std::int32_t Factor(const TColorFactors& factors, int index) {
  CheckIndex(index, "Factor");
  return factors.*FactorFields[index];
}

void RGBToHSV(int Red, int Grn, int Blu, int& Hue, int& Sat, int& Bri) {
  int max;
  int min;
  if (Grn > Red) {
    max = Blu > Grn ? Blu : Grn;
    min = Red > Blu ? Blu : Red;
  } else {
    max = Blu > Red ? Blu : Red;
    min = Grn > Blu ? Blu : Grn;
  }
  HSVFromExtremes(Red, Grn, Blu, max, min, Hue, Sat, Bri);
}

void HSVToRGB(int Hue, int Sat, int Bri, int& Red, int& Grn, int& Blu) {
  if (Sat == 0) {
    Red = Grn = Blu = Bri;
    return;
  }
  const int h = Hue % 360000;
  const int f = h % 60000;
  const int k = (Sat * f + 30000) / 60000;
  const int p = ((256 - Sat) * Bri + 128) / 256;
  const int q = ((256 - k) * Bri + 128) / 256;
  const int t = ((256 - Sat + k) * Bri + 128) / 256;
  switch (h / 60000) {
    case 0:
      Red = Bri;
      Grn = t;
      Blu = p;
      break;
    case 1:
      Red = q;
      Grn = Bri;
      Blu = p;
      break;
    case 2:
      Red = p;
      Grn = Bri;
      Blu = t;
      break;
    case 3:
      Red = p;
      Grn = q;
      Blu = Bri;
      break;
    case 4:
      Red = t;
      Grn = p;
      Blu = Bri;
      break;
    default:
      Red = Bri;
      Grn = p;
      Blu = q;
      break;
  }
}

void RGBToHSL(int Red, int Grn, int Blu, int& HSLHue, int& HSLSat, int& HSLBri) {
  int min;
  int max;
  if (Red >= Grn) {
    min = Grn;
    max = Red;
  } else {
    min = Red;
    max = Grn;
  }
  if (max < Blu) max = Blu;
  if (min > Blu) min = Blu;
  HSLFromExtremes(Red, Grn, Blu, max, min, HSLHue, HSLSat, HSLBri);
}

void HSLToRGB(int HSLHue, int HSLSat, int HSLBri, int& Red, int& Grn, int& Blu) {
  int v;
  if (HSLBri <= 32640)
    v = (HSLSat + 65280) / 4 * HSLBri / 16320;
  else
    v = HSLSat + HSLBri - HSLBri / 4 * HSLSat / 16320;
  if (v <= 0) {
    Red = Grn = Blu = 0;
    return;
  }
  const int m = 2 * HSLBri - v;
  const int sextant = HSLHue / 1024;
  const int f = HSLHue - sextant * 1024;
  const int t = (v - m) * f / 1024;
  const int mid1 = m + t;
  const int mid2 = v - t;
  int r;
  int g;
  int b;
  switch (sextant) {
    case 1:
      r = mid2;
      g = v;
      b = m;
      break;
    case 2:
      r = m;
      g = v;
      b = mid1;
      break;
    case 3:
      r = m;
      g = mid2;
      b = v;
      break;
    case 4:
      r = mid1;
      g = m;
      b = v;
      break;
    case 5:
      r = v;
      g = m;
      b = mid2;
      break;
    default:
      r = v;
      g = mid1;
      b = m;
      break;  // 0, and 6 for a hue of 6144
  }
  Red = Limit8(r);
  Grn = Limit8(g);
  Blu = Limit8(b);
}

void RGBToYCbCr(int Red, int Grn, int Blu, int& Y, int& Cb, int& Cr) {
  Y = (1225 * Red + 2404 * Grn + 467 * Blu) / 4096;
  Cb = (2048 * Blu - 691 * Red - 1357 * Grn) / 4096 + 32640;
  Cr = (2048 * Red - 1715 * Grn - 333 * Blu) / 4096 + 32640;
}

void YCbCrToRGB(int Y, int Cb, int Cr, int& Red, int& Grn, int& Blu) {
  const int cb = Cb - 32640;
  const int cr = Cr - 32640;
  Red = Limit16(Y + cr * 5743 / 4096);
  Grn = Limit16(Y + (cb * -1410 - cr * 2925) / 4096);
  Blu = Limit16(Y + cb * 7258 / 4096);
}

int FactorMax(int index) {
  CheckIndex(index, "FactorMax");
  return FactorMaxima[index];
}

int FactorToShown(int index, int stored) {
  CheckIndex(index, "FactorToShown");
  const double x = stored;
  switch (index) {
    case 3:
      return RoundHalfAway(x / 1000.0);
    case 4:
      return RoundHalfAway(x * 100.0 / 256.0);
    case 5:
      return RoundHalfAway(x * 100.0 / 255.0);
    case 6:
      return RoundHalfAway(x * 360.0 / 6144.0);
    case 7:
    case 8:
      return RoundHalfAway(x * 100.0 / 256.0 / 255.0);
    case 9:
    case 10:
    case 11:
      return RoundHalfAway(x / 256.0);
    default:
      return stored;
  }
}

int ShownToFactor(int index, int typed) {
  CheckIndex(index, "ShownToFactor");
  const int n = std::clamp(typed, 0, FactorMaxima[index]);
  switch (index) {
    case 3:
      return n * 1000;
    case 4:
      return (n * 256 + 50) / 100;
    case 5:
      return (n * 255 + 50) / 100;
    case 6:
      return RoundHalfAway(n * 6144 / 360.0);
    case 7:
    case 8:
      return (n * 65280 + 50) / 100;
    case 9:
    case 10:
    case 11:
      return n * 256;
    default:
      return n;
  }
}

void DeriveFromRGB(TColorFactors& factors) {
  // List cells reach here unnormalised; outside 0..255 the HSL step could
  // divide by zero and the products overflow. Testing first keeps the
  // clamps off the common path, where they cost measurably.
  if (static_cast<unsigned>(factors.Red | factors.Grn | factors.Blu) > 255u) {
    factors.Red = std::clamp(factors.Red, 0, 255);
    factors.Grn = std::clamp(factors.Grn, 0, 255);
    factors.Blu = std::clamp(factors.Blu, 0, 255);
  }
  const int red = factors.Red;
  const int green = factors.Grn;
  const int blue = factors.Blu;
  const int max = std::max({red, green, blue});
  const int min = std::min({red, green, blue});
  HSVFromExtremes(red, green, blue, max, min, factors.Hue, factors.Sat, factors.Bri);
  HSLFromExtremes(red, green, blue, max, min, factors.HSLHue, factors.HSLSat, factors.HSLBri);
  DeriveYCbCr(factors);
  DeriveColor(factors);
}

void DeriveFromHSV(TColorFactors& factors) {
  HSVToRGB(factors.Hue, factors.Sat, factors.Bri, factors.Red, factors.Grn, factors.Blu);
  DeriveHSL(factors);
  DeriveYCbCr(factors);
  DeriveColor(factors);
}

void DeriveFromHSL(TColorFactors& factors) {
  HSLToRGB(factors.HSLHue, factors.HSLSat, factors.HSLBri, factors.Red, factors.Grn, factors.Blu);
  DeriveHSV(factors);
  DeriveYCbCr(factors);
  DeriveColor(factors);
}

void DeriveFromYCbCr(TColorFactors& factors) {
  int red;
  int green;
  int blue;
  YCbCrToRGB(factors.Y, factors.Cb, factors.Cr, red, green, blue);
  factors.Red = red / 256;
  factors.Grn = green / 256;
  factors.Blu = blue / 256;
  DeriveHSV(factors);
  DeriveHSL(factors);
  DeriveColor(factors);
}
