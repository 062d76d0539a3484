// What the program keeps in the registry between runs, read from outside
// with `wine reg export`.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/TintraSession.h"

namespace {

using e2e::TintraSession;

constexpr unsigned long kWsMaximize = 0x01000000;

void CloseAndWait(TintraSession& tintra) {
  tintra.Close();
  auto code = tintra.WaitForExit(e2e::Millis(30000));
  ASSERT_TRUE(code.has_value()) << "Tintra did not end after WM_CLOSE";
  EXPECT_EQ(*code, 0);
}

TintraSession::Options KeepSettings() {
  TintraSession::Options o;
  o.ResetSettings = false;
  return o;
}

// The screen, which is the work area with no task bar on the virtual display.
std::pair<int, int> ScreenSize() {
  e2e::ProcessResult r = e2e::RunProcess({"xdotool", "getdisplaygeometry"});
  std::istringstream in(r.Out);
  int w = 0, h = 0;
  in >> w >> h;
  return {w, h};
}

TEST(Settings, ACleanStartAndExitWritesTheDesignedValues) {
  {
    TintraSession tintra;
    CloseAndWait(tintra);
  }
  auto values = e2e::RegExport(e2e::kSettingsKey);
  EXPECT_EQ(values["PosMain"], "331,57,580,304,1");
  EXPECT_EQ(values["ZoomWindow"], "1");
  EXPECT_EQ(values["HexOrder"], "0");
  EXPECT_EQ(values["Columns"].rfind("0,32,1,32,2,70,", 0), 0u) << values["Columns"];
  // An untitled document leaves no last file.
  EXPECT_EQ(values.count("LastFile"), 0u);
}

// A Tintra.ini beside the program takes every setting; the registry is left alone.
TEST(Settings, ATintraIniBesideTheProgramHoldsTheSettingsInstead) {
  char tmpl[] = "/tmp/tintra_portable_XXXXXX";
  ASSERT_NE(::mkdtemp(tmpl), nullptr);
  const std::filesystem::path dir = tmpl;
  std::filesystem::copy_file(TintraSession::ExePath(), dir / "Tintra.exe");
  std::ofstream(dir / "Tintra.ini", std::ios::binary) << "; kept\r\n[Tintra]\r\nHexOrder=1\r\n";
  const std::string oldExe = getenv("TINTRA_EXE") ? getenv("TINTRA_EXE") : "";
  ::setenv("TINTRA_EXE", (dir / "Tintra.exe").c_str(), 1);
  e2e::probe::RegDelete(e2e::kSettingsKey);
  {
    TintraSession tintra(KeepSettings());
    CloseAndWait(tintra);
  }
  if (oldExe.empty())
    ::unsetenv("TINTRA_EXE");
  else
    ::setenv("TINTRA_EXE", oldExe.c_str(), 1);
  std::ifstream in(dir / "Tintra.ini", std::ios::binary);
  const std::string ini((std::istreambuf_iterator<char>(in)), {});
  std::filesystem::remove_all(dir);
  EXPECT_EQ(ini.rfind("\xEF\xBB\xBF; kept\r\n", 0), 0u) << ini;
  EXPECT_NE(ini.find("[Tintra]\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("HexOrder=1\r\n"), std::string::npos) << "the stored byte order came back and went out";
  EXPECT_NE(ini.find("PosMain=331,57,580,304,1\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("ZoomWindow=1\r\n"), std::string::npos) << ini;
  EXPECT_TRUE(e2e::RegExport(e2e::kSettingsKey).empty()) << "nothing in the registry";
}

TEST(Settings, StoredPositionIsFittedAndAHiddenMagnifierStaysHidden) {
  e2e::probe::RegDelete(e2e::kSettingsKey);
  e2e::probe::RegSet(e2e::kSettingsKey, "PosMain", "5000,5000,507,304,1");
  e2e::probe::RegSet(e2e::kSettingsKey, "ZoomWindow", "0");
  const auto [width, height] = ScreenSize();
  {
    TintraSession tintra(KeepSettings());
    auto window = tintra.Window();
    EXPECT_EQ(window.Rect.Left, width - 16);
    EXPECT_EQ(window.Rect.Top, height - 16);
    EXPECT_EQ(window.Rect.Width(), 507);
    const std::vector<e2e::MenuEntry> menu = tintra.Menu();
    const e2e::MenuEntry* zoom = e2e::FindMenuEntry(menu, "拡大ウィンドウの表示");
    ASSERT_NE(zoom, nullptr);
    EXPECT_FALSE(zoom->Checked);
    CloseAndWait(tintra);
  }
  auto values = e2e::RegExport(e2e::kSettingsKey);
  EXPECT_EQ(values["PosMain"], std::to_string(width - 16) + "," + std::to_string(height - 16) + ",507,304,1");
  EXPECT_EQ(values["ZoomWindow"], "0");
}

TEST(Settings, MaximizedWindowComesBackMaximizedOverItsNormalBounds) {
  e2e::probe::RegDelete(e2e::kSettingsKey);
  e2e::probe::RegSet(e2e::kSettingsKey, "PosMain", "40,30,400,250,3");
  {
    TintraSession tintra(KeepSettings());
    EXPECT_TRUE(tintra.Window().Style & kWsMaximize);
    CloseAndWait(tintra);
  }
  EXPECT_EQ(e2e::RegExport(e2e::kSettingsKey)["PosMain"], "40,30,400,250,3");
}

TEST(Settings, DamagedPositionKeepsTheDesignedSize) {
  e2e::probe::RegDelete(e2e::kSettingsKey);
  e2e::probe::RegSet(e2e::kSettingsKey, "PosMain", "10,20,0,-5,1");
  TintraSession tintra(KeepSettings());
  auto window = tintra.Window();
  EXPECT_EQ(window.Rect.Left, 10);
  EXPECT_EQ(window.Rect.Top, 20);
  EXPECT_EQ(window.Rect.Width(), 580);
  EXPECT_EQ(window.Rect.Height(), 304);
}

}  // namespace

namespace {

// The byte order and a moved column layout come back, and go out again unchanged.
TEST(Settings, StoredByteOrderAndColumnOrderComeBack) {
  const std::string columns = "0,32,1,32,6,80,3,32,4,30,5,30,2,70";
  char dir[] = "/tmp/tintra_settings_XXXXXX";
  ASSERT_NE(::mkdtemp(dir), nullptr);
  const std::string list = std::string(dir) + "/orange.txt";
  std::ofstream(list, std::ios::binary) << "255,128,0,\"orange\"\r\n";
  std::string winList = "Z:" + list;
  for (char& c : winList)
    if (c == '/') c = '\\';
  e2e::probe::RegDelete(e2e::kSettingsKey);
  e2e::probe::RegSet(e2e::kSettingsKey, "HexOrder", "1");
  e2e::probe::RegSet(e2e::kSettingsKey, "Columns", columns);
  e2e::probe::RegSet(e2e::kSettingsKey, "LastFile", winList);
  {
    TintraSession tintra(KeepSettings());
    ASSERT_TRUE(e2e::WaitUntil([&] { return tintra.Caption() == "orange - Tintra"; }));
    const std::vector<e2e::MenuEntry> menu = tintra.Menu();
    const e2e::MenuEntry* copy = e2e::FindMenuEntry(menu, "コピー(&C)");
    ASSERT_NE(copy, nullptr);
    tintra.Command(copy->Id);
    // Blue, green, red: the stored order is the one in use.
    EXPECT_TRUE(e2e::WaitUntil([] { return e2e::probe::Clipboard() == std::optional<std::string>("#0080FF"); }));
    CloseAndWait(tintra);
  }
  std::filesystem::remove_all(dir);
  auto values = e2e::RegExport(e2e::kSettingsKey);
  EXPECT_EQ(values["HexOrder"], "1");
  // The comment column keeps its place; its width is fitted to the window again.
  EXPECT_EQ(values["Columns"].rfind("0,32,1,32,6,", 0), 0u) << values["Columns"];
  EXPECT_NE(values["Columns"].find(",3,32,4,30,5,30,2,70"), std::string::npos) << values["Columns"];
}

}  // namespace
