#include "framework/support/uAnsiCodecWin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(AnsiCodecWinTest, SystemCodePageIsTheJapaneseOne) { EXPECT_EQ(TAnsiCodecWin().CodePage(), 932u); }

struct TFileCase {
  const char* Name;
  UINT CodePage;
  std::wstring Comment;
  std::string Bytes;
};

TEST(AnsiCodecWinTest, ListFileEncoding) {
  const std::vector<TFileCase> cases = {
      // Shift-JIS byte for byte, 表 with its 0x5C trail byte included.
      {"JapaneseStaysShiftJis", 932, L"日本語の表①", "1,2,3,\"\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\x5C\x87\x40\"\r\n"},
      {"HalfWidthKana", 932, L"ｶﾅ", "1,2,3,\"\xB6\xC5\"\r\n"},
      // Code page 932 has no é; a best-fit e would lose it.
      {"OutsideCp932GoesUtf8", 932, L"日本 café", U8(u8"\uFEFF1,2,3,\"日本 café\"\r\n")},
      // The wave dash only has a best-fit look-alike (the full-width tilde).
      {"BestFitRefused", 932, L"\u301C", U8(u8"\uFEFF1,2,3,\"\u301C\"\r\n")},
      {"Cp1252Exact", 1252, L"café €", "1,2,3,\"caf\xE9 \x80\"\r\n"},
      {"Cp1252BestFitRefused", 1252, L"\u0101", U8(u8"\uFEFF1,2,3,\"\u0101\"\r\n")},
      // UTF-8 as the system code page refuses the flags; the file is then
      // UTF-8 without a mark, read back the same way.
      {"Utf8CodePage", CP_UTF8, L"日本 café", U8(u8"1,2,3,\"日本 café\"\r\n")},
  };
  for (const TFileCase& c : cases) {
    const TAnsiCodecWin codec(c.CodePage);
    const std::vector<TColorListRow> rows = {{L"1", L"2", L"3", c.Comment}};
    const std::string bytes = ColorListWrite(rows, codec);
    EXPECT_EQ(bytes, c.Bytes) << c.Name;
    const std::vector<TColorListItem> items = ColorListRead(bytes, codec);
    ASSERT_EQ(items.size(), 1u) << c.Name;
    EXPECT_EQ(items[0].Comment, c.Comment) << c.Name;
  }
}

TEST(AnsiCodecWinTest, LoneSurrogateIsNotExactInUtf8) {
  std::string out;
  EXPECT_FALSE(
      TAnsiCodecWin(CP_UTF8).EncodeExact(L"a\xD800"
                                         L"b",
                                         out));
  EXPECT_TRUE(
      TAnsiCodecWin(CP_UTF8).EncodeExact(L"a\xD83D\xDE00"
                                         L"b",
                                         out));
}

}  // namespace
