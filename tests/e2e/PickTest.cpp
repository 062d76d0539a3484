// The sampled area chosen from the settings menu and the pick hot key, on a
// checkerboard of two known colours on the root, with real X input.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <sys/wait.h>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace e2e {
std::ostream& operator<<(std::ostream& out, const ScreenRect& r) {
  return out << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
}  // namespace e2e

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
  e2e::probe::RegSet(e2e::kSettingsKey, "PickHotKeyMode", "0");  // at once, without the pick mode
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

// A visible top-level window of any Wine program with this title: the
// loupe is 取得モード, the frozen screen 固定した画面.
std::optional<e2e::WinControl> Shown(const std::string& title) {
  for (const auto& f : e2e::probe::Lines({"find"}))
    if (f.size() >= 6 && f[3] == "1" && f[5] == title) return e2e::probe::Window(std::stoul(f[0], nullptr, 16));
  return std::nullopt;
}
e2e::WinControl AwaitShown(const std::string& title) { return e2e::WaitFor([&] { return Shown(title); }, title); }
bool AwaitGone(const std::string& title) { return e2e::WaitUntil([&] { return !Shown(title); }); }
std::string At(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
void Xdo(const std::string& args) { e2e::RunProcess({"sh", "-c", "xdotool " + args}); }
std::string Clip() { return e2e::probe::Clipboard().value_or(""); }
// Keys reach Tintra's window once a click made it the active one; the X focus alone does not.
void Activate(TintraSession& tintra) {
  const e2e::WinControl label = tintra.Control(ControlIds::lblColorName);
  tintra.Focus();
  tintra.Click(label.Rect.CenterX(), label.Rect.CenterY());
}
std::string ClipWhen(const std::string& expected) { return e2e::Await(expected, Clip); }

TEST(PickMode, CtrlKShowsTheLoupeBesideThePointerAndEnterCopiesInEachFormat) {
  e2e::SetCheckerRoot();
  TintraSession tintra;
  const std::vector<e2e::MenuEntry> menu = tintra.Menu();
  const e2e::MenuEntry* onPick = e2e::FindMenuEntry(menu, "取得時にコピー(&C)");
  ASSERT_NE(onPick, nullptr);
  // #FF8000 in the 22 built-in formats, after なし.
  const std::vector<std::string> formats = {"#FF8000", "#ff8000", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)",
                                            "hwb(30 0% 0%)", "oklch(0.7319 0.1858 52.98)", "0x0080FF", "$000080FF",
                                            "1.000, 0.502, 0.000", "16744448", "\u2248darkorange",
                                            "lab(67.82 45.49 74.84)", "lch(67.82 87.58 58.71)",
                                            "oklab(0.7319 0.1119 0.1484)", "color(display-p3 0.9361 0.5290 0.1987)",
                                            "color(srgb-linear 1.0000 0.2159 0.0000)",
                                            "color(xyz-d65 0.4896 0.3670 0.0451)", "cmyk(0%, 50%, 100%, 0%)",
                                            "vec4(1.000, 0.502, 0.000, 1.0)", "#FFFF8000",
                                            "Color.FromArgb(255, 255, 128, 0)",
                                            "Color(red: 1.000, green: 0.502, blue: 0.000)"};
  ASSERT_EQ(onPick->Items.size(), formats.size() + 1);
  // 176 x 186 at 96 DPI, right of the cursor and below the pointer, flipped at the screen's edges.
  const struct {
    int x, y;
    e2e::ScreenRect loupe;
  } places[] = {{600, 400, {639, 408, 815, 594}},  {0, 0, {39, 8, 215, 194}},         {1278, 0, {1083, 8, 1259, 194}},
                {0, 1022, {39, 828, 215, 1014}}, {1279, 1023, {1084, 829, 1260, 1015}}, {kX, kY, {1039, 808, 1215, 994}}};
  for (size_t f = 0; f < formats.size(); ++f) {
    SCOPED_TRACE(formats[f]);
    const auto& place = places[f % std::size(places)];
    tintra.Command(onPick->Items[f + 1].Id);
    tintra.Sync();
    Activate(tintra);
    Xdo("mousemove --sync " + At(place.x, place.y) + " key ctrl+k");
    AwaitShown("取得モード");
    EXPECT_EQ(e2e::Await(place.loupe, [&] { return AwaitShown("取得モード").Rect; }), place.loupe);
    Xdo("key Return");
    EXPECT_EQ(ClipWhen(formats[f]), formats[f]);
    EXPECT_TRUE(AwaitGone("取得モード"));
    EXPECT_EQ(EditorRgbWhen(tintra, {255, 128, 0}), (TRgb{255, 128, 0}));
    std::cout << "loupe at " << place.x << ", " << place.y << ": " << place.loupe << "; copied " << formats[f] << "\n";
  }
  // Nothing was to be added to the list.
  EXPECT_EQ(tintra.Caption(), "(無題) - Tintra");
}

