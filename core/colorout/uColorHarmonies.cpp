#include "core/colorout/uColorHarmonies.h"

#include <span>

#include "core/colorout/uColorSpaces.h"
#include "core/colorout/uDecimalText.h"
#include "core/colorout/uGamutMap.h"

namespace {

constexpr double kScaleLightness[] = {0.97, 0.93, 0.87, 0.78, 0.68, 0.58, 0.48, 0.39, 0.30, 0.22, 0.15};

constexpr int kComplementary[] = {180};
constexpr int kAnalogous[] = {-30, 30};
constexpr int kTriadic[] = {120, 240};
constexpr int kSplitComplementary[] = {150, 210};
constexpr int kTetradic[] = {90, 180, 270};

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
  std::span<const int> turns;
  const wchar_t* name = L"";
  switch (set) {
    case THarmonySet::Complementary:
      turns = kComplementary, name = L"complementary ";
      break;
    case THarmonySet::Analogous:
      turns = kAnalogous, name = L"analogous ";
      break;
    case THarmonySet::Triadic:
      turns = kTriadic, name = L"triadic ";
      break;
    case THarmonySet::SplitComplementary:
      turns = kSplitComplementary, name = L"split complementary ";
      break;
    case THarmonySet::Tetradic:
      turns = kTetradic, name = L"tetradic ";
      break;
    case THarmonySet::Scale:
      break;
  }
  for (const int turn : turns)
    colors.push_back({OkLchToColorMapped(lch.L, lch.C, lch.h + turn), name + TurnText(turn)});
  return colors;
}
