#pragma once
// OKLCH colours that may lie outside sRGB brought inside by giving up chroma
// only, so a scale step or a harmony keeps the lightness and hue it asked for.
#include "core/color/uColor.h"
#include "core/colorout/uColorSpaces.h"

// Below this chroma a colour counts as grey: its hue means nothing.
inline constexpr double kAchromaticChroma = 0.0001;

// Whether every linear channel lies within 0..1, give or take 1e-7.
bool InSrgbGamut(const TLinearRgb& rgb);

// The colour at lightness L (0..1), chroma C and hue H (degrees). Outside
// sRGB the chroma is the largest at that L and H that is inside, found by
// bisection to 0.0001; then each channel is encoded and rounded half up.
// wasOutside, when given, says whether the chroma had to shrink.
TColor OkLchToColorMapped(double L, double C, double H, bool* wasOutside = nullptr);
