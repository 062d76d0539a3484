#include "core/color/uHexColor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <string>

#include "core/color/uColorFactors.h"

namespace {

struct HexCase {
  int red;
  int green;
  int blue;
  std::uint8_t order;
  const wchar_t* text;
};

TEST(ColorToHexText, BothOrders) {
  const HexCase cases[] = {
      {18, 52, 86, 0, L"#123456"},
      {18, 52, 86, 1, L"#563412"},
      {255, 128, 0, 0, L"#FF8000"},
      {255, 128, 0, 1, L"#0080FF"},
      {0, 0, 0, 0, L"#000000"},
      {0, 0, 0, 1, L"#000000"},
      {255, 255, 255, 0, L"#FFFFFF"},
      {255, 255, 255, 1, L"#FFFFFF"},
      // Leading zeros kept, upper-case digits.
      {0, 0, 10, 0, L"#00000A"},
      {10, 0, 0, 1, L"#00000A"},
      {171, 205, 239, 0, L"#ABCDEF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ColorToHexText(c.red, c.green, c.blue, c.order), c.text)
        << c.red << "," << c.green << "," << c.blue << " order " << int(c.order);
}

TEST(ColorToHexText, OtherOrdersGiveEmptyText) {
  for (int order : {2, 3, 128, 255})
    EXPECT_EQ(ColorToHexText(18, 52, 86, static_cast<std::uint8_t>(order)), L"") << "order " << order;
}

TEST(ColorToHexText, BlueGreenRedDigitsAreThoseOfTheColourReference) {
  for (int red : {0, 1, 18, 128, 255})
    for (int green : {0, 52, 127, 255})
      for (int blue : {0, 86, 200, 255}) {
        TColorFactors f;
        f.Red = red;
        f.Grn = green;
        f.Blu = blue;
        DeriveFromRGB(f);
        wchar_t expected[16];
        std::swprintf(expected, 16, L"#%06X", static_cast<unsigned>(f.Color));
        EXPECT_EQ(ColorToHexText(red, green, blue, 1), expected);
      }
}

TEST(ColorToHexText, UnnormalisedListCellsWrapInsteadOfOverflowing) {
  // List cells keep whatever integer was typed; the text grows past six
  // digits rather than the arithmetic overflowing.
  EXPECT_EQ(ColorToHexText(256, 0, 0, 0), L"#1000000");
  EXPECT_EQ(ColorToHexText(0, 0, -1, 0), L"#FFFFFFFF");
  EXPECT_EQ(ColorToHexText(0x7FFFFFFF, 0, 0, 0), L"#FFFF0000");
  EXPECT_EQ(ColorToHexText(0, 0, 0x100, 1), L"#1000000");
}

}  // namespace
