#include "core/colorout/uCopyFormats.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cmath>
#include <set>
#include <string>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uDecimalText.h"
#include "core/support/uStrings.h"

namespace {

// Expected texts in menu order. Computed apart from the program: CSS hex by
// hand, HSL/HWB by scripts/color_reference.py in exact fractions (the fewest
// decimals that read back),
// OKLCH through Ottosson's direct linear-sRGB matrices (the program goes
// through XYZ as CSS Color 4 does), names by brute force over the CSS table.
struct FormatCase {
  int red, green, blue;
  std::array<const wchar_t*, 11> texts;
};

const FormatCase kCases[] = {
      {18, 52, 86, {L"#123456", L"#123456", L"rgb(18, 52, 86)", L"hsl(210.0, 65.4%, 20.4%)", L"hwb(210.0 7.1% 66.3%)", L"oklch(0.3192 0.0725 251.17)", L"0x563412", L"$00563412", L"0.071, 0.204, 0.337", L"1193046", L"\u2248midnightblue"}},
      {255, 128, 0, {L"#FF8000", L"#ff8000", L"rgb(255, 128, 0)", L"hsl(30, 100%, 50%)", L"hwb(30 0% 0%)", L"oklch(0.7319 0.1858 52.98)", L"0x0080FF", L"$000080FF", L"1.000, 0.502, 0.000", L"16744448", L"\u2248darkorange"}},
      {0, 0, 0, {L"#000000", L"#000000", L"rgb(0, 0, 0)", L"hsl(0, 0%, 0%)", L"hwb(0 0% 100%)", L"oklch(0.0000 0.0000 0.00)", L"0x000000", L"$00000000", L"0.000, 0.000, 0.000", L"0", L"black"}},
      {255, 255, 255, {L"#FFFFFF", L"#ffffff", L"rgb(255, 255, 255)", L"hsl(0, 0%, 100%)", L"hwb(0 100% 0%)", L"oklch(1.0000 0.0000 0.00)", L"0xFFFFFF", L"$00FFFFFF", L"1.000, 1.000, 1.000", L"16777215", L"white"}},
      {255, 0, 0, {L"#FF0000", L"#ff0000", L"rgb(255, 0, 0)", L"hsl(0, 100%, 50%)", L"hwb(0 0% 0%)", L"oklch(0.6280 0.2577 29.23)", L"0x0000FF", L"$000000FF", L"1.000, 0.000, 0.000", L"16711680", L"red"}},
      {0, 255, 0, {L"#00FF00", L"#00ff00", L"rgb(0, 255, 0)", L"hsl(120, 100%, 50%)", L"hwb(120 0% 0%)", L"oklch(0.8664 0.2948 142.50)", L"0x00FF00", L"$0000FF00", L"0.000, 1.000, 0.000", L"65280", L"lime"}},
      {0, 0, 255, {L"#0000FF", L"#0000ff", L"rgb(0, 0, 255)", L"hsl(240, 100%, 50%)", L"hwb(240 0% 0%)", L"oklch(0.4520 0.3132 264.05)", L"0xFF0000", L"$00FF0000", L"0.000, 0.000, 1.000", L"255", L"blue"}},
      {128, 128, 128, {L"#808080", L"#808080", L"rgb(128, 128, 128)", L"hsl(0, 0%, 50%)", L"hwb(0 50% 50%)", L"oklch(0.5999 0.0000 0.00)", L"0x808080", L"$00808080", L"0.502, 0.502, 0.502", L"8421504", L"gray"}},
      {127, 127, 127, {L"#7F7F7F", L"#7f7f7f", L"rgb(127, 127, 127)", L"hsl(0.0, 0.0%, 49.8%)", L"hwb(0.0 49.8% 50.2%)", L"oklch(0.5965 0.0000 0.00)", L"0x7F7F7F", L"$007F7F7F", L"0.498, 0.498, 0.498", L"8355711", L"\u2248gray"}},
      {1, 2, 3, {L"#010203", L"#010203", L"rgb(1, 2, 3)", L"hsl(210.0, 50.0%, 0.8%)", L"hwb(210.0 0.4% 98.8%)", L"oklch(0.0823 0.0080 240.75)", L"0x030201", L"$00030201", L"0.004, 0.008, 0.012", L"66051", L"\u2248black"}},
      {0, 255, 255, {L"#00FFFF", L"#00ffff", L"rgb(0, 255, 255)", L"hsl(180, 100%, 50%)", L"hwb(180 0% 0%)", L"oklch(0.9054 0.1546 194.77)", L"0xFFFF00", L"$00FFFF00", L"0.000, 1.000, 1.000", L"65535", L"aqua"}},
      {255, 0, 255, {L"#FF00FF", L"#ff00ff", L"rgb(255, 0, 255)", L"hsl(300, 100%, 50%)", L"hwb(300 0% 0%)", L"oklch(0.7017 0.3225 328.36)", L"0xFF00FF", L"$00FF00FF", L"1.000, 0.000, 1.000", L"16711935", L"fuchsia"}},
      {200, 30, 150, {L"#C81E96", L"#c81e96", L"rgb(200, 30, 150)", L"hsl(317.6, 73.9%, 45.1%)", L"hwb(317.6 11.8% 21.6%)", L"oklch(0.5663 0.2258 343.99)", L"0x961EC8", L"$00961EC8", L"0.784, 0.118, 0.588", L"13115030", L"\u2248mediumvioletred"}},
      {254, 254, 254, {L"#FEFEFE", L"#fefefe", L"rgb(254, 254, 254)", L"hsl(0.0, 0.0%, 99.6%)", L"hwb(0.0 99.6% 0.4%)", L"oklch(0.9970 0.0000 0.00)", L"0xFEFEFE", L"$00FEFEFE", L"0.996, 0.996, 0.996", L"16711422", L"\u2248white"}},
      {102, 51, 153, {L"#663399", L"#663399", L"rgb(102, 51, 153)", L"hsl(270, 50%, 40%)", L"hwb(270 20% 40%)", L"oklch(0.4403 0.1603 303.37)", L"0x993366", L"$00993366", L"0.400, 0.200, 0.600", L"6697881", L"rebeccapurple"}},
      {250, 128, 114, {L"#FA8072", L"#fa8072", L"rgb(250, 128, 114)", L"hsl(6.2, 93.2%, 71.4%)", L"hwb(6.2 44.7% 2.0%)", L"oklch(0.7350 0.1515 28.06)", L"0x7280FA", L"$007280FA", L"0.980, 0.502, 0.447", L"16416882", L"salmon"}},
      {17, 17, 17, {L"#111111", L"#111111", L"rgb(17, 17, 17)", L"hsl(0.0, 0.0%, 6.7%)", L"hwb(0.0 6.7% 93.3%)", L"oklch(0.1776 0.0000 0.00)", L"0x111111", L"$00111111", L"0.067, 0.067, 0.067", L"1118481", L"\u2248black"}},
      {120, 1, 0, {L"#780100", L"#780100", L"rgb(120, 1, 0)", L"hsl(0.5, 100.0%, 23.5%)", L"hwb(0.5 0.0% 52.9%)", L"oklch(0.3601 0.1471 29.40)", L"0x000178", L"$00000178", L"0.471, 0.004, 0.000", L"7864576", L"\u2248maroon"}},
      {9, 8, 7, {L"#090807", L"#090807", L"rgb(9, 8, 7)", L"hsl(30, 13%, 3%)", L"hwb(30.0 2.7% 96.5%)", L"oklch(0.1353 0.0032 69.58)", L"0x070809", L"$00070809", L"0.035, 0.031, 0.027", L"591879", L"\u2248black"}},
      {255, 0, 1, {L"#FF0001", L"#ff0001", L"rgb(255, 0, 1)", L"hsl(359.8, 100.0%, 50.0%)", L"hwb(359.8 0.0% 0.0%)", L"oklch(0.6280 0.2576 29.18)", L"0x0100FF", L"$000100FF", L"1.000, 0.000, 0.004", L"16711681", L"\u2248red"}},
      {0, 1, 0, {L"#000100", L"#000100", L"rgb(0, 1, 0)", L"hsl(120.0, 100.0%, 0.2%)", L"hwb(120.0 0.0% 99.6%)", L"oklch(0.0582 0.0198 142.50)", L"0x000100", L"$00000100", L"0.000, 0.004, 0.000", L"256", L"\u2248black"}},
      {64, 64, 65, {L"#404041", L"#404041", L"rgb(64, 64, 65)", L"hsl(240.0, 0.8%, 25.3%)", L"hwb(240.0 25.1% 74.5%)", L"oklch(0.3719 0.0017 286.32)", L"0x414040", L"$00414040", L"0.251, 0.251, 0.255", L"4210753", L"\u2248darkslategray"}},
};

TEST(FormatColor, EveryBuiltInFormatMatchesIndependentValues) {
  const auto formats = BuiltInCopyFormats();
  ASSERT_EQ(formats.size(), 22u);
  for (const FormatCase& c : kCases) {
    const TColor color = MakeColor(c.red, c.green, c.blue);
    for (std::size_t i = 0; i < c.texts.size(); ++i)
      EXPECT_EQ(FormatColor(formats[i], color), c.texts[i]) << c.red << "," << c.green << "," << c.blue << " format " << i;
  }
}

TEST(FormatColor, MenuOrderIsTheDocumentedOne) {
  const TCopyFormat expected[] = {
      TCopyFormat::HexUpper, TCopyFormat::HexLower, TCopyFormat::CssRgb,    TCopyFormat::CssHsl,
      TCopyFormat::CssHwb,   TCopyFormat::CssOklch, TCopyFormat::ColorRef,  TCopyFormat::DelphiHex,
      TCopyFormat::Floats,   TCopyFormat::Decimal,  TCopyFormat::Name,
      TCopyFormat::CssLab,   TCopyFormat::CssLch,   TCopyFormat::CssOklab,  TCopyFormat::CssDisplayP3,
      TCopyFormat::CssSrgbLinear, TCopyFormat::CssXyzD65, TCopyFormat::Cmyk, TCopyFormat::Vec4,
      TCopyFormat::AndroidArgb, TCopyFormat::DotNetArgb, TCopyFormat::SwiftUi,
  };
  const auto formats = BuiltInCopyFormats();
  ASSERT_EQ(formats.size(), std::size(expected));
  for (std::size_t i = 0; i < formats.size(); ++i) EXPECT_EQ(formats[i], expected[i]) << i;
}

TEST(FormatColor, IgnoresBitsAboveTheColour) {
  EXPECT_EQ(FormatColor(TCopyFormat::HexUpper, 0xFF563412u), L"#123456");
  EXPECT_EQ(FormatColor(TCopyFormat::DelphiHex, 0x02563412u), L"$00563412");
  EXPECT_EQ(FormatColor(TCopyFormat::Decimal, 0x01000000u), L"0");
}

TEST(FormatColor, HexFollowsRgbOrderWhateverTheColorRefOrder) {
  // COLORREF keeps red in the low byte: RGB(255, 0, 0) is 0x0000FF.
  EXPECT_EQ(FormatColor(TCopyFormat::HexUpper, 0x0000FFu), L"#FF0000");
  EXPECT_EQ(FormatColor(TCopyFormat::ColorRef, 0x0000FFu), L"0x0000FF");
  EXPECT_EQ(FormatColor(TCopyFormat::ColorRef, 0xFF0000u), L"0xFF0000");
  EXPECT_EQ(FormatColor(TCopyFormat::HexUpper, 0xFF0000u), L"#0000FF");
}

TEST(FormatColor, DigitsIgnoreADecimalCommaLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  bool comma = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252", "de-DE"})
    if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',') {
      comma = true;
      break;
    }
  if (!comma) {
    std::setlocale(LC_ALL, saved.c_str());
    GTEST_SKIP() << "no locale with a decimal comma here";
  }
  const std::wstring oklch = FormatColor(TCopyFormat::CssOklch, MakeColor(18, 52, 86));
  const std::wstring floats = FormatColor(TCopyFormat::Floats, MakeColor(18, 52, 86));
  const std::wstring fixed = FixedText(-68.54, 1);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(oklch, L"oklch(0.3192 0.0725 251.17)");
  EXPECT_EQ(floats, L"0.071, 0.204, 0.337");
  EXPECT_EQ(fixed, L"-68.5");
}

