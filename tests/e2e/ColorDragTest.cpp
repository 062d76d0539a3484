// The colour drag between two Wine processes with real mouse input: the
// program's drag code in a source window, and a drop-target program that
// records the formats it was offered and the bytes it got.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// A Windows helper of the tests, run under Wine until the object goes.
class TWineProgram {
 public:
  explicit TWineProgram(const std::vector<std::string>& args) {
    FPid = ::fork();
    if (FPid == 0) {
      std::vector<char*> argv;
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execvp("wine", argv.data());
      ::_exit(127);
    }
  }
  ~TWineProgram() {
    ::kill(FPid, SIGKILL);
    ::waitpid(FPid, nullptr, 0);
  }
  TWineProgram(const TWineProgram&) = delete;
  TWineProgram& operator=(const TWineProgram&) = delete;

 private:
  pid_t FPid = -1;
};

std::string WinePath(const fs::path& unix) {
  std::string s = "Z:" + unix.string();
  for (char& c : s)
    if (c == '/') c = '\\';
  return s;
}

std::vector<std::string> ReadLines(const fs::path& file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The file once count of its lines begin with prefix, or after 20 s.
std::vector<std::string> WaitForLine(const fs::path& file, const std::string& prefix, size_t count) {
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  for (;;) {
    std::vector<std::string> lines = ReadLines(file);
    size_t seen = 0;
    for (const auto& l : lines) seen += l.rfind(prefix, 0) == 0;
    if (seen >= count || std::chrono::steady_clock::now() > deadline) return lines;
    std::this_thread::sleep_for(100ms);
  }
}

std::string Hex(const std::string& bytes) {
  std::ostringstream s;
  for (unsigned char c : bytes) s << "0123456789ABCDEF"[c >> 4] << "0123456789ABCDEF"[c & 15];
  return s.str();
}

TEST(ColorDragE2E, AnotherProgramGetsVelColorAndTextInRedGreenBlueOrder) {
  const fs::path helpers = fs::path(e2e::TintraSession::ExePath()).parent_path() / "tests/e2e/droptarget";
  const fs::path dir = fs::temp_directory_path() / ("tintra-drag-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path sourceLog = dir / "source.log", targetLog = dir / "target.log";

  const struct {
    const char* rgb;
    const char* text;
  } cases[] = {{"123456", "#123456"}, {"FF8000", "#FF8000"}, {"000000", "#000000"}};
  int drags = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rgb);
    fs::remove(sourceLog);
    fs::remove(targetLog);
    TWineProgram target(
        {"wine", (helpers / "tintra_droptarget.exe").string(), WinePath(targetLog), "600", "100", "300", "300"});
    TWineProgram source(
        {"wine", (helpers / "tintra_dragsource.exe").string(), WinePath(sourceLog), c.rgb, "100", "100", "200", "200"});
    ASSERT_EQ(WaitForLine(targetLog, "ready", 1).size(), 1u);
    ASSERT_EQ(WaitForLine(sourceLog, "ready", 1).size(), 1u);
    // The press starts the drag at once; the moves run inside its loop.
    e2e::Xdotool({"mousemove", "200", "200", "mousedown", "1", "mousemove", "300", "210", "mousemove", "500", "230",
                  "mousemove", "700", "240", "mousemove", "750", "250", "mouseup", "1"});
    const std::string nul(1, '\0');
    const std::vector<std::string> expected = {
        "ready",
        "enter\tVel_Color,CF_TEXT",
        "data\tVel_Color\t" + Hex(c.text + nul),
        "data\tCF_TEXT\t" + Hex(c.text + nul),
        "drop",
    };
    EXPECT_EQ(WaitForLine(targetLog, "drop", 1), expected);
    // Every object of the drag was freed by its last release.
    EXPECT_EQ(WaitForLine(sourceLog, "dragged", 1), (std::vector<std::string>{"ready", "dragged\t0"}));
    ++drags;
  }
  EXPECT_EQ(drags, 3);
  fs::remove_all(dir);
}

}  // namespace

