// The sampled area chosen from the settings menu and the pick hot key, on a
// checkerboard of two known colours on the root, with real X input.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace {

namespace fs = std::filesystem;
using e2e::TintraSession;
using namespace std::chrono_literals;

struct TRgb {
  int R = 0, G = 0, B = 0;
  bool operator==(const TRgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TRgb& c) {
  return out << "(" << c.R << ", " << c.G << ", " << c.B << ")";
}

constexpr int kX = 1000, kY = 800;  // x + y even: #FF8000

TRgb EditorRgb(TintraSession& tintra) {
  auto t = tintra.Texts({ControlIds::FactorEditor(0), ControlIds::FactorEditor(1), ControlIds::FactorEditor(2)});
  return {std::atoi(t[0].c_str()), std::atoi(t[1].c_str()), std::atoi(t[2].c_str())};
}
TRgb EditorRgbWhen(TintraSession& tintra, TRgb expected) {
  return e2e::Await(expected, [&] { return EditorRgb(tintra); });
}

TEST(Pick, EachSampledAreaFromTheMenuPicksItsKnownColour) {
  e2e::SetCheckerRoot();
  TintraSession tintra;
  const e2e::WinControl spoit = tintra.Control(ControlIds::pboxSpoit);
  // Counted by hand: the centre's colour has 5 of 9, 13 of 25, 41 of 81.
  // Each differs from the one before, so each pick is seen to happen.
  const struct {
    const char* item;
    TRgb expected;
  } cases[] = {
      {"5 × 5 の最多色", {255, 128, 0}},  // 13 against 12
      {"3 × 3 の平均", {142, 100, 85}},   // 1275/9, 896/9, 768/9
      {"5 × 5 の平均", {133, 97, 92}},    // 3315/25, 2432/25, 2304/25
      {"9 × 9 の平均", {129, 96, 95}},    // 10455/81, 7808/81, 7680/81
      {"1 × 1 ピクセル", {255, 128, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    const std::vector<e2e::MenuEntry> menu = tintra.Menu();
    const e2e::MenuEntry* item = e2e::FindMenuEntry(menu, c.item);
    ASSERT_NE(item, nullptr);
    tintra.Command(item->Id);
    ASSERT_TRUE(e2e::WaitUntil([&] {
      const std::vector<e2e::MenuEntry> now = tintra.Menu();
      const e2e::MenuEntry* entry = e2e::FindMenuEntry(now, c.item);
      return entry && entry->Checked;
    }));
    tintra.Drag(spoit.Rect.CenterX(), spoit.Rect.CenterY(), kX, kY, 4);
    EXPECT_EQ(EditorRgbWhen(tintra, c.expected), c.expected);
  }
  tintra.Close();
  ASSERT_TRUE(tintra.WaitForExit(20s).has_value());
  EXPECT_EQ(e2e::probe::RegGet(e2e::kSettingsKey, "SampleSize"), "1");
  EXPECT_EQ(e2e::probe::RegGet(e2e::kSettingsKey, "SampleMode"), "0");
}

std::pair<int, int> Pointer() {
  auto r = e2e::RunProcess({"xdotool", "getmouselocation", "--shell"});
  int x = -1, y = -1;
  std::sscanf(r.Out.c_str(), "X=%d\nY=%d", &x, &y);
  return {x, y};
}

TEST(Pick, ArrowKeysMoveTheHeldEyedropperByOneOrTenPixels) {
  e2e::SetCheckerRoot();
  TintraSession tintra;
  const e2e::WinControl spoit = tintra.Control(ControlIds::pboxSpoit);
  // Keys go to the focused window; with no window manager, that is Tintra's only when asked.
  tintra.Focus();
  e2e::Xdotool({"mousemove", "--sync", std::to_string(spoit.Rect.CenterX()), std::to_string(spoit.Rect.CenterY()),
                "mousedown", "1", "mousemove", "--sync", std::to_string(kX), std::to_string(kY)});
  EXPECT_EQ(EditorRgbWhen(tintra, {255, 128, 0}), (TRgb{255, 128, 0}));
  const struct {
    const char* key;
    int x, y;
    TRgb expected;
  } steps[] = {
      {"Right", kX + 1, kY, {0, 64, 192}},           {"Down", kX + 1, kY + 1, {255, 128, 0}},
      {"shift+Left", kX - 9, kY + 1, {255, 128, 0}},  // ten keeps the square's colour
      {"shift+Up", kX - 9, kY - 9, {255, 128, 0}},   {"Up", kX - 9, kY - 10, {0, 64, 192}},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.key);
    e2e::Xdotool({"key", s.key});
    EXPECT_EQ(EditorRgbWhen(tintra, s.expected), s.expected);
    EXPECT_EQ(e2e::Await(std::pair{s.x, s.y}, Pointer), (std::pair{s.x, s.y}));
  }
  e2e::Xdotool({"mouseup", "1"});
  tintra.Sync();
  EXPECT_EQ(EditorRgb(tintra), (TRgb{0, 64, 192}));
}

// Another Wine program's window with the keyboard focus: the key reaches
// the system through it, and Tintra takes the pick without coming forward.
class TOtherProgram {
 public:
  TOtherProgram() {
    const fs::path helpers = fs::path(TintraSession::ExePath()).parent_path() / "tests/e2e/droptarget";
    const std::string exe = (helpers / "tintra_droptarget.exe").string();
    FPid = ::fork();
    if (FPid == 0) {
      const char* argv[] = {"wine", exe.c_str(), "Z:\\tmp\\tintra-e2e-other.log", "100", "500", "200", "150", nullptr};
      ::execvp("wine", const_cast<char**>(argv));
      ::_exit(127);
    }
  }
  ~TOtherProgram() {
    ::kill(FPid, SIGKILL);
    ::waitpid(FPid, nullptr, 0);
  }
  TOtherProgram(const TOtherProgram&) = delete;
  TOtherProgram& operator=(const TOtherProgram&) = delete;
  std::string XWindow() {
    std::string id;
    e2e::WaitUntil(
        [&] {
          auto r = e2e::RunProcess(
              {"xdotool", "search", "--all", "--pid", std::to_string(FPid), "--onlyvisible", "--name", ""});
          id = r.Out.substr(0, r.Out.find('\n'));
          return r.ExitCode == 0 && !id.empty();
        },
        20s);
    return id;
  }

 private:
  pid_t FPid = -1;
};

TEST(Pick, TheHotKeyPicksUnderThePointerWhileAnotherProgramIsActive) {
  e2e::SetCheckerRoot();
  e2e::probe::RegDelete(e2e::kSettingsKey);
  e2e::probe::RegSet(e2e::kSettingsKey, "PickHotKey", "6,120");  // Ctrl+Shift+F9 (Ctrl+Alt+F9 is X's console switch)
  e2e::probe::RegSet(e2e::kSettingsKey, "PickHotKeyAdd", "1");
  e2e::probe::RegSet(e2e::kSettingsKey, "SampleSize", "3");
  TintraSession::Options options;
  options.ResetSettings = false;
  TintraSession tintra(options);
  ASSERT_EQ(tintra.Caption(), "(無題) - Tintra");
  TOtherProgram other;
  const std::string otherWindow = other.XWindow();
  ASSERT_FALSE(otherWindow.empty());
  e2e::Xdotool({"windowfocus", "--sync", otherWindow});
  e2e::Xdotool({"mousemove", "--sync", std::to_string(kX), std::to_string(kY)});
  e2e::Xdotool({"key", "ctrl+shift+F9"});
  EXPECT_EQ(EditorRgbWhen(tintra, {142, 100, 85}), (TRgb{142, 100, 85}));
  // Added to the list, as 追加 does.
  EXPECT_TRUE(e2e::WaitUntil([&] { return tintra.Caption() == "(無題)(変更) - Tintra"; })) << tintra.Caption();
  auto focus = e2e::RunProcess({"xdotool", "getwindowfocus"});
  EXPECT_EQ(focus.Out.substr(0, focus.Out.find('\n')), otherWindow) << "Tintra took the focus";
  tintra.Kill();
}

}  // namespace