TEST(PickMode, EscAndARightClickCancelAndChangeNothing) {
  e2e::SetCheckerRoot();
  TintraSession tintra;
  e2e::probe::SetClipboard("unchanged");
  const e2e::WinControl grid = tintra.Control(ControlIds::gridItem);
  for (const std::string& how : {std::string("key Escape"), "mousemove --sync " + At(grid.Rect.CenterX(), grid.Rect.CenterY()) + " click 3"}) {
    SCOPED_TRACE(how);
    Activate(tintra);
    Xdo("mousemove --sync " + At(kX, kY) + " key ctrl+k");
    AwaitShown("取得モード");
    Xdo(how);
    EXPECT_TRUE(AwaitGone("取得モード"));
    tintra.Sync();
    // The right click never reached the list: its shortcut menu stays shut.
    EXPECT_FALSE(tintra.FindTopLevel("#32768").has_value());
    EXPECT_EQ(EditorRgb(tintra), (TRgb{0, 0, 0}));
    EXPECT_EQ(Clip(), "unchanged");
    EXPECT_EQ(tintra.Caption(), "(無題) - Tintra");
  }
}

TEST(PickMode, TheFrozenScreenKeepsItsColourAfterTheScreenUnderItChanged) {
  e2e::RunProcess({"xsetroot", "-solid", "#123456"});
  TintraSession tintra;
  const std::vector<e2e::MenuEntry> menu = tintra.Menu();
  tintra.Command(e2e::FindMenuEntry(menu, "取得時にコピー(&C)")->Items[1].Id);  // Hex
  tintra.Sync();
  Activate(tintra);
  Xdo("mousemove --sync " + At(kX, kY) + " key ctrl+k");
  AwaitShown("取得モード");
  Xdo("key f");  // F freezes the running pick
  EXPECT_EQ(AwaitShown("固定した画面").Rect, (e2e::ScreenRect{0, 0, 1280, 1024}));
  e2e::RunProcess({"xsetroot", "-solid", "#C86432"});
  // The screen still shows the copy; the root under it has changed.
  EXPECT_EQ(e2e::probe::Pixel(10, 10), "#123456");
  Xdo("key Return");
  EXPECT_EQ(ClipWhen("#123456"), "#123456");
  EXPECT_TRUE(AwaitGone("固定した画面"));
  EXPECT_EQ(EditorRgbWhen(tintra, {18, 52, 86}), (TRgb{18, 52, 86}));
  std::cout << "frozen pick: " << Clip() << "\n";
  // The next pick is live again.
  Xdo("key ctrl+k");
  AwaitShown("取得モード");
  Xdo("key Return");
  EXPECT_EQ(ClipWhen("#C86432"), "#C86432");
  std::cout << "live pick: " << Clip() << "\n";
}

TEST(PickMode, TheHotKeyStartsThePickWhileAnotherProgramKeepsTheFocus) {
  e2e::SetCheckerRoot();
  e2e::probe::RegDelete(e2e::kSettingsKey);
  e2e::probe::RegSet(e2e::kSettingsKey, "PickHotKey", "6,120");  // Ctrl+Shift+F9
  e2e::probe::RegSet(e2e::kSettingsKey, "PickHotKeyAdd", "1");
  TintraSession::Options options;
  options.ResetSettings = false;
  TintraSession tintra(options);
  TOtherProgram other;
  const std::string otherWindow = other.XWindow();
  Xdo("windowfocus --sync " + otherWindow + " mousemove --sync " + At(kX + 1, kY) + " key ctrl+shift+F9");
  AwaitShown("取得モード");
  Xdo("key Return");
  EXPECT_EQ(EditorRgbWhen(tintra, {0, 64, 192}), (TRgb{0, 64, 192}));
  EXPECT_TRUE(e2e::WaitUntil([&] { return tintra.Caption() == "(無題)(変更) - Tintra"; })) << tintra.Caption();
  auto focus = e2e::RunProcess({"xdotool", "getwindowfocus"});
  EXPECT_EQ(focus.Out.substr(0, focus.Out.find('\n')), otherWindow) << "Tintra took the focus";
  tintra.Kill();
}