TEST(FixedText, RoundsHalfAwayFromZeroWithoutTheLocale) {
  struct Case {
    double x;
    int decimals;
    const wchar_t* text;
  };
  const Case cases[] = {
      {0, 4, L"0.0000"},        {0.31917, 4, L"0.3192"}, {251.16845, 2, L"251.17"}, {0.5, 0, L"1"},
      {1.5, 0, L"2"},           {2.5, 0, L"3"},          {-2.5, 0, L"-3"},          {-0.04, 1, L"0.0"},
      {-68.54146, 1, L"-68.5"}, {21, 2, L"21.00"},       {0.125, 2, L"0.13"},       {0.0001, 4, L"0.0001"},
      {123456.7, 0, L"123457"}, {0.071, 3, L"0.071"},    {1e300, 0, L"1000000000000000000"}, {-1e300, 9, L"-1000000000.000000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(FixedText(c.x, c.decimals), c.text) << c.x << " " << c.decimals;
  EXPECT_EQ(FixedText(std::nan(""), 2), L"0.00");
}

TEST(CopyFormats, StableNamesAreUniqueAndReadBackWithoutCase) {
  std::set<std::wstring> seen;
  for (const TCopyFormat format : BuiltInCopyFormats()) {
    const std::wstring name(CopyFormatStableName(format));
    ASSERT_FALSE(name.empty());
    EXPECT_TRUE(seen.insert(name).second) << std::string(name.begin(), name.end());
    EXPECT_EQ(CopyFormatFromStableName(AsciiLowered(name)), format);
    std::wstring upper = name;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(c >= L'a' && c <= L'z' ? c - 32 : c);
    EXPECT_EQ(CopyFormatFromStableName(upper), format);
  }
  for (const wchar_t* bad : {L"", L"hex ", L"he", L"\u0130hex"}) EXPECT_FALSE(CopyFormatFromStableName(bad));
}

}  // namespace
