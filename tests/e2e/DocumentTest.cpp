// The file commands on the real program: the open dialog, save with its
// backup, the recent files after a restart and the question on close.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "tests/e2e/TintraSession.h"

namespace {

using e2e::MenuEntry;
using e2e::kIdCancel;
using e2e::kIdNo;
using e2e::ReadBytes;
using e2e::TintraSession;
using e2e::WaitFor;
using e2e::WinControl;
using e2e::WindowsPath;
using namespace std::chrono_literals;

class Documents : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tintra_doc_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir = tmpl;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  static void WaitForCaption(TintraSession& tintra, const std::string& caption) {
    WaitFor([&]() -> std::optional<bool> { return tintra.Caption() == caption ? std::optional(true) : std::nullopt; },
            "the caption " + caption + " (it is " + tintra.Caption() + ")");
  }

  std::string dir;
};

TEST_F(Documents, OpenSaveWithBackupAndSaveAsThroughTheDialogs) {
  const std::string file = dir + "/colors.txt";
  std::ofstream(file, std::ios::binary) << "255,0,0,\"old\"\r\n";
  TintraSession tintra;
  tintra.ThroughFileDialog("開く(&O)...", file);
  WaitForCaption(tintra, "colors - Tintra");
  EXPECT_FALSE(e2e::probe::RegGet(e2e::kSettingsKey, "DataDir"));  // opening remembers no folder

  tintra.Command(tintra.MenuId("上書き保存(&S)"));
  const std::string backup = dir + "/colors.bak";
  WaitFor([&]() -> std::optional<bool> { return std::filesystem::exists(backup) ? std::optional(true) : std::nullopt; },
          "the backup");
  tintra.Sync();
  EXPECT_EQ(ReadBytes(backup), "255,0,0,\"old\"\r\n");
  EXPECT_EQ(tintra.Caption(), "colors - Tintra");

  tintra.ThroughFileDialog("名前をつけて保存(&A)...", dir + "/new");
  WaitForCaption(tintra, "new - Tintra");
  EXPECT_TRUE(std::filesystem::exists(dir + "/new.txt"));  // the filter's default extension
  EXPECT_EQ(e2e::probe::RegGet(e2e::kSettingsKey, "DataDir"), WindowsPath(dir));
}

TEST_F(Documents, TheLastFileReopensAndARecentFileIsListedAfterARestart) {
  std::filesystem::create_directory(dir + "/R&D");
  const std::string file = dir + "/R&D/red & blue.txt";
  std::ofstream(file, std::ios::binary) << "0,0,255,\"\"\r\n";
  {
    TintraSession first;
    first.ThroughFileDialog("開く(&O)...", file);
    WaitForCaption(first, "red & blue - Tintra");
    first.Close();
    ASSERT_TRUE(first.WaitForExit(30s)) << "an unmodified document closes without a question";
  }
  TintraSession::Options again;
  again.ResetSettings = false;
  {
    // The file open at exit comes back by itself...
    TintraSession reopened(again);
    WaitForCaption(reopened, "red & blue - Tintra");
    reopened.Close();
    ASSERT_TRUE(reopened.WaitForExit(30s));
  }
  // ...unless the first argument is -n; the recent files are there either way.
  again.Args = {"-N"};
  TintraSession tintra(again);
  std::string shown = WindowsPath(file);
  for (size_t at = shown.find('&'); at != std::string::npos; at = shown.find('&', at + 2)) shown.insert(at, "&");
  const auto menu = tintra.Menu();
  const MenuEntry* entry = e2e::FindMenuEntry(menu, "&1 " + shown);
  ASSERT_NE(entry, nullptr) << "no recent-files entry &1 " << shown;
  EXPECT_EQ(tintra.Caption(), "(無題) - Tintra");
  tintra.Command(entry->Id);
  WaitForCaption(tintra, "red & blue - Tintra");
}

TEST_F(Documents, TheQuestionOnCloseCancelKeepsTheWindowNoDiscards) {
  TintraSession tintra;
  // A list edit is the only thing that modifies a document.
  tintra.Command(tintra.MenuId("追加(&A)"));
  WaitForCaption(tintra, "(無題)(変更) - Tintra");
  tintra.Close();
  unsigned long box = WaitFor([&] { return tintra.FindTopLevel(); }, "the save question");
  bool asked = false;
  for (const WinControl& c : tintra.ControlsOf(box)) asked |= c.Text == "(無題) は変更されています。保存しますか？";
  EXPECT_TRUE(asked);
  tintra.Press(box, kIdCancel);
  WaitFor([&]() -> std::optional<bool> { return tintra.FindTopLevel() ? std::nullopt : std::optional(true); },
          "the question to go");
  tintra.Sync();
  EXPECT_TRUE(tintra.Running());
  EXPECT_EQ(tintra.Caption(), "(無題)(変更) - Tintra");

  tintra.Close();
  box = WaitFor([&] { return tintra.FindTopLevel(); }, "the save question again");
  tintra.Press(box, kIdNo);
  EXPECT_TRUE(tintra.WaitForExit(30s));
}

// wineboot --end-session sends WM_QUERYENDSESSION and then WM_ENDSESSION to
// every top-level window, as logging off does.
TEST_F(Documents, EndingTheSessionAsksAsClosingDoesAndWritesTheSettings) {
  TintraSession tintra;
  e2e::probe::RegDelete(e2e::kSettingsKey);
  tintra.Command(tintra.MenuId("追加(&A)"));
  WaitForCaption(tintra, "(無題)(変更) - Tintra");

  auto endSession = [] { return e2e::RunProcess({"wineboot", "--end-session"}, 60s); };
  e2e::ProcessResult refused;
  std::thread first([&] { refused = endSession(); });
  unsigned long box = WaitFor([&] { return tintra.FindTopLevel(); }, "the save question at the end of the session");
  bool asked = false;
  for (const WinControl& c : tintra.ControlsOf(box)) asked |= c.Text == "(無題) は変更されています。保存しますか？";
  EXPECT_TRUE(asked);
  tintra.Press(box, kIdCancel);
  first.join();
  EXPECT_NE(refused.ExitCode, 0) << "Cancel refuses the end of the session";
  tintra.Sync();
  EXPECT_TRUE(tintra.Running());
  EXPECT_EQ(tintra.Caption(), "(無題)(変更) - Tintra");
  EXPECT_FALSE(e2e::probe::RegGet(e2e::kSettingsKey, "PosMain")) << "nothing written while the session goes on";

  e2e::ProcessResult ended;
  std::thread second([&] { ended = endSession(); });
  box = WaitFor([&] { return tintra.FindTopLevel(); }, "the save question again");
  tintra.Press(box, kIdNo);
  second.join();
  EXPECT_EQ(ended.ExitCode, 0);
  EXPECT_TRUE(tintra.WaitForExit(30s));
  // What a clean exit writes.
  EXPECT_EQ(e2e::probe::RegGet(e2e::kSettingsKey, "ZoomWindow"), "1");
  EXPECT_EQ(e2e::probe::RegGet(e2e::kSettingsKey, "HexOrder"), "0");
  EXPECT_TRUE(e2e::probe::RegGet(e2e::kSettingsKey, "PosMain"));
  EXPECT_TRUE(e2e::probe::RegGet(e2e::kSettingsKey, "Columns"));
}

}  // namespace
