// The colour tools against scripts/color_reference.py, which works from the
// published formulas on its own; every expected value here is its output.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <sstream>
#include <string>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uColorHarmonies.h"
#include "core/colorout/uContrastFix.h"
#include "core/colorout/uCopyFormats.h"
#include "core/colorout/uCvdSimulation.h"

namespace {

TColor Rgb(unsigned rgb) { return MakeColor(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

std::string HexOf(TColor c) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
  return text;
}

TEST(FormatColor, NewFormatsMatchTheReference) {
  const TCopyFormat formats[] = {TCopyFormat::CssLab,      TCopyFormat::CssLch,        TCopyFormat::CssOklab,
                                 TCopyFormat::CssDisplayP3, TCopyFormat::CssSrgbLinear, TCopyFormat::CssXyzD65,
                                 TCopyFormat::Cmyk,        TCopyFormat::Vec4,          TCopyFormat::AndroidArgb,
                                 TCopyFormat::DotNetArgb,  TCopyFormat::SwiftUi};
  const struct {
    unsigned rgb;
    std::array<const wchar_t*, 11> texts;
  } cases[] = {
    {0x3366CC, {L"lab(44.12 10.95 -59.09)", L"lch(44.12 60.09 280.50)", L"oklab(0.5325 -0.0225 -0.1663)", L"color(display-p3 0.2499 0.3952 0.7736)", L"color(srgb-linear 0.0331 0.1329 0.6038)", L"color(xyz-d65 0.1701 0.1457 0.5904)", L"cmyk(75%, 50%, 0%, 20%)", L"vec4(0.200, 0.400, 0.800, 1.0)", L"#FF3366CC", L"Color.FromArgb(255, 51, 102, 204)", L"Color(red: 0.200, green: 0.400, blue: 0.800)"}},
    {0xFF0000, {L"lab(54.29 80.80 69.89)", L"lch(54.29 106.84 40.86)", L"oklab(0.6280 0.2249 0.1258)", L"color(display-p3 0.9175 0.2003 0.1386)", L"color(srgb-linear 1.0000 0.0000 0.0000)", L"color(xyz-d65 0.4124 0.2126 0.0193)", L"cmyk(0%, 100%, 100%, 0%)", L"vec4(1.000, 0.000, 0.000, 1.0)", L"#FFFF0000", L"Color.FromArgb(255, 255, 0, 0)", L"Color(red: 1.000, green: 0.000, blue: 0.000)"}},
    {0x0000FF, {L"lab(29.57 68.29 -112.03)", L"lch(29.57 131.20 301.36)", L"oklab(0.4520 -0.0325 -0.3115)", L"color(display-p3 0.0000 0.0000 0.9596)", L"color(srgb-linear 0.0000 0.0000 1.0000)", L"color(xyz-d65 0.1805 0.0722 0.9505)", L"cmyk(100%, 100%, 0%, 0%)", L"vec4(0.000, 0.000, 1.000, 1.0)", L"#FF0000FF", L"Color.FromArgb(255, 0, 0, 255)", L"Color(red: 0.000, green: 0.000, blue: 1.000)"}},
    {0x808080, {L"lab(53.59 0.00 0.00)", L"lch(53.59 0.00 0.00)", L"oklab(0.5999 0.0000 0.0000)", L"color(display-p3 0.5020 0.5020 0.5020)", L"color(srgb-linear 0.2159 0.2159 0.2159)", L"color(xyz-d65 0.2052 0.2159 0.2351)", L"cmyk(0%, 0%, 0%, 50%)", L"vec4(0.502, 0.502, 0.502, 1.0)", L"#FF808080", L"Color.FromArgb(255, 128, 128, 128)", L"Color(red: 0.502, green: 0.502, blue: 0.502)"}},
    {0xFFFFFF, {L"lab(100.00 0.00 0.00)", L"lch(100.00 0.00 0.00)", L"oklab(1.0000 0.0000 0.0000)", L"color(display-p3 1.0000 1.0000 1.0000)", L"color(srgb-linear 1.0000 1.0000 1.0000)", L"color(xyz-d65 0.9505 1.0000 1.0891)", L"cmyk(0%, 0%, 0%, 0%)", L"vec4(1.000, 1.000, 1.000, 1.0)", L"#FFFFFFFF", L"Color.FromArgb(255, 255, 255, 255)", L"Color(red: 1.000, green: 1.000, blue: 1.000)"}},
    {0x000000, {L"lab(0.00 0.00 0.00)", L"lch(0.00 0.00 0.00)", L"oklab(0.0000 0.0000 0.0000)", L"color(display-p3 0.0000 0.0000 0.0000)", L"color(srgb-linear 0.0000 0.0000 0.0000)", L"color(xyz-d65 0.0000 0.0000 0.0000)", L"cmyk(0%, 0%, 0%, 100%)", L"vec4(0.000, 0.000, 0.000, 1.0)", L"#FF000000", L"Color.FromArgb(255, 0, 0, 0)", L"Color(red: 0.000, green: 0.000, blue: 0.000)"}},
    {0x123456, {L"lab(20.68 -2.28 -24.59)", L"lch(20.68 24.70 264.71)", L"oklab(0.3192 -0.0234 -0.0686)", L"color(display-p3 0.1066 0.2009 0.3270)", L"color(srgb-linear 0.0060 0.0343 0.0931)", L"color(xyz-d65 0.0316 0.0326 0.0927)", L"cmyk(79%, 40%, 0%, 66%)", L"vec4(0.071, 0.204, 0.337, 1.0)", L"#FF123456", L"Color.FromArgb(255, 18, 52, 86)", L"Color(red: 0.071, green: 0.204, blue: 0.337)"}},
    {0xFF8000, {L"lab(67.82 45.49 74.84)", L"lch(67.82 87.58 58.71)", L"oklab(0.7319 0.1119 0.1484)", L"color(display-p3 0.9361 0.5290 0.1987)", L"color(srgb-linear 1.0000 0.2159 0.0000)", L"color(xyz-d65 0.4896 0.3670 0.0451)", L"cmyk(0%, 50%, 100%, 0%)", L"vec4(1.000, 0.502, 0.000, 1.0)", L"#FFFF8000", L"Color.FromArgb(255, 255, 128, 0)", L"Color(red: 1.000, green: 0.502, blue: 0.000)"}},
  };
  for (const auto& c : cases)
    for (std::size_t i = 0; i < std::size(formats); ++i)
      EXPECT_EQ(FormatColor(formats[i], Rgb(c.rgb)), c.texts[i]) << std::hex << c.rgb << " " << i;
}

TEST(FormatColor, MoreDecimalsOnlyWhereFewerWouldPasteBackAsAnotherColour) {
  const struct {
    unsigned rgb;
    TCopyFormat format;
    const wchar_t* text;
  } cases[] = {
      {0x02C700, TCopyFormat::CssOklab, L"oklab(0.71897 -0.19386 0.14895)"},
      {0x00FFFF, TCopyFormat::CssOklab, L"oklab(0.90540 -0.14944 -0.03940)"},
      {0x090300, TCopyFormat::CssXyzD65, L"color(xyz-d65 0.00145 0.00123 0.00016)"},
      {0xE5F200, TCopyFormat::CssOklch, L"oklch(0.92006 0.20624 113.668)"},
      {0x02C700, TCopyFormat::CssOklch, L"oklch(0.7190 0.2445 142.46)"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatColor(c.format, Rgb(c.rgb)), c.text) << std::hex << c.rgb;
}

TEST(HarmonyColors, ScaleAndEveryHarmonyMatchTheReference) {
  const struct {
    unsigned rgb;
    const char* scale;
    const char* harmonies;  // complementary | analogous | triadic | split | tetradic
  } cases[] = {
    {0x3366CC, "F0F5FF DCE9FF BED5FF 91B7FF 5D94FF 4075DC 2456BA 093A9D 002373 00144A 000728", "8C6500 | 0076A1 7253C3 | BA363D 1B8316 | A85100 6E7300 | B03776 8C6500 007F66"},
    {0xFF0000, "FFF2EF FFE0DA FFC4BA FF9687 FF5544 E60000 B20000 860000 5D0000 3A0000 1F0000", "009AAC | F40084 C86E00 | 00A447 597BFF | 009F8A 0092D4 | 7F9400 009AAC A058FF"},
    {0x0000FF, "F0F5FF DDE8FF BFD5FF 93B7FF 6293FF 306BFF 0036F8 0026BC 001884 000B55 00042F", "6E5000 | 005D82 6600CE | A3001B 006912 | 844100 565B00 | 9B005D 6E5000 006552"},
    {0x808080, "F5F5F5 E8E8E8 D4D4D4 B7B7B7 989898 7A7A7A 5D5D5D 454545 2E2E2E 1B1B1B 0B0B0B", "808080 | 808080 808080 | 808080 808080 | 808080 808080 | 808080 808080 808080"},
    {0xFFFFFF, "F5F5F5 E8E8E8 D4D4D4 B7B7B7 989898 7A7A7A 5D5D5D 454545 2E2E2E 1B1B1B 0B0B0B", "FFFFFF | FFFFFF FFFFFF | FFFFFF FFFFFF | FFFFFF FFFFFF | FFFFFF FFFFFF FFFFFF"},
    {0x000000, "F5F5F5 E8E8E8 D4D4D4 B7B7B7 989898 7A7A7A 5D5D5D 454545 2E2E2E 1B1B1B 0B0B0B", "000000 | 000000 000000 | 000000 000000 | 000000 000000 | 000000 000000 000000"},
  };
  const THarmonySet sets[] = {THarmonySet::Complementary, THarmonySet::Analogous, THarmonySet::Triadic,
                              THarmonySet::SplitComplementary, THarmonySet::Tetradic};
  for (const auto& c : cases) {
    std::string scale, harmonies;
    for (const THarmonyColor& h : HarmonyColors(Rgb(c.rgb), THarmonySet::Scale))
      scale += (scale.empty() ? "" : " ") + HexOf(h.color);
    for (const THarmonySet set : sets) {
      if (!harmonies.empty()) harmonies += " |";
      for (const THarmonyColor& h : HarmonyColors(Rgb(c.rgb), set)) harmonies += (harmonies.empty() ? "" : " ") + HexOf(h.color);
    }
    EXPECT_EQ(scale, c.scale) << std::hex << c.rgb;
    EXPECT_EQ(harmonies, c.harmonies) << std::hex << c.rgb;
  }
  const auto tetradic = HarmonyColors(Rgb(0x3366CC), THarmonySet::Tetradic);
  EXPECT_EQ(tetradic[0].comment, L"tetradic +90");
  EXPECT_EQ(HarmonyColors(Rgb(0x3366CC), THarmonySet::Analogous)[0].comment, L"analogous -30");
  EXPECT_EQ(HarmonyColors(Rgb(0x3366CC), THarmonySet::Scale)[5].comment, L"tone 0.58");
}

TEST(SimulateCvd, MachadoMatricesAndLuminanceOnTheCubeCorners) {
  const struct {
    unsigned rgb;
    std::array<unsigned, 4> seen;  // P, D, T, achromatopsia
  } corners[] = {
    {0x000000, {0x000000, 0x000000, 0x000000, 0x000000}},
    {0x0000FF, {0x0059FF, 0x003DFB, 0x006B96, 0x4C4C4C}},
    {0x00FF00, {0xFFE500, 0xEFD63A, 0x00F7D9, 0xDCDCDC}},
    {0x00FFFF, {0xEDF2FF, 0xD0DDFF, 0x00FFFE, 0xE5E5E5}},
    {0xFF0000, {0x6D5F00, 0xA39000, 0xFF000F, 0x7F7F7F}},
    {0xFF00FF, {0x007FFF, 0x689BFA, 0xFF4A97, 0x919191}},
    {0xFFFF00, {0xFFF400, 0xFFFA31, 0xFFEED9, 0xF7F7F7}},
    {0xFFFFFF, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
  };
  const TCvdKind kinds[] = {TCvdKind::Protanopia, TCvdKind::Deuteranopia, TCvdKind::Tritanopia, TCvdKind::Achromatopsia};
  for (const auto& c : corners) {
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(SimulateCvd(Rgb(c.rgb), kinds[i]), Rgb(c.seen[i])) << std::hex << c.rgb << " " << i;
    EXPECT_EQ(SimulateCvd(Rgb(c.rgb) | 0xFF000000u, TCvdKind::None), Rgb(c.rgb));
  }
  EXPECT_EQ(SimulateCvd(Rgb(0x3366CC), TCvdKind::Protanopia), Rgb(0x2872D0));
  EXPECT_EQ(SimulateCvd(Rgb(0x3366CC), TCvdKind::Deuteranopia), Rgb(0x0064CA));
  EXPECT_EQ(SimulateCvd(Rgb(0x3366CC), TCvdKind::Tritanopia), Rgb(0x007E8F));
  EXPECT_EQ(SimulateCvd(Rgb(0x3366CC), TCvdKind::Achromatopsia), Rgb(0x6B6B6B));
  for (const int stored : {-1, 5, 1000}) EXPECT_EQ(CvdKindFromSetting(stored), TCvdKind::None);
  EXPECT_EQ(CvdKindFromSetting(4), TCvdKind::Achromatopsia);
}

TEST(HardToTellApart, NamesOnlyDeficienciesThatMergeDistinctColours) {
  using K = TCvdKind;
  EXPECT_EQ(HardToTellApart(Rgb(0x00A000), Rgb(0xA0A000)), std::vector<K>{K::Protanopia});
  EXPECT_EQ(HardToTellApart(Rgb(0x0000FF), Rgb(0x8000FF)), std::vector<K>{K::Protanopia});
  EXPECT_TRUE(HardToTellApart(Rgb(0xFF0000), Rgb(0x00FF00)).empty());
  EXPECT_TRUE(HardToTellApart(Rgb(0x3366CC), Rgb(0x3366CD)).empty());  // close already
}

TEST(NearestPassingColor, KnownPairs) {
  const struct {
    unsigned current, comparison;
    double ratio;
    std::optional<unsigned> fixed;
  } cases[] = {
      {0x3366CC, 0xFFFFFF, 4.5, 0x3366CC}, {0x3366CC, 0xFFFFFF, 7, 0x2253B8},     {0x3366CC, 0x777777, 4.5, 0x00051F},
      {0x3366CC, 0x777777, 7, std::nullopt}, {0xFF0000, 0xFFFFFF, 4.5, 0xEE0000}, {0xFF0000, 0x000000, 7, 0xFF604E},
      {0x808080, 0x808080, 4.5, 0x171717}, {0xFFFF00, 0xFFFFFF, 4.5, 0x7A7A00},   {0x777777, 0xFFFFFF, 4.5, 0x767676},
  };
  for (const auto& c : cases) {
    const auto got = NearestPassingColor(Rgb(c.current), Rgb(c.comparison), c.ratio);
    EXPECT_EQ(got, c.fixed ? std::optional(Rgb(*c.fixed)) : std::nullopt) << std::hex << c.current << " " << c.comparison;
  }
}

}  // namespace
