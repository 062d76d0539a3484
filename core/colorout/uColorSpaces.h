#pragma once
// The colour models the copy formats, names and contrast readouts need,
// computed from the exact 8-bit channels.
#include "core/color/uColor.h"

// The sRGB transfer function: 0..255 to linear light 0..1.
double SrgbToLinear(int channel);
// The same curve on a unit value, and back; both keep the sign, so values
// outside 0..1 from a wider gamut stay monotonic.
double SrgbDecode(double encoded);
double SrgbEncode(double linear);
// A linear value encoded and rounded half up to 0..255 (clipped first).
int LinearToChannel(double linear);

struct TOkLab {
  double L = 0;
  double a = 0;
  double b = 0;
};

struct TOkLch {
  double L = 0;
  double C = 0;
  double h = 0;  // degrees, 0 <= h < 360
};

struct TLinearRgb {
  double r = 0;
  double g = 0;
  double b = 0;
};

// CIE XYZ, Y 1 for white.
struct TXyz {
  double x = 0;
  double y = 0;
  double z = 0;
};

// CIE Lab against the D50 white, as CSS lab() and lch() take it.
struct TCieLab {
  double L = 0;  // 0..100
  double a = 0;
  double b = 0;
};

TLinearRgb ColorToLinear(TColor color);
TXyz LinearToXyzD65(const TLinearRgb& rgb);
TLinearRgb XyzD65ToLinear(const TXyz& xyz);
// Display P3 shares sRGB's white and transfer curve; only the primaries differ.
TLinearRgb XyzD65ToLinearP3(const TXyz& xyz);
TXyz LinearP3ToXyzD65(const TLinearRgb& p3);
// The Bradford chromatic adaptation between the two whites.
TXyz XyzD65ToD50(const TXyz& xyz);
TXyz XyzD50ToD65(const TXyz& xyz);
TCieLab XyzD50ToLab(const TXyz& xyz);
TXyz LabToXyzD50(const TCieLab& lab);
TOkLab XyzD65ToOkLab(const TXyz& xyz);
TXyz OkLabToXyzD65(const TOkLab& lab);
TOkLab LinearToOkLab(const TLinearRgb& rgb);
TLinearRgb OkLabToLinear(const TOkLab& lab);
TOkLab OkLchToOkLab(double L, double C, double hDegrees);
TOkLch OkLabToOkLch(const TOkLab& lab);
// Each channel clipped to 0..1, encoded and rounded half up.
TColor LinearToColor(const TLinearRgb& rgb);

TOkLab ColorToOkLab(TColor color);
TOkLch ColorToOkLch(TColor color);

// Hue in whole degrees 0..359 and percentages 0..100, each rounded half up
// from its exact value; a grey has hue 0 (and saturation 0).
struct THslPercent {
  int hue = 0;
  int saturation = 0;
  int lightness = 0;
};

struct THwbPercent {
  int hue = 0;
  int whiteness = 0;
  int blackness = 0;
};

THslPercent ColorToHslPercent(TColor color);
THwbPercent ColorToHwbPercent(TColor color);

// The same unrounded: hue 0 <= h < 360, percentages 0..100.
struct THslExact {
  double hue = 0;
  double saturation = 0;
  double lightness = 0;
};

struct THwbExact {
  double hue = 0;
  double whiteness = 0;
  double blackness = 0;
};

THslExact ColorToHsl(TColor color);
THwbExact ColorToHwb(TColor color);
