#include "core/colorout/uColorHarmonies.h"

#include <span>

#include "core/colorout/uColorSpaces.h"
#include "core/colorout/uDecimalText.h"
#include "core/colorout/uGamutMap.h"

namespace {

constexpr double kScaleLightness[] = {0.97, 0.93, 0.87, 0.78, 0.68, 0.58, 0.48, 0.39, 0.30, 0.22, 0.15};

struct THarmony {
  THarmonySet set;
  const wchar_t* name;
  std::size_t count;
  int turns[3];  // degrees
};

constexpr THarmony kHarmonies[] = {
    {THarmonySet::Complementary, L"complementary ", 1, {180}},
    {THarmonySet::Analogous, L"analogous ", 2, {-30, 30}},
    {THarmonySet::Triadic, L"triadic ", 2, {120, 240}},
    {THarmonySet::SplitComplementary, L"split complementary ", 2, {150, 210}},
    {THarmonySet::Tetradic, L"tetradic ", 3, {90, 180, 270}},
};

std::wstring TurnText(int degrees) {
  return (degrees < 0 ? L"-" : L"+") + std::to_wstring(degrees < 0 ? -degrees : degrees);
}

}  // namespace

std::vector<THarmonyColor> HarmonyColors(TColor source, THarmonySet set) {
  TOkLch lch = ColorToOkLch(source);
  if (lch.C < kAchromaticChroma) lch.C = 0, lch.h = 0;
  std::vector<THarmonyColor> colors;
  if (set == THarmonySet::Scale) {
    for (const double L : kScaleLightness)
      colors.push_back({OkLchToColorMapped(L, lch.C, lch.h), L"tone " + FixedText(L, 2)});
    return colors;
  }
  for (const THarmony& harmony : kHarmonies)
    if (harmony.set == set)
      for (const int turn : std::span(harmony.turns, harmony.count))
        colors.push_back({OkLchToColorMapped(lch.L, lch.C, lch.h + turn), harmony.name + TurnText(turn)});
  return colors;
}
