#include "core/colorout/uColorNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/colorout/uColorChannels.h"

namespace {

TEST(CssNamedColors, HoldsThe148NamesOnceEachInOrder) {
  const auto named = CssNamedColors();
  ASSERT_EQ(named.size(), 148u);
  std::set<std::wstring_view> names;
  for (std::size_t i = 0; i < named.size(); ++i) {
    names.insert(named[i].name);
    if (i > 0) {
      EXPECT_LT(named[i - 1].name, named[i].name);
    }
  }
  EXPECT_EQ(names.size(), 148u);
  // Nine colours carry two names, so 139 distinct colours.
  std::set<TColor> colors;
  for (const TNamedColor& n : named) colors.insert(n.color);
  EXPECT_EQ(colors.size(), 139u);
}

TEST(CssNamedColors, MatchesThePublishedValues) {
  // Spot checks against the CSS Color 4 table (hex as published).
  struct Case {
    const wchar_t* name;
    int red, green, blue;
  };
  const Case cases[] = {
      {L"aliceblue", 0xF0, 0xF8, 0xFF},     {L"black", 0, 0, 0},
      {L"white", 0xFF, 0xFF, 0xFF},         {L"red", 0xFF, 0, 0},
      {L"lime", 0, 0xFF, 0},                {L"green", 0, 0x80, 0},
      {L"blue", 0, 0, 0xFF},                {L"gray", 0x80, 0x80, 0x80},
      {L"grey", 0x80, 0x80, 0x80},          {L"rebeccapurple", 0x66, 0x33, 0x99},
      {L"darkgoldenrod", 0xB8, 0x86, 0x0B}, {L"lightgoldenrodyellow", 0xFA, 0xFA, 0xD2},
      {L"mediumaquamarine", 0x66, 0xCD, 0xAA}, {L"yellowgreen", 0x9A, 0xCD, 0x32},
      {L"crimson", 0xDC, 0x14, 0x3C},       {L"darkgray", 0xA9, 0xA9, 0xA9},
      {L"navajowhite", 0xFF, 0xDE, 0xAD},   {L"papayawhip", 0xFF, 0xEF, 0xD5},
  };
  for (const Case& c : cases) EXPECT_EQ(CssNamedColor(c.name), MakeColor(c.red, c.green, c.blue)) << c.name;
}

TEST(CssNamedColor, IgnoresAsciiCaseOnly) {
  EXPECT_EQ(CssNamedColor(L"RED"), MakeColor(255, 0, 0));
  EXPECT_EQ(CssNamedColor(L"RebeccaPurple"), MakeColor(0x66, 0x33, 0x99));
  EXPECT_FALSE(CssNamedColor(L"red "));
  EXPECT_FALSE(CssNamedColor(L""));
  EXPECT_FALSE(CssNamedColor(L"re"));
  EXPECT_FALSE(CssNamedColor(L"redd"));
  EXPECT_FALSE(CssNamedColor(L"transparent"));
  EXPECT_FALSE(CssNamedColor(L"\uFF52ed"));  // full-width r
}

TEST(ColorNameText, ExactNamesAndTheAlphabeticallyFirstOfTwins) {
  struct Case {
    int red, green, blue;
    const wchar_t* text;
  };
  const Case cases[] = {
      {0, 0, 0, L"black"},           {255, 255, 255, L"white"},
      {0, 255, 255, L"aqua"},        {255, 0, 255, L"fuchsia"},
      {128, 128, 128, L"gray"},      {169, 169, 169, L"darkgray"},
      {47, 79, 79, L"darkslategray"}, {105, 105, 105, L"dimgray"},
      {211, 211, 211, L"lightgray"}, {119, 136, 153, L"lightslategray"},
      {112, 128, 144, L"slategray"}, {0x66, 0x33, 0x99, L"rebeccapurple"},
  };
  for (const Case& c : cases) {
    const TColor color = MakeColor(c.red, c.green, c.blue);
    EXPECT_EQ(ColorNameText(color), c.text) << c.text;
    EXPECT_TRUE(NearestColorName(color).exact) << c.text;
  }
}

TEST(ColorNameText, NearestInOkLabCarriesTheApproximateSign) {
  // Nearest by brute force in Python over the CSS table, OKLab through
  // Ottosson's linear-sRGB matrices.
  struct Case {
    int red, green, blue;
    const wchar_t* text;
  };
  const Case cases[] = {
      {18, 52, 86, L"\u2248midnightblue"},     {255, 128, 0, L"\u2248darkorange"},
      {254, 254, 254, L"\u2248white"},         {1, 2, 3, L"\u2248black"},
      {127, 127, 127, L"\u2248gray"},          {64, 64, 65, L"\u2248darkslategray"},
      {165, 77, 202, L"\u2248mediumorchid"},   {24, 37, 48, L"\u2248midnightblue"},
      {187, 29, 109, L"\u2248mediumvioletred"}, {19, 44, 222, L"\u2248blue"},
      {46, 217, 30, L"\u2248limegreen"},       {63, 114, 31, L"\u2248darkolivegreen"},
      {23, 68, 148, L"\u2248darkslateblue"},   {214, 73, 60, L"\u2248indianred"},
      {157, 92, 52, L"\u2248sienna"},          {96, 190, 49, L"\u2248limegreen"},
  };
  for (const Case& c : cases) {
    const TColor color = MakeColor(c.red, c.green, c.blue);
    EXPECT_EQ(ColorNameText(color), c.text) << c.red << "," << c.green << "," << c.blue;
    EXPECT_FALSE(NearestColorName(color).exact);
  }
}

TEST(ColorNameText, EveryNamedColourNamesItself) {
  for (const TNamedColor& n : CssNamedColors()) {
    const TColorName name = NearestColorName(n.color);
    EXPECT_TRUE(name.exact) << std::wstring(n.name);
    EXPECT_EQ(CssNamedColor(name.name), n.color) << std::wstring(n.name);
  }
}

}  // namespace
