#pragma once
// A tonal scale and the classic hue harmonies of a colour, all in OKLCH so
// that steps and turns look even, each brought into sRGB by chroma alone.
#include <string>
#include <vector>

#include "core/color/uColor.h"

enum class THarmonySet { Scale, Complementary, Analogous, Triadic, SplitComplementary, Tetradic };

struct THarmonyColor {
  TColor color = 0;
  std::wstring comment;  // "tone 0.58", "triadic +120", "analogous -30"
};

// Scale: 11 lightness steps from 0.97 down to 0.15 at the colour's hue and
// chroma. The others: hue turns at the colour's own lightness and chroma.
// A grey (chroma below 0.0001) keeps hue 0 and chroma 0.
std::vector<THarmonyColor> HarmonyColors(TColor source, THarmonySet set);