namespace {

// A file list dragged from another program onto the main window opens the file.
TEST(FileDropE2E, AFileDroppedFromAnotherProgramOpens) {
  const fs::path helpers = fs::path(e2e::TintraSession::ExePath()).parent_path() / "tests/e2e/droptarget";
  const fs::path dir = fs::temp_directory_path() / ("tintra-drop-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path list = dir / "dropped.txt", sourceLog = dir / "source.log";
  std::ofstream(list, std::ios::binary) << "18,52,86,\"dropped\"\r\n";

  e2e::TintraSession tintra;
  const e2e::ScreenRect window = tintra.Window().Rect;
  const int sx = window.Right + 60, sy = window.Bottom + 60;
  TWineProgram source({"wine", (helpers / "tintra_dragsource.exe").string(), WinePath(sourceLog),
                       "file:" + WinePath(list), std::to_string(sx - 50), std::to_string(sy - 50), "100", "100"});
  ASSERT_EQ(WaitForLine(sourceLog, "ready", 1).size(), 1u);
  const int tx = window.Left + 80, ty = window.CenterY();
  e2e::Xdotool({"mousemove", std::to_string(sx), std::to_string(sy), "mousedown", "1", "mousemove",
                std::to_string(sx - 40), std::to_string(sy - 20), "mousemove", std::to_string((sx + tx) / 2),
                std::to_string((sy + ty) / 2), "mousemove", std::to_string(tx), std::to_string(ty), "mousemove",
                std::to_string(tx + 5), std::to_string(ty + 5), "mouseup", "1"});
  EXPECT_EQ(WaitForLine(sourceLog, "dragged", 1), (std::vector<std::string>{"ready", "dragged\t0"}));
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (tintra.Caption() != "dropped - Tintra" && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(100ms);
  EXPECT_EQ(tintra.Caption(), "dropped - Tintra");
  fs::remove_all(dir);
}

}  // namespace

namespace {

// A press on a list cell drags that row's colour to another program.
TEST(ColorDragE2E, AListCellDraggedOntoAnotherProgramGivesItsColour) {
  const fs::path helpers = fs::path(e2e::TintraSession::ExePath()).parent_path() / "tests/e2e/droptarget";
  const fs::path dir = fs::temp_directory_path() / ("tintra-celldrag-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path list = dir / "cells.txt", targetLog = dir / "target.log";
  // Red 300 is kept in its cell but dragged as 255.
  std::ofstream(list, std::ios::binary) << "300,128,0,\"orange\"\r\n";
  e2e::probe::RegDelete(e2e::kSettingsKey);
  e2e::probe::RegSet(e2e::kSettingsKey, "LastFile", WinePath(list));
  e2e::TintraSession::Options keep;
  keep.ResetSettings = false;
  e2e::TintraSession tintra(keep);
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (tintra.Caption() != "cells - Tintra" && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(100ms);
  ASSERT_EQ(tintra.Caption(), "cells - Tintra");

  TWineProgram target(
      {"wine", (helpers / "tintra_droptarget.exe").string(), WinePath(targetLog), "900", "100", "300", "300"});
  ASSERT_EQ(WaitForLine(targetLog, "ready", 1).size(), 1u);
  // The swatch cell of row 1: below the 17-pixel header, right of the 32-pixel row numbers.
  const e2e::ScreenRect grid = tintra.Control(ControlIds::gridItem).Rect;
  const int x = grid.Left + 50, y = grid.Top + 28;
  e2e::Xdotool({"mousemove", std::to_string(x), std::to_string(y), "mousedown", "1", "mousemove",
                std::to_string(x + 30), std::to_string(y + 10), "mousemove", "800", "200", "mousemove", "1000", "240",
                "mousemove", "1050", "250", "mouseup", "1"});
  const std::string text = std::string("#FF8000") + std::string(1, '\0');
  const std::vector<std::string> expected = {"ready", "enter\tVel_Color,CF_TEXT", "data\tVel_Color\t" + Hex(text),
                                             "data\tCF_TEXT\t" + Hex(text), "drop"};
  EXPECT_EQ(WaitForLine(targetLog, "drop", 1), expected);
  fs::remove_all(dir);
}

}  // namespace
