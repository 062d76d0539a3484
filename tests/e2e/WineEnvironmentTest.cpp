// What the program's Japanese user interface needs from the Wine setup:
// code page 932 and real glyphs for the fonts it asks for by name.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/TintraSession.h"

namespace {

TEST(WineEnvironment, AnsiCodePageIsJapanese) {
  auto lines = e2e::probe::Lines({"acp"});
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0][0], "932");
}

class JapaneseFont : public testing::TestWithParam<const char*> {};

// Without the font substitutes a request by face name falls back to some
// other font (fixed pitch at best, boxes at worst) and layouts shift.
TEST_P(JapaneseFont, ResolvesByNameWithEveryGlyphOfTheMenuTexts) {
  auto lines = e2e::probe::Lines({"font", GetParam(), "13", "拡大ウィンドウの表示１６進数表記の並び順ファイル(&F)"});
  ASSERT_FALSE(lines.empty());
  ASSERT_GE(lines[0].size(), 2u);
  EXPECT_EQ(lines[0][0], GetParam());
  EXPECT_EQ(lines[0][1], "0") << "missing glyphs with face " << lines[0][0];
}

std::string FaceTestName(const testing::TestParamInfo<const char*>& info) {
  const char* names[] = {"MSPGothic", "MSGothic", "MSUIGothic"};
  return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(Faces, JapaneseFont, testing::Values("ＭＳ Ｐゴシック", "ＭＳ ゴシック", "MS UI Gothic"),
                         FaceTestName);

// Also checks the probe's escaping both ways: tabs and backslashes in text.
TEST(WineEnvironment, ClipboardCarriesJapaneseTextWithTabs) {
  const std::string text = "#12AB34\t色の見本\\x";
  e2e::probe::SetClipboard(text);
  EXPECT_EQ(e2e::probe::Clipboard(), text);
  e2e::probe::SetClipboard("a\tb");
  EXPECT_EQ(e2e::probe::Clipboard(), "a\tb");
}

}  // namespace
