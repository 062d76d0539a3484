#pragma once
// The colour models the copy formats, names and contrast readouts need,
// computed from the exact 8-bit channels.
#include "core/color/uColor.h"

// The sRGB transfer function: 0..255 to linear light 0..1.
double SrgbToLinear(int channel);

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
