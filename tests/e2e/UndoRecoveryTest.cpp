// Undo and redo of every kind of list step through keys and the menu, with
// the file's bytes after undoing and redoing all; and a list nobody saved
// coming back after the program was killed.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace {

using e2e::ReadBytes;
using e2e::TintraSession;
using e2e::WaitFor;
using e2e::WinControl;
using namespace std::chrono_literals;

const std::string kOriginal = "10,20,30,\"a\"\r\n40,50,60,\"b\"\r\n70,80,90,\"c\"\r\n";

class UndoRecovery : public testing::Test {
 protected:
  void SetUp() override { std::ofstream(File, std::ios::binary) << kOriginal; }

  static void AwaitCaption(TintraSession& tintra, const std::string& caption) {
    EXPECT_EQ(e2e::Await(caption, [&] { return tintra.Caption(); }, 20s), caption);
  }
  // Saves and waits for the file to hold what was saved.
  std::string Saved(TintraSession& tintra) {
    tintra.Command(tintra.MenuId("上書き保存(&S)"));
    AwaitCaption(tintra, "colors - Tintra");
    return ReadBytes(File);
  }
  // The edit menu's first item.
  static e2e::MenuEntry UndoEntry(TintraSession& tintra) { return tintra.Menu().at(1).Items.at(0); }
  static std::string UndoCaption(TintraSession& tintra) { return UndoEntry(tintra).Caption; }

  e2e::TTempDir Temp{"tintra_undo"};
  const std::string Dir = Temp.Path(), File = Dir + "/colors.txt";
};

TEST_F(UndoRecovery, TenStepsUndoneAndRedoneByKeysAndMenuGiveTheFilesBack) {
  const std::string gpl = Dir + "/two.gpl";
  std::ofstream(gpl, std::ios::binary) << "GIMP Palette\nName: two\n#\n255   0   0\tRed\n  0   0 255\tBlue\n";
  TintraSession tintra;
  tintra.ThroughFileDialog("開く(&O)...", File);
  AwaitCaption(tintra, "colors - Tintra");
  const WinControl grid = tintra.Control(ControlIds::gridItem);
  tintra.Focus();
  // The hex cell of row 1: no editor, only the current row.
  tintra.Click(grid.Rect.Left + 100, grid.Rect.Top + 2 + 18 + 9);
  // Down, down, add (with its comment), up; to row 1, delete, down.
  tintra.Key("ctrl+d ctrl+d ctrl+Insert x Return ctrl+u Up Up ctrl+Delete ctrl+d");
  AwaitCaption(tintra, "colors(変更) - Tintra");
  EXPECT_EQ(e2e::Await(std::string("元に戻す: 一行下に移動(&U)\tCtrl+Z"), [&] { return UndoCaption(tintra); }),
            "元に戻す: 一行下に移動(&U)\tCtrl+Z");
  tintra.ThroughFileDialog("インポート(&I)...", gpl);
  EXPECT_EQ(e2e::Await(std::string("元に戻す: インポート(&U)\tCtrl+Z"), [&] { return UndoCaption(tintra); }),
            "元に戻す: インポート(&U)\tCtrl+Z");
  tintra.Focus();
  tintra.Key("ctrl+Insert y Return");
  EXPECT_EQ(e2e::Await(std::string("元に戻す: 編集(&U)\tCtrl+Z"), [&] { return UndoCaption(tintra); }),
            "元に戻す: 編集(&U)\tCtrl+Z");
  const std::string done =
      "10,20,30,\"x\"\r\n70,80,90,\"c\"\r\n10,20,30,\"a\"\r\n255,0,0,\"Red\"\r\n0,0,255,\"Blue\"\r\n255,0,0,\"y\"\r\n";
  EXPECT_EQ(Saved(tintra), done);

  // Undoing one step after the save marks the list, redoing it unmarks it.
  tintra.Key("ctrl+z");
  AwaitCaption(tintra, "colors(変更) - Tintra");
  tintra.Key("ctrl+y");
  AwaitCaption(tintra, "colors - Tintra");

  // All ten back, five by keys and five by the menu.
  tintra.Key("ctrl+z ctrl+z ctrl+z ctrl+z ctrl+z");
  const int undo = UndoEntry(tintra).Id;
  for (int i = 0; i < 5; ++i) tintra.Command(undo);
  EXPECT_EQ(e2e::Await(std::string("元に戻す(&U)\tCtrl+Z"), [&] { return UndoCaption(tintra); }),
            "元に戻す(&U)\tCtrl+Z");
  EXPECT_EQ(Saved(tintra), kOriginal);
  tintra.Key("ctrl+y ctrl+y ctrl+y ctrl+y ctrl+y ctrl+shift+z ctrl+shift+z ctrl+shift+z ctrl+shift+z ctrl+shift+z");
  EXPECT_EQ(e2e::Await(std::string("元に戻す: 編集(&U)\tCtrl+Z"), [&] { return UndoCaption(tintra); }),
            "元に戻す: 編集(&U)\tCtrl+Z");
  EXPECT_EQ(Saved(tintra), done);
}

