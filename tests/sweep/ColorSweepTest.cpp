// Every colour, every copy format that paste reads: the copied text pastes
// back as the same 8-bit colour, marked as inside sRGB.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/colorout/uCopyFormats.h"
#include "core/colorout/uCssColor.h"

namespace {

// The CSS functions of three numbers: the sweep asks for the decimals each
// text takes (none when even the most do not read back), which reads the
// printed numbers back as the text's reader does; a sample of the texts
// themselves checks that the two agree.
const TCopyFormat kNumeric[] = {TCopyFormat::CssHsl,       TCopyFormat::CssHwb,        TCopyFormat::CssOklch,
                                TCopyFormat::CssLab,       TCopyFormat::CssLch,        TCopyFormat::CssOklab,
                                TCopyFormat::CssDisplayP3, TCopyFormat::CssSrgbLinear, TCopyFormat::CssXyzD65};

TEST(ColorSweep, EveryPastableFormatReadsBackForAllColours) {
  std::atomic<int> inexact{0};
  std::atomic<TColor> firstInexact{0};
  const auto sweep = [&](TColor from, TColor to) {
    for (TColor color = from; color < to; ++color)
      for (const TCopyFormat format : kNumeric)
        if (!CopyFormatExtraDecimals(format, color) && inexact++ == 0) firstInexact = color;
  };
  std::thread other(sweep, 0x800000u, 0x1000000u);
  sweep(0, 0x800000u);
  other.join();
  EXPECT_EQ(inexact, 0) << std::hex << firstInexact;
}

TEST(ColorSweep, TextsAgreeWithTheNumbersAndIntegerFormatsReadBack) {
  const TCopyFormat integers[] = {TCopyFormat::HexUpper, TCopyFormat::HexLower, TCopyFormat::CssRgb};
  // The integer formats take each channel on its own: every value of one
  // channel, the others at both ends and in between, covers them.
  for (TColor color = 0; color < 0x1000000u; color += 4099) {
    for (const TCopyFormat format : kNumeric) {
      const TCssColor back = ParseCssColor(FormatColor(format, color));
      EXPECT_TRUE(back.color == color && !back.outOfGamut) << std::hex << color << " " << static_cast<int>(format);
    }
  }
  for (unsigned v = 0; v < 256; ++v)
    for (const unsigned other : {0u, 0x7Fu, 0xFFu})
      for (const TColor color : {v | other << 8 | other << 16, other | v << 8 | other << 16, other | other << 8 | v << 16})
        for (const TCopyFormat format : integers) EXPECT_EQ(ParseCssColor(FormatColor(format, color)).color, color);
}

}  // namespace
