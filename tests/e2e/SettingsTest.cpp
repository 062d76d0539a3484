// What the program keeps in the registry between runs, read from outside
// with `wine reg export`.
#include <gtest/gtest.h>

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
  EXPECT_EQ(values["PosMain"], "331,57,507,304,1");
  EXPECT_EQ(values["ZoomWindow"], "1");
  // An untitled document leaves no last file.
  EXPECT_EQ(values.count("LastFile"), 0u);
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
  EXPECT_EQ(window.Rect.Width(), 507);
  EXPECT_EQ(window.Rect.Height(), 304);
}

}  // namespace