TEST_F(UndoRecovery, AKilledProgramsListComesBackAndSavesItsFile) {
  const std::filesystem::path folder = e2e::RecoveryFolder();
  auto recovered = [&]() -> std::optional<std::string> {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
      if (entry.path().extension() == ".recovery") return ReadBytes(entry.path().string());
    return std::nullopt;
  };
  {
    TintraSession tintra;
    tintra.ThroughFileDialog("開く(&O)...", File);
    AwaitCaption(tintra, "colors - Tintra");
    tintra.Focus();
    const WinControl grid = tintra.Control(ControlIds::gridItem);
    tintra.Click(grid.Rect.Left + 100, grid.Rect.Top + 2 + 18 + 9);
    tintra.Key("ctrl+Insert n e w Return");
    // On disk within two seconds of the change, before any save.
    EXPECT_TRUE(e2e::WaitUntil(
        [&] { return recovered().value_or("").find("10,20,30,\"new\"\r\n") != std::string::npos; }, 2500ms));
    // Settings too are written as they change, not at an exit that never comes.
    for (const char* command : {"青緑赤(&B)", "3 × 3 の平均", "拡大ウィンドウの表示"}) tintra.Command(tintra.MenuId(command));
    tintra.Sync();
    tintra.Kill();
  }
  auto settings = e2e::RegExport(e2e::kSettingsKey);
  EXPECT_EQ(settings["HexOrder"], "1");
  EXPECT_EQ(settings["SampleSize"], "3");
  EXPECT_EQ(settings["ZoomWindow"], "0");
  EXPECT_EQ(settings["LastFile"], e2e::WindowsPath(File));
  EXPECT_EQ(e2e::RegExport(std::string(e2e::kSettingsKey) + "\\History")["H1"], e2e::WindowsPath(File));
  // A damaged file of another program that ended is named and kept aside.
  std::ofstream(folder / "1-1.recovery", std::ios::binary) << "not a list";
  TintraSession::Options again;
  again.ResetSettings = false;
  again.Args = {"-n"};
  TintraSession tintra(again);
  unsigned long box = WaitFor([&] { return tintra.FindTopLevel(); }, "the box about the damaged file");
  std::string text;
  for (const WinControl& c : tintra.ControlsOf(box)) text += c.Text;
  EXPECT_NE(text.find("1-1.recovery を読み込めませんでした"), std::string::npos) << text;
  tintra.Press(box, e2e::kIdOk);
  EXPECT_TRUE(e2e::WaitUntil([&] { return std::filesystem::exists(folder / "1-1.recovery.bad"); }));

  box = WaitFor(
      [&]() -> std::optional<unsigned long> {
        const auto found = tintra.FindTopLevel();
        return found && *found != box ? found : std::nullopt;
      },
      "the question");
  text.clear();
  for (const WinControl& c : tintra.ControlsOf(box)) text += c.Text;
  EXPECT_NE(text.find("前回、保存されずに終了した色リストがあります (4 色、" + e2e::WindowsPath(File) +
                      ")。復元しますか？"),
            std::string::npos)
      << text;
  tintra.Press(box, e2e::kIdYes);
  AwaitCaption(tintra, "colors(変更) - Tintra");
  EXPECT_EQ(Saved(tintra), kOriginal + "10,20,30,\"new\"\r\n");
  EXPECT_EQ(ReadBytes(Dir + "/colors.bak"), kOriginal);
  // Saved: nothing left to recover.
  EXPECT_TRUE(e2e::WaitUntil([&] { return !recovered(); }));
}

}  // namespace
