#include "core/support/uStrings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/support/Exception.h"

namespace {

// Built from code units so that wchar_t of any width holds the same units.
const std::wstring kPair{static_cast<wchar_t>(0xD83C), static_cast<wchar_t>(0xDFA8)};   // U+1F3A8
const std::wstring kPair2{static_cast<wchar_t>(0xD83C), static_cast<wchar_t>(0xDFA9)};  // same lead
const std::wstring kHigh{static_cast<wchar_t>(0xD83C)};
const std::wstring kLow{static_cast<wchar_t>(0xDFA8)};

TEST(StripAcceleratorTest, Table) {
  struct TCase {
    std::wstring Caption;
    std::wstring Expected;
  };
  const TCase cases[] = {
      {L"開く(&O)...", L"開く"},
      {L"終了(&X)", L"終了"},
      {L"新規作成(&N)", L"新規作成"},
      {L"名前をつけて保存(&A)...", L"名前をつけて保存"},
      {L"拡大ウィンドウの表示", L"拡大ウィンドウの表示"},
      {L"(&A)", L""},
      {L"(&A)...", L""},
      {L"(&)", L""},  // a start before the first unit counts as the first
      {L"(&", L"(&"},
      {L"", L""},
      {L"A", L"A"},
      {L"Open(&O)..x", L"Open(&O)..x"},
      {L"Open(&O).. ", L"Open(&O).. "},
      {L"a(&B)c", L"a(&B)c"},
      {L"x(&AB)", L"x(&AB)"},
      {L"(&A)(&B)", L"(&A)"},
      {L"Save(&S)......", L"Save(&S)......"},
      {kPair + L"(&O)", kPair},
      {kPair + L"(&O)...", kPair},
  };
  for (const TCase& c : cases) EXPECT_EQ(StripAccelerator(c.Caption), c.Expected) << WideToUtf8(c.Caption);
}

TEST(AccessKeyOfTest, Table) {
  const std::pair<const wchar_t*, wchar_t> cases[] = {
      {L"追加(&A)", L'A'}, {L"&Formats:", L'F'}, {L"Move Dow&n", L'N'}, {L"R&&D &x", L'X'},
      {L"R&&D", 0},        {L"end&", 0},         {L"&#", 0},            {L"plain", 0}};
  for (const auto& [caption, key] : cases) EXPECT_EQ(AccessKeyOf(caption), key) << WideToUtf8(caption);
}

TEST(ExtractFileTitleTest, Table) {
  struct TCase {
    std::wstring Path;
    std::wstring Expected;
  };
  const TCase cases[] = {
      {L"", L""},
      {L"C:\\data\\colors.txt", L"colors"},
      {L"colors.txt", L"colors"},
      {L"colors", L"colors"},
      {L"C:\\data\\archive.tar.gz", L"archive.tar"},
      {L"C:\\dir.v2\\readme", L"readme"},
      {L"C:colors.txt", L"colors"},
      {L"/home/u/colors.txt", L"colors"},
      {L"\\\\server\\share\\list.bak", L"list"},
      {L"C:\\data\\", L""},
      {L"C:\\data\\.txt", L".txt"},
      {L"name.", L"name"},
      {L"C:\\データ\\色見本.txt", L"色見本"},
  };
  for (const TCase& c : cases) EXPECT_EQ(ExtractFileTitle(c.Path), c.Expected) << WideToUtf8(c.Path);
}

TEST(CommonPrefixLengthTest, Table) {
  struct TCase {
    std::wstring A, B;
    std::size_t Expected;
  };
  const TCase cases[] = {
      {L"", L"abc", 0},
      {L"abc", L"", 0},
      {L"", L"", 0},
      {L"abc", L"abc", 3},
      {L"abc", L"abd", 2},
      {L"abc", L"ab", 2},
      {L"ab", L"abc", 2},
      {L"xbc", L"abc", 0},
      {std::wstring(L"ab\0cd", 5), std::wstring(L"ab\0cd", 5), 2},
      {std::wstring(L"\0a", 2), std::wstring(L"\0a", 2), 0},
      {L"色見本", L"色見出し", 2},
      {L"a" + kPair + L"b", L"a" + kPair + L"b", 4},
      {L"a" + kPair + L"b", L"a" + kPair + L"c", 3},
      {L"a" + kPair, L"a" + kPair2, 1},  // lead units agree, trail units do not
      {L"a" + kHigh, L"a" + kPair, 1},
      {L"a" + kPair, L"a" + kHigh, 1},
      {L"a" + kHigh, L"a" + kHigh, 1},  // no trail unit: the pair is not whole
      {L"a" + kHigh + std::wstring(1, L'\0'), L"a" + kHigh + std::wstring(1, L'\0'), 1},
      {L"a" + kLow + L"b", L"a" + kLow + L"b", 3},  // a stray trail unit is a unit
  };
  for (const TCase& c : cases)
    EXPECT_EQ(CommonPrefixLength(c.A, c.B), c.Expected) << WideToUtf8(c.A) << " / " << WideToUtf8(c.B);
}

}  // namespace
