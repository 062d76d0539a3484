#pragma once
// End-to-end harness: starts the real Tintra.exe under Wine, reads it back
// through tintra_probe.exe (a second Wine process, plus a DLL it loads into
// Tintra for menus and tool bars) and drives it with real X input.
//
// Needs the environment scripts/test.sh exports: DISPLAY (a virtual
// display), WINEPREFIX and the Japanese locale. TINTRA_EXE and TINTRA_PROBE
// override the paths compiled in from TINTRA_WIN_BUILD_DIR. Failures throw
// std::runtime_error, which GoogleTest reports with the test.
#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

struct ProcessResult {
  int ExitCode = -1;  // -1 when killed or timed out
  bool TimedOut = false;
  std::string Out, Err;
};

// Runs a program (looked up on PATH) to its end, with stdin from /dev/null.
ProcessResult RunProcess(const std::vector<std::string>& argv, Millis timeout = 30s);

// One probe answer line, split at tabs and unescaped.
std::vector<std::string> SplitFields(std::string_view line);
std::vector<std::vector<std::string>> SplitLines(std::string_view text);

struct ScreenRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  int CenterX() const { return (Left + Right) / 2; }
  int CenterY() const { return (Top + Bottom) / 2; }
  bool operator==(const ScreenRect&) const = default;
};

// A window as the probe sees it; handles are Windows HWND values.
struct WinControl {
  unsigned long Handle = 0, Parent = 0;
  std::string ClassName;
  int Id = 0;
  std::string Text;  // WM_GETTEXT
  ScreenRect Rect;   // screen coordinates (= X root coordinates)
  bool Visible = false, Enabled = false;
  unsigned long Style = 0, ExStyle = 0;
};

struct MenuEntry {
  enum class EKind { Item, Popup, Separator };
  EKind Kind = EKind::Item;
  int Id = 0;
  bool Checked = false, Enabled = false, Radio = false;
  std::string Caption;  // with the shortcut after a tab: "新規作成(&N)\tCtrl+N"
  std::vector<MenuEntry> Items;

  bool IsSeparator() const { return Kind == EKind::Separator; }
  std::string Name() const;      // caption before the tab
  std::string ShortCut() const;  // after the tab, or empty
};

// Depth first search through a menu tree; null when absent.
const MenuEntry* FindMenuEntry(const std::vector<MenuEntry>& menu, std::string_view name);
const MenuEntry* FindMenuEntry(const std::vector<MenuEntry>& menu, int id);

struct ToolButton {
  int Index = 0, Id = 0;
  bool Separator = false;
  int Image = -1;
  bool Checked = false, Enabled = false, Hidden = false;
  std::string Text, ToolTip;
};

// A window's text and the room it has, as the hook DLL measures them in the
// window's own font.
struct TextExtent {
  unsigned long Handle = 0;
  std::string ClassName;
  int Id = 0;
  std::string Text;  // as shown: accelerator marks removed
  int ClientWidth = 0, ClientHeight = 0, TextWidth = 0, TextHeight = 0;
};

struct ToolBarInfo {
  unsigned long Handle = 0;
  std::vector<ToolButton> Buttons;
};

// Polls read() until it gives expected or the timeout passes, and returns
// the last value read, so EXPECT_EQ(Await(expected, read), expected) shows
// what was there. Input reaches the program asynchronously: tests wait for
// the state it leads to, never for a time.
template <typename T, typename Read>
T Await(const T& expected, Read read, Millis timeout = 10s) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    T value = read();
    if (value == expected || std::chrono::steady_clock::now() > deadline) return value;
    std::this_thread::sleep_for(20ms);
  }
}

// Polls until holds() is true; false when the timeout passes first.
template <typename Pred>
bool WaitUntil(Pred holds, Millis timeout = 10s) {
  return Await(
      true, [&] { return static_cast<bool>(holds()); }, timeout);
}

// Polls until find() gives a value and returns it; throws, naming what was
// awaited, when the timeout passes first.
template <typename Find>
auto WaitFor(Find find, const std::string& what, Millis timeout = 20s) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto value = find()) return *value;
    if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("timed out waiting for " + what);
    std::this_thread::sleep_for(50ms);
  }
}

// Button IDs of dialogs and message boxes.
inline constexpr int kIdOk = 1, kIdCancel = 2, kIdRetry = 4, kIdYes = 6, kIdNo = 7;

// Where a documentation screenshot of that name goes: only when
// TINTRA_SCREENSHOT_DIR is set (scripts/screenshots.sh sets it).
std::optional<std::string> ScreenshotPath(const std::string& name);

// The bytes of a Unix file; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
// A Unix path as the Wine programs see it: "/tmp/x" is "Z:\\tmp\\x".
std::string WindowsPath(std::string path);
// A window handle or number as the probe takes it: "0x1a2b".
std::string HexOf(unsigned long v);
// Tiles the X root with one-pixel squares of #FF8000 and #0040C0,
// #FF8000 where x + y is even.
void SetCheckerRoot();

