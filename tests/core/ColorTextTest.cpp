#include "core/color/uColorText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct PasteCase {
  std::string text;
  std::uint8_t order;
  std::optional<TColor> color;  // red in the low byte
};

TEST(PastedTextToColor, ReadsHexTextInEitherOrder) {
  const PasteCase cases[] = {
      {"#FF8000", 0, 0x0080FFu},         // red 255, green 128, blue 0
      {"#FF8000", 1, 0xFF8000u},         // red 0, green 128, blue 255
      {"$FF8000", 0, 0x0080FFu},         // a stray lead character counts as 0
      {"FF8000", 0, 0x0080FFu},          //
      {"\"FF8000", 0, 0x0080FFu},        //
      {"#ff8000", 0, 0x0080FFu},         // lower-case digits
      {"FF", 0, 0xFF0000u},              // right-aligned: blue 255
      {"red", 0, 0xED0000u},             // r counts as 0: 0ED, blue 237
      {"#123456", 0, 0x563412u},         //
      {"#123456", 1, 0x123456u},         //
      {"1FF8000", 1, 0xFF8000u},         // a seventh digit does not reach the colour
      {"1FF8000", 0, 0x0080FFu},         //
      {"", 0, std::nullopt},             // empty
      {"0xFF8000", 0, std::nullopt},     // 8 bytes
      {"#FF8000\r\n", 0, std::nullopt},  // a line break makes it too long
      {"#FF8000\n", 1, std::nullopt},    //
      {"#FF8000", 2, std::nullopt},      // no such order
      // Seven bytes of Shift_JIS: the limit counts bytes, no byte is a digit.
      {"\x82\xA0\x82\xA2\x82\xA4\x41", 0, 0x0A0000u},
      {"\x82\xA0\x82\xA2\x82\xA4\x82\xA6", 0, std::nullopt},  // 8 bytes
  };
  for (const PasteCase& c : cases) EXPECT_EQ(PastedTextToColor(c.text, c.order), c.color) << c.text;
}

}  // namespace
