#include "core/colorout/uPasteText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/color/uColorText.h"
#include "core/colorout/uColorChannels.h"

namespace {

struct PasteCase {
  const wchar_t* text;
  std::optional<TColor> color;
};

TEST(RecognizeColorText, ReadsCssTextsTrimmed) {
  const PasteCase cases[] = {
      {L"#abc", MakeColor(0xAA, 0xBB, 0xCC)},
      {L"#F80", MakeColor(0xFF, 0x88, 0x00)},
      {L"  #000\r\n", MakeColor(0, 0, 0)},
      {L"rgb(18, 52, 86)", MakeColor(18, 52, 86)},
      {L"rgb(18 52 86)", MakeColor(18, 52, 86)},
      {L"RGB(18,52,86)", MakeColor(18, 52, 86)},
      {L"rgb( 255 , 128 , 0 )", MakeColor(255, 128, 0)},
      {L"rgb(100%, 50%, 0%)", MakeColor(255, 128, 0)},  // 127.5 rounds up
      {L"rgb(300, -5, 0)", MakeColor(255, 0, 0)},       // clamped as CSS does
      {L"rgb(18.4, 52.5, 86)", MakeColor(18, 53, 86)},
      {L"\trgb(0 0 0)\t", MakeColor(0, 0, 0)},
      // HSL to RGB as browsers compute it.
      {L"hsl(0, 100%, 50%)", MakeColor(255, 0, 0)},
      {L"hsl(120, 100%, 25%)", MakeColor(0, 128, 0)},
      {L"hsl(120 100% 25%)", MakeColor(0, 128, 0)},
      {L"hsl(240deg 100% 50%)", MakeColor(0, 0, 255)},
      {L"hsl(-120, 100%, 50%)", MakeColor(0, 0, 255)},
      {L"hsl(480, 100%, 50%)", MakeColor(0, 255, 0)},
      {L"hsl(30, 100%, 50%)", MakeColor(255, 128, 0)},
      {L"hsl(0, 0%, 50%)", MakeColor(128, 128, 128)},
      {L"hsl(0, 0%, 100%)", MakeColor(255, 255, 255)},
      {L"hsl(210, 65%, 20%)", MakeColor(18, 51, 84)},  // by hand: 17.85, 51, 84.15
      {L"HSL(60, 100%, 50%)", MakeColor(255, 255, 0)},
      {L"red", MakeColor(255, 0, 0)},
      {L" Navy ", MakeColor(0, 0, 128)},
      {L"REBECCAPURPLE", MakeColor(0x66, 0x33, 0x99)},
      {L"\u3000white\u3000", MakeColor(255, 255, 255)},  // ideographic spaces
      // CSS Color 4 forms the first rule left to the hex rule.
      {L"#abcd", MakeColor(0xAA, 0xBB, 0xCC)},
      {L"rgb(1, 2, 3, 4)", MakeColor(1, 2, 3)},
      {L"rgba(1, 2, 3)", MakeColor(1, 2, 3)},
      {L"hsl(1turn, 2%, 3%)", MakeColor(8, 7, 7)},  // by hand: 7.803, 7.497, 7.497
  };
  for (const PasteCase& c : cases) EXPECT_EQ(RecognizeColorText(c.text), c.color) << std::wstring(c.text).size();
}

TEST(RecognizeColorText, LeavesEverythingElseToTheHexRule) {
  const wchar_t* texts[] = {
      L"#FF8000",  L"$FF8000",        L"123456",           L"FF8000",
      L"#ab",      L"#ggg",           L"",                 L"   ",             L"rgb(1, 2)",
      L"rgb(1 2, 3)", L"rgb(1,,2,3)",  L"rgb(1, 2, 3,)",   L"rgb (1, 2, 3)",
      L"rgb(1, 2, 3",     L"rgb(a, b, c)", L"rgb(1px, 2, 3)", L"rgb()",        L"hsl(1%, 2%, 3%)",
      L"hsl(10, 20%)", L"redd",     L"red;",
      L"rgb(.)",   L"rgb(-, 2, 3)",   L"#\uFF41bc",
  };
  for (const wchar_t* text : texts) EXPECT_FALSE(RecognizeColorText(text)) << std::wstring(text).size();
}

TEST(RecognizeColorText, HugeNumbersStayFinite) {
  EXPECT_EQ(RecognizeColorText(L"rgb(99999999999999999999999999, 0, 0)"), MakeColor(255, 0, 0));
  EXPECT_EQ(RecognizeColorText(L"hsl(99999999999999999999999, 100%, 50%)").has_value(), true);
}

TEST(RecognizeColorTextAnsi, ReadsAsciiAndRejectsOtherBytes) {
  EXPECT_EQ(RecognizeColorTextAnsi("rgb(18, 52, 86)"), MakeColor(18, 52, 86));
  EXPECT_EQ(RecognizeColorTextAnsi("#123"), MakeColor(0x11, 0x22, 0x33));
  EXPECT_FALSE(RecognizeColorTextAnsi("\x82\xA0red"));
  EXPECT_FALSE(RecognizeColorTextAnsi(std::string("red\0", 4)));
}

TEST(RecognizeColorTextAnsi, HexRuleStillGivesWhatItGaveBefore) {
  // What the caller falls back to: the existing rule, unchanged, with its
  // byte order. "red" there is the hex digits 0ED (blue 237); here it is a
  // name, recognised first.
  EXPECT_FALSE(RecognizeColorTextAnsi("#FF8000"));
  EXPECT_EQ(PastedTextToColor("#FF8000", 0), 0x0080FFu);
  EXPECT_EQ(PastedTextToColor("#FF8000", 1), 0xFF8000u);
  EXPECT_EQ(RecognizeColorTextAnsi("red"), MakeColor(255, 0, 0));
}

}  // namespace