// Probe commands that need no running Tintra.
namespace probe {
std::string Path();
ProcessResult Run(const std::vector<std::string>& args, Millis timeout = 30s);
// Runs and returns the answer lines; throws on a non-zero exit code.
std::vector<std::vector<std::string>> Lines(const std::vector<std::string>& args);
std::string Pixel(int x, int y);  // "#RRGGBB"
std::optional<std::string> Clipboard();
void SetClipboard(const std::string& text);
std::optional<std::string> RegGet(const std::string& key, const std::string& value);  // under HKCU
void RegSet(const std::string& key, const std::string& value, const std::string& data);
void RegDelete(const std::string& key);
WinControl Window(unsigned long hwnd);
}  // namespace probe

// A new folder under /tmp, removed with all it holds at the end of its scope.
class TTempDir {
 public:
  explicit TTempDir(const std::string& prefix);
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

// The Unix folder of the prefix's recovery files.
std::string RecoveryFolder();

// The program's registry key under HKCU.
inline constexpr const char* kSettingsKey = "SOFTWARE\\ZORVEK\\Tintra";

class TintraSession {
 public:
  struct Options {
    std::vector<std::string> Args;
    bool ResetSettings = true;  // delete the settings key before starting
    // The caption names the document first: "(無題) - Tintra".
    std::string TitlePattern = " - Tintra$";
    Millis StartTimeout = 30s;
  };

  TintraSession();
  explicit TintraSession(Options options);
  ~TintraSession();
  TintraSession(const TintraSession&) = delete;
  TintraSession& operator=(const TintraSession&) = delete;

  static std::string ExePath();

  pid_t Pid() const { return FPid; }  // the Unix process, = _NET_WM_PID
  unsigned long XWindow() const { return FXWindow; }
  unsigned long Handle() const { return FHandle; }  // the main window's HWND
  unsigned long WindowsPid() const { return FWindowsPid; }
  const std::string& LogPath() const { return FLogPath; }

  bool Running();
  // The exit code once the program ends within the timeout.
  std::optional<int> WaitForExit(Millis timeout);
  void Kill();
  void Close();  // posts WM_CLOSE
  // Returns once the window's thread has handled a sent message. Sent
  // messages come before queued input, so this does not wait for typed keys
  // or mouse moves: wait for their effect with Await.
  void Sync();

  WinControl Window();
  std::string Caption();
  std::vector<WinControl> Controls();
  // The main window's descendant with this control ID (app/ControlIds.h);
  // throws when there is none or more than one.
  WinControl Control(int id);
  // The texts of the controls with these IDs, read in one pass.
  std::vector<std::string> Texts(const std::vector<int>& ids);
  std::vector<MenuEntry> Menu();
  std::vector<ToolBarInfo> ToolBars();
  // Every visible descendant with text of hwnd, a window of this program
  // (the main window when 0).
  std::vector<TextExtent> TextExtents(unsigned long hwnd = 0);

  // The ID of the menu command with this caption (as MenuEntry::Name);
  // throws when there is none.
  int MenuId(const std::string& name);
  // A visible top-level window of this program with this class (any, when
  // empty) and, when given, this title: its dialogs and message boxes.
  std::optional<unsigned long> FindTopLevel(const std::string& cls = "#32770", const std::string& title = {});
  // The descendants of one of the program's windows.
  std::vector<WinControl> ControlsOf(unsigned long hwnd);
  // Presses a dialog's button: WM_COMMAND with its ID.
  void Press(unsigned long dialog, int id);
  // Runs the menu command that opens a file dialog, puts the Unix path into
  // the dialog's name box and presses OK.
  void ThroughFileDialog(const std::string& command, const std::string& path);

  void SetText(unsigned long hwnd, const std::string& text);
  void Command(int id);
  void Post(unsigned msg, unsigned long wparam, long lparam);
  long Send(unsigned long hwnd, unsigned msg, unsigned long wparam, long lparam);

  // Real X input, in screen coordinates.
  void Focus();
  void MouseMove(int x, int y);
  void Click(int x, int y, int button = 1);
  void Drag(int x1, int y1, int x2, int y2, int steps = 8);
  void Type(const std::string& text);
  void Key(const std::string& keys);  // xdotool names, space-separated: "ctrl+n", "Tab Delete"

  // PNG of the given screen area, or of the whole window.
  void Screenshot(const std::string& path, std::optional<ScreenRect> area = std::nullopt);

 private:
  void Start(const Options& options);
  void WaitForWindow(const Options& options);
  std::string LogTail() const;

  pid_t FPid = -1;
  unsigned long FXWindow = 0, FHandle = 0, FWindowsPid = 0;
  std::string FLogPath;
};

void Xdotool(const std::vector<std::string>& args);

// The text values of one key under HKCU, read from outside with
// `wine reg export` (exact also for Japanese text); empty when the key is absent.
std::map<std::string, std::string> RegExport(const std::string& key);

}  // namespace e2e
