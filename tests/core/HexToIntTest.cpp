#include <gtest/gtest.h>

#include "core/support/uHexToInt.h"

namespace {

struct HexCase {
  const wchar_t* text;
  std::int32_t expected;
};

TEST(HexToInt, EveryNonDigitCountsAsZero) {
  const HexCase cases[] = {
      {L"#1A2b3C", 0x1A2B3C},
      {L"xyz", 0},
      {L"", 0},
      {L"1g", 0x10},
      {L"\xFF11", 0},  // a full-width digit is no digit
      {L"\xD83D\xDE00"
       L"1",
       0x001},                     // a surrogate pair is two non-digits
      {L"123456789", 0x23456789},  // nine digits keep the low 32 bits
      {L"FFFFFFFF", -1},
      {L"80000000", INT32_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(HexToInt(c.text), c.expected) << testing::PrintToString(std::wstring(c.text));
}

TEST(ColorToRGBValue, PutsRedHighAndDropsTheTopByte) {
  EXPECT_EQ(ColorToRGBValue(0x00332211u), 0x112233);
  EXPECT_EQ(ColorToRGBValue(0xFF0000FFu), 0xFF0000);
  EXPECT_EQ(ColorToRGBValue(0x00FF0000u), 0x0000FF);
}

}  // namespace