// Tintra.exe with these arguments, its output read from the pipe it writes to.
class TCommandLine {
 public:
  explicit TCommandLine(const std::string& args)
      : FPipe(::popen(("exec wine '" + TintraSession::ExePath() + "' " + args + " 2>&1").c_str(), "r")) {}
  ~TCommandLine() {
    if (FPipe) Finish();
  }
  // The exit code and everything written.
  std::pair<int, std::string> Finish() {
    std::string out;
    char buffer[256];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, FPipe)) out.append(buffer, n);
    const int status = ::pclose(std::exchange(FPipe, nullptr));
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
  }

 private:
  FILE* FPipe;
};

TEST(PickMode, TheCommandLinePicksPrintsAndExitsWithItsCode) {
  e2e::RunProcess({"xsetroot", "-solid", "#123456"});
  e2e::probe::RegDelete(e2e::kSettingsKey);
  e2e::probe::RegSet(e2e::kSettingsKey, "PickFreeze", "1");
  e2e::probe::SetClipboard("unchanged");
  {
    // The stored option freezes the screen; a click on it picks.
    TCommandLine run("--pick --format rgb");
    AwaitShown("固定した画面");
    e2e::RunProcess({"xsetroot", "-solid", "#C86432"});
    Xdo("mousemove --sync " + At(kX, kY) + " click 1");
    const auto [code, out] = run.Finish();
    EXPECT_EQ(code, 0);
    EXPECT_EQ(out, "rgb(18, 52, 86)\r\n");
    EXPECT_EQ(ClipWhen("rgb(18, 52, 86)"), "rgb(18, 52, 86)");
    std::cout << "--pick --format rgb: exit " << code << ", printed " << out;
  }
  EXPECT_EQ(e2e::RegExport(e2e::kSettingsKey), (std::map<std::string, std::string>{{"PickFreeze", "1"}}))
      << "a pick from the command line writes no setting";
  e2e::probe::RegDelete(e2e::kSettingsKey);
  TOtherProgram other;
  const std::string otherWindow = other.XWindow();
  const struct {
    const char* args;
    const char* keys;
    int code;
    std::string out, clip;
  } runs[] = {
      {"--pick", "key Escape", 1, "", "rgb(18, 52, 86)"},
      {"--pick --freeze", "key Return", 0, "#C86432\r\n", "#C86432"},
      {"--pick --format=NAME", "", 0, "#C86432\r\n", "#C86432"},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.args);
    TCommandLine run(std::string(r.args) == "--pick --format=NAME" ? "--pick --format=name" : r.args);
    Xdo("windowfocus --sync " + otherWindow);
    AwaitShown("取得モード");
    Xdo(*r.keys ? r.keys : "key Return");
    const auto [code, out] = run.Finish();
    EXPECT_EQ(code, r.code);
    if (std::string(r.args) != "--pick --format=NAME") {
      EXPECT_EQ(out, r.out);
      EXPECT_EQ(ClipWhen(r.clip), r.clip);
    } else {
      EXPECT_EQ(out, "\u2248chocolate\r\n");
    }
    std::cout << r.args << ": exit " << code << ", printed " << out << "\n";
  }
  const auto [badCode, badOut] = TCommandLine("--pick --format bogus").Finish();
  EXPECT_EQ(badCode, 2);
  EXPECT_NE(badOut.find("bogus"), std::string::npos) << badOut;
  EXPECT_NE(badOut.find("hex, hex-lower, rgb, hsl"), std::string::npos) << badOut;
  const auto [helpCode, helpOut] = TCommandLine("--help").Finish();
  EXPECT_EQ(helpCode, 0);
  EXPECT_NE(helpOut.find("--pick [--format"), std::string::npos) << helpOut;
  std::cout << "--pick --format bogus: exit " << badCode << ", printed " << badOut << "--help: exit " << helpCode << "\n";
}

}  // namespace
