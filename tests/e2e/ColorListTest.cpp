// The colour list on the real program: a typed colour added with its
// comment, moved, copied in both byte orders and saved; a loaded list drawn
// with its swatches.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace {

using e2e::ReadBytes;
using e2e::TintraSession;
using e2e::WinControl;
using namespace std::chrono_literals;

// A list file, opened through the open dialog.
class ColorList : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tintra_list_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    Dir = tmpl;
    File = Dir + "/colors.txt";
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }

  // Opens the file with these bytes through the open dialog.
  void Open(TintraSession& tintra, const std::string& bytes) {
    std::ofstream(File, std::ios::binary) << bytes;
    tintra.ThroughFileDialog("開く(&O)...", File);
    EXPECT_EQ(e2e::Await(
                  std::string("colors - Tintra"), [&] { return tintra.Caption(); }, 20s),
              "colors - Tintra");
  }
  // Copies the current row and reads the Windows clipboard back.
  static std::string CopiedRow(TintraSession& tintra, const std::string& expected) {
    return e2e::Await(expected, [&] {
      tintra.Command(tintra.MenuId("コピー(&C)"));
      tintra.Sync();
      return e2e::probe::Clipboard().value_or("");
    });
  }

  std::string Dir, File;
};

TEST_F(ColorList, AddedColourGetsItsCommentMovesUpAndFollowsTheByteOrder) {
  TintraSession tintra;
  Open(tintra, "10,20,30,\"first\"\r\n");
  tintra.Focus();
  const char* values[] = {"255", "128", "0"};
  for (int i = 0; i < 3; ++i) {
    const WinControl edit = tintra.Control(ControlIds::FactorEditor(i));
    tintra.Click(edit.Rect.Left + 10, edit.Rect.CenterY());  // entering selects the whole text
    tintra.Type(values[i]);
    ASSERT_EQ(e2e::Await(std::string(values[i]), [&] { return tintra.Texts({ControlIds::FactorEditor(i)})[0]; }),
              values[i]);
  }
  tintra.Key("ctrl+Insert");
  EXPECT_EQ(e2e::Await(std::string("colors(変更) - Tintra"), [&] { return tintra.Caption(); }),
            "colors(変更) - Tintra");
  tintra.Type("sky");
  tintra.Key("Return");
  tintra.Key("ctrl+u");
  EXPECT_EQ(CopiedRow(tintra, "#FF8000"), "#FF8000");

  tintra.Key("ctrl+alt+b");
  EXPECT_EQ(CopiedRow(tintra, "#0080FF"), "#0080FF");
  const std::vector<e2e::MenuEntry> menu = tintra.Menu();
  const e2e::MenuEntry* bgr = e2e::FindMenuEntry(menu, "青緑赤(&B)");
  ASSERT_NE(bgr, nullptr);
  EXPECT_TRUE(bgr->Checked);

  tintra.Key("ctrl+s");
  const std::string expected = "255,128,0,\"sky\"\r\n10,20,30,\"first\"\r\n";
  EXPECT_EQ(e2e::Await(expected, [&] { return ReadBytes(File); }), expected);
  EXPECT_EQ(ReadBytes(Dir + "/colors.bak"), "10,20,30,\"first\"\r\n");

  tintra.Close();
  ASSERT_TRUE(tintra.WaitForExit(20s).has_value());
  EXPECT_EQ(e2e::probe::RegGet(e2e::kSettingsKey, "HexOrder").value_or(""), "1");
}

TEST_F(ColorList, ALoadedListShowsEachColourInItsSwatch) {
  const struct {
    int r, g, b;
    const char* comment;
  } items[] = {
      {230, 57, 70, "見出しの赤"}, {241, 250, 238, "背景"},     {168, 218, 220, "空色"},
      {69, 123, 157, "リンク"},    {29, 53, 87, "文字 (濃紺)"}, {244, 162, 97, "夕焼け"},
  };
  std::string bytes = "\xEF\xBB\xBF";  // UTF-8, whatever the ANSI code page
  for (const auto& i : items)
    bytes += std::to_string(i.r) + "," + std::to_string(i.g) + "," + std::to_string(i.b) + ",\"" + i.comment + "\"\r\n";
  TintraSession tintra;
  Open(tintra, bytes);
  tintra.Sync();
  const WinControl grid = tintra.Control(ControlIds::gridItem);
  // Swatch column: right of the 32-pixel row numbers and a grid line; rows 17 high.
  for (int row = 1; row <= 6; ++row) {
    const auto& i = items[row - 1];
    char hex[8];
    std::snprintf(hex, sizeof(hex), "#%02X%02X%02X", i.r, i.g, i.b);
    const int x = grid.Rect.Left + 50, y = grid.Rect.Top + 2 + row * 18 + 8;
    EXPECT_EQ(e2e::Await(std::string(hex), [&] { return e2e::probe::Pixel(x, y); }), hex) << row;
  }
  // Selecting a row makes its colour the current one.
  tintra.Click(grid.Rect.Left + 100, grid.Rect.Top + 2 + 3 * 18 + 8);
  const std::vector<std::string> sky = {"168", "218", "220"};
  const std::vector<int> rgb = {ControlIds::edtRed, ControlIds::edtGrn, ControlIds::edtBlu};
  EXPECT_EQ(e2e::Await(sky, [&] { return tintra.Texts(rgb); }), sky);
  if (const auto path = e2e::ScreenshotPath("list.png")) tintra.Screenshot(*path);
}

}  // namespace
