// Palette exchange on the real program: a list exported as a GIMP palette
// through the save dialog and imported back through the open dialog.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/TintraSession.h"

namespace {

using e2e::ReadBytes;
using e2e::TintraSession;
using namespace std::chrono_literals;

class Palettes : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tintra_palette_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    Dir = tmpl;
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }

  static std::string AwaitCaption(TintraSession& tintra, const std::string& caption) {
    return e2e::Await(
        caption, [&] { return tintra.Caption(); }, 20s);
  }

  std::string Dir;
};

TEST_F(Palettes, AGplExportedThroughTheDialogComesBackAsNewRows) {
  const std::string rows = "18,52,86,\"sea\"\r\n255,128,0,\"orange\"\r\n0,0,0,\"black\"\r\n";
  const std::string list = Dir + "/colors.txt";
  std::ofstream(list, std::ios::binary) << rows;
  TintraSession tintra;
  tintra.ThroughFileDialog("開く(&O)...", list);
  ASSERT_EQ(AwaitCaption(tintra, "colors - Tintra"), "colors - Tintra");

  // Typed without extension: the type list's first entry, the GIMP palette.
  tintra.ThroughFileDialog("エクスポート(&E)...", Dir + "/out");
  const std::string gpl = Dir + "/out.gpl";
  const std::string expected =
      "GIMP Palette\nName: out\nColumns: 0\n#\n 18  52  86\tsea\n255 128   0\torange\n  0   0   0\tblack\n";
  EXPECT_EQ(e2e::Await(
                expected, [&] { return ReadBytes(gpl); }, 20s),
            expected);
  tintra.Sync();
  EXPECT_EQ(tintra.Caption(), "colors - Tintra");  // export leaves the document as it was

  tintra.ThroughFileDialog("インポート(&I)...", gpl);
  EXPECT_EQ(AwaitCaption(tintra, "colors(変更) - Tintra"), "colors(変更) - Tintra");
  // The rows as the list holds them, read back from the saved list.
  tintra.Focus();
  tintra.Key("ctrl+s");
  EXPECT_EQ(e2e::Await(
                rows + rows, [&] { return ReadBytes(list); }, 20s),
            rows + rows);
  EXPECT_EQ(AwaitCaption(tintra, "colors - Tintra"), "colors - Tintra");

  // Opened as a document, the palette is a new list: saved under a name of its own.
  tintra.ThroughFileDialog("開く(&O)...", gpl);
  EXPECT_EQ(AwaitCaption(tintra, "(無題)(変更) - Tintra"), "(無題)(変更) - Tintra");
  tintra.ThroughFileDialog("名前をつけて保存(&A)...", Dir + "/from-gpl.txt");
  EXPECT_EQ(e2e::Await(rows, [&] { return ReadBytes(Dir + "/from-gpl.txt"); }, 20s), rows);
  EXPECT_EQ(ReadBytes(gpl), expected);
}

}  // namespace
