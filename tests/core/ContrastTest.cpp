#include "core/colorout/uContrast.h"

#include <gtest/gtest.h>

#include <string>

#include "core/colorout/uColorChannels.h"

namespace {

TColor Hex(unsigned rgb) { return MakeColor(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

TEST(ContrastRatio, MatchesPublishedWcagValues) {
  struct Case {
    unsigned text, back;
    const wchar_t* ratio;
  };
  // The classic checker values, rounded down: #777 on white just fails AA
  // at 4.478 (4.47:1) and #767676 is the lightest grey to pass at 4.54:1.
  const Case cases[] = {
      {0x000000, 0xFFFFFF, L"21.00:1"}, {0xFFFFFF, 0x000000, L"21.00:1"}, {0x123456, 0xFFFFFF, L"12.71:1"},
      {0xFFFFFF, 0xFFFFFF, L"1.00:1"},  {0x777777, 0xFFFFFF, L"4.47:1"},  {0x767676, 0xFFFFFF, L"4.54:1"},
      {0xFF0000, 0xFFFFFF, L"3.99:1"},  {0x0000FF, 0xFFFFFF, L"8.59:1"},  {0xFF8000, 0x000000, L"8.33:1"},
      {0x949494, 0xFFFFFF, L"3.03:1"},  {0x008000, 0xFFFFFF, L"5.13:1"},  {0x595959, 0xFFFFFF, L"7.00:1"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ContrastRatioText(ContrastRatio(Hex(c.text), Hex(c.back))), c.ratio) << std::hex << c.text;
}

TEST(ContrastRatio, LuminanceEnds) {
  EXPECT_EQ(RelativeLuminance(Hex(0x000000)), 0.0);
  EXPECT_DOUBLE_EQ(RelativeLuminance(Hex(0xFFFFFF)), 1.0);
  EXPECT_NEAR(RelativeLuminance(Hex(0xFF0000)), 0.2126, 1e-12);
  EXPECT_NEAR(RelativeLuminance(Hex(0x00FF00)), 0.7152, 1e-12);
  EXPECT_NEAR(RelativeLuminance(Hex(0x0000FF)), 0.0722, 1e-12);
  // 10/255 lies on the linear part of the curve: 0.0392157 / 12.92.
  EXPECT_NEAR(RelativeLuminance(Hex(0x0A0A0A)), 10 / 255.0 / 12.92, 1e-12);
}

TEST(JudgeContrast, ThresholdsUseTheExactRatio) {
  struct Case {
    double ratio;
    bool aaNormal, aaLarge, aaaNormal, aaaLarge;
  };
  const Case cases[] = {
      {1.0, false, false, false, false},  {2.999, false, false, false, false}, {3.0, false, true, false, false},
      {4.499, false, true, false, false}, {4.5, true, true, false, true},      {6.999, true, true, false, true},
      {7.0, true, true, true, true},      {21.0, true, true, true, true},
  };
  for (const Case& c : cases) {
    const TWcagVerdict v = JudgeContrast(c.ratio);
    EXPECT_EQ(v.aaNormal, c.aaNormal) << c.ratio;
    EXPECT_EQ(v.aaLarge, c.aaLarge) << c.ratio;
    EXPECT_EQ(v.aaaNormal, c.aaaNormal) << c.ratio;
    EXPECT_EQ(v.aaaLarge, c.aaaLarge) << c.ratio;
  }
  // #777 on white shows 4.48 and fails normal AA; #949494 passes large AA.
  EXPECT_FALSE(JudgeContrast(ContrastRatio(Hex(0x777777), Hex(0xFFFFFF))).aaNormal);
  EXPECT_TRUE(JudgeContrast(ContrastRatio(Hex(0x767676), Hex(0xFFFFFF))).aaNormal);
  EXPECT_TRUE(JudgeContrast(ContrastRatio(Hex(0x949494), Hex(0xFFFFFF))).aaLarge);
}

TEST(ApcaContrast, MatchesThePublishedExamples) {
  struct Case {
    unsigned text, back;
    double lc;
    const wchar_t* shown;
  };
  // The APCA-W3 reference pairs (text first), with their published Lc.
  const Case cases[] = {
      {0x888888, 0xFFFFFF, 63.056469930209424, L"63.1"}, {0xFFFFFF, 0x888888, -68.54146436644962, L"-68.5"},
      {0x000000, 0xAAAAAA, 58.146262578561334, L"58.1"}, {0xAAAAAA, 0x000000, -56.24113336839742, L"-56.2"},
      {0x112233, 0xDDEEFF, 91.66830811481631, L"91.7"},  {0xDDEEFF, 0x112233, -93.06770049484275, L"-93.1"},
      {0x000000, 0xFFFFFF, 106.04067321268862, L"106.0"}, {0xFFFFFF, 0x000000, -107.88473318309848, L"-107.9"},
  };
  for (const Case& c : cases) {
    const double lc = ApcaContrast(Hex(c.text), Hex(c.back));
    EXPECT_NEAR(lc, c.lc, 1e-9) << std::hex << c.text << " on " << c.back;
    EXPECT_EQ(ApcaContrastText(lc), c.shown);
  }
}

TEST(ApcaContrast, LowContrastClampsToZero) {
  EXPECT_EQ(ApcaContrast(Hex(0x112233), Hex(0x223344)), 0.0);
  EXPECT_EQ(ApcaContrast(Hex(0x808080), Hex(0x808080)), 0.0);
  EXPECT_EQ(ApcaContrastText(0.0), L"0.0");
}

TEST(MeasureContrast, GathersTheReadout) {
  const TContrastReport r = MeasureContrast(Hex(0x123456), Hex(0xFFFFFF));
  EXPECT_EQ(r.ratioText, L"12.71:1");
  EXPECT_TRUE(r.verdict.aaaNormal);
  EXPECT_EQ(r.apcaText, L"98.5");  // 98.54 by the reference formula
  const TContrastReport swapped = MeasureContrast(Hex(0xFFFFFF), Hex(0x123456));
  EXPECT_EQ(swapped.ratioText, L"12.71:1");
  EXPECT_LT(swapped.apca, 0);
}

}  // namespace
