#include "core/colorout/uCssColor.h"

#include <gtest/gtest.h>

#include <string>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uColorNames.h"
#include "core/colorout/uCopyFormats.h"
#include "core/colorout/uPasteText.h"

namespace {

TColor Rgb(unsigned rgb) { return MakeColor(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

TEST(ParseCssColor, EveryFormReadsAsTheReferenceWorksItOut) {
  using S = TCssColorStatus;
  const struct {
    const wchar_t* text;
    S status;
    unsigned rgb;
    bool outside;
  } cases[] = {
      // Worked forward by scripts/color_reference.py.
      {L"lab(44.12 10.95 -59.09)", S::Color, 0x3366CC, false},
      {L"lab(50% 40% -20%)", S::Color, 0xB750A3, false},
      {L"LCH(44.12 60.09 280.5)", S::Color, 0x3366CC, false},
      {L"lch(70 150 120)", S::Color, 0x48C100, true},
      {L"oklab(0.5325 -0.0225 -0.1663)", S::Color, 0x3366CC, false},
      {L"oklch(0.7 0.4 150)", S::Color, 0x00BE58, true},
      {L"oklch(60% 50% 0.5turn)", S::Color, 0x009583, true},
      {L"color(display-p3 1 0 0)", S::Color, 0xFF3429, true},
      {L"color(display-p3 0.2499 0.3952 0.7736)", S::Color, 0x3366CC, false},
      {L"color(srgb-linear 0.0331 0.1329 0.6038 / 0.5)", S::Color, 0x3366CC, false},
      {L"color(xyz-d65 0.1701 0.1457 0.5904)", S::Color, 0x3366CC, false},
      {L"color(srgb 0.2 40% 0.8)", S::Color, 0x3366CC, false},
      // By hand.
      {L" #36c ", S::Color, 0x3366CC, false},
      {L"#36cf", S::Color, 0x3366CC, false},
      {L"#3366CC80", S::Color, 0x3366CC, false},
      {L"rgb(51 102 204 / 50%)", S::Color, 0x3366CC, false},
      {L"rgba(51, 102, 204, 0.5)", S::Color, 0x3366CC, false},
      {L"rgb(20% 40% 80%)", S::Color, 0x3366CC, false},
      {L"rgb(51 none 204)", S::Color, 0x3300CC, false},
      {L"hsl(220 60% 50%)", S::Color, 0x3366CC, false},
      {L"hsla(220deg, 60%, 50%, 1)", S::Color, 0x3366CC, false},
      {L"hsl(244.4444grad 60 50)", S::Color, 0x3366CC, false},
      {L"hwb(220 20% 20%)", S::Color, 0x3366CC, false},
      {L"hwb(0 60% 60%)", S::Color, 0x808080, false},
      {L"RebeccaPurple", S::Color, 0x663399, false},
      {L"transparent", S::Refused, 0, false},
      {L" NONE ", S::Refused, 0, false},
      {L"rgb(1 2)", S::NotColor, 0, false},
      {L"lab(1, 2, 3)", S::NotColor, 0, false},
      {L"hwb(1, 2%, 3%)", S::NotColor, 0, false},
      {L"oklch(0.5 0.1 10%)", S::NotColor, 0, false},
      {L"rgb(1 2 3 / 4 / 5)", S::NotColor, 0, false},
      {L"color(srgb 1 2)", S::NotColor, 0, false},
      {L"color(foo 1 2 3)", S::NotColor, 0, false},
      {L"currentcolor", S::NotColor, 0, false},
      {L"#12345", S::NotColor, 0, false},
      {L"rgb(1e 2 3)", S::NotColor, 0, false},
  };
  for (const auto& c : cases) {
    const TCssColor got = ParseCssColor(c.text);
    EXPECT_EQ(got.status, c.status) << std::wstring(c.text).size() << " " << static_cast<int>(c.text[0]);
    if (c.status != S::Color) continue;
    EXPECT_EQ(got.color, Rgb(c.rgb)) << std::hex << c.rgb;
    EXPECT_EQ(got.outOfGamut, c.outside) << std::hex << c.rgb;
  }
}

TEST(PastedColorAnsi, CssFormsThenRefusalThenTheHexRuleInItsByteOrder) {
  using S = TCssColorStatus;
  EXPECT_EQ(PastedColorAnsi("lch(70 150 120)", 0).outOfGamut, true);
  EXPECT_EQ(PastedColorAnsi("transparent", 0).status, S::Refused);
  // "none" is the hex digit e under the old rule; now it is refused.
  EXPECT_EQ(PastedColorAnsi("none", 0).status, S::Refused);
  EXPECT_EQ(PastedColorAnsi("#FF8000", 1).color, 0xFF8000u);
  EXPECT_EQ(PastedColorAnsi("#FF800080", 1).color, Rgb(0xFF8000));
  EXPECT_EQ(PastedColorAnsi("far too long for hex", 0).status, S::NotColor);
}

TEST(CopyFormats, NamesPasteBack) {
  for (const TNamedColor& named : CssNamedColors())
    EXPECT_EQ(ParseCssColor(FormatColor(TCopyFormat::Name, named.color)).color, named.color);
}

}  // namespace
