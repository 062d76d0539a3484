// Random but reproducible input to the real program for a set time, with a
// list file open: clicks, drags and keys over its window and menus, every
// box or dialog answered at random (file dialogs cancelled, so nothing is
// written outside the test's folder). Afterwards the program still answers,
// has not crashed, holds about as many windows as before, and the list file
// is either untouched or exactly the list the program shows.
//
// TINTRA_SOAK_SECONDS (default 60) and TINTRA_SOAK_SEED choose the run;
// scripts/soak.sh --minutes N [--seed S] runs it alone for longer.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/colorlist/uColorListFile.h"
#include "tests/e2e/TintraSession.h"

namespace {

using e2e::HexOf;
using e2e::ReadBytes;
using e2e::TintraSession;
using e2e::WinControl;
using e2e::WindowsPath;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

long EnvNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return end && *end == '\0' ? value : fallback;
}

// Bytes decode one to one: the soak types ASCII only.
class TLatin1 : public TAnsiCodec {
 public:
  bool EncodeExact(std::wstring_view text, std::string& out) const override {
    out.clear();
    for (wchar_t c : text) {
      if (static_cast<unsigned>(c) > 0xFF) return false;
      out += static_cast<char>(c);
    }
    return true;
  }
  std::wstring Decode(std::string_view bytes) const override {
    std::wstring text;
    for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return text;
  }
};

struct TBox {
  unsigned long Handle = 0;
  bool FileDialog = false;
  std::vector<int> Buttons;
};

// The visible dialogs and message boxes of the program.
std::vector<TBox> Boxes(TintraSession& tintra) {
  std::vector<TBox> boxes;
  for (const auto& f : e2e::probe::Lines({"find"})) {
    if (f.size() < 4 || std::stoul(f[1]) != tintra.WindowsPid() || f[2] != "#32770" || f[3] != "1") continue;
    TBox box;
    box.Handle = std::stoul(f[0], nullptr, 0);
    const e2e::ProcessResult r = e2e::probe::Run({"controls", HexOf(box.Handle)});
    for (const auto& c : e2e::SplitLines(r.Out)) {
      if (c.size() < 4) continue;
      const int id = std::atoi(c[3].c_str());
      if (c[2] == "ComboBoxEx32" && id == 1148) box.FileDialog = true;
      if (c[2] == "Button" && id >= 1 && id <= 7) box.Buttons.push_back(id);
    }
    boxes.push_back(box);
  }
  return boxes;
}

// Top-level windows and their descendants: the USER objects seen from outside.
std::size_t WindowCount(TintraSession& tintra) {
  std::size_t n = 0;
  for (const auto& f : e2e::probe::Lines({"find"})) {
    if (f.size() < 2 || std::stoul(f[1]) != tintra.WindowsPid()) continue;
    ++n;
    const e2e::ProcessResult r = e2e::probe::Run({"controls", f[0]});
    n += e2e::SplitLines(r.Out).size();
  }
  return n;
}

struct TGuiCount {
  long Gdi = -1, User = -1;
};

// Counted inside the program by the probe's hook.
TGuiCount GuiCount(TintraSession& tintra) {
  TGuiCount count;
  for (const auto& f : e2e::probe::Lines({"guicount", std::to_string(tintra.WindowsPid()), HexOf(tintra.Handle())})) {
    if (f.size() < 2) continue;
    if (f[0] == "gdi") count.Gdi = std::stol(f[1]);
    if (f[0] == "user") count.User = std::stol(f[1]);
  }
  return count;
}

// Answers every open box: file dialogs are cancelled, the others get one of
// their buttons at random. True when there was one.
bool AnswerBoxes(TintraSession& tintra, std::mt19937& random, int& answered) {
  const std::vector<TBox> boxes = Boxes(tintra);
  for (const TBox& box : boxes) {
    int id = 2;
    if (!box.FileDialog && !box.Buttons.empty())
      id = box.Buttons[std::uniform_int_distribution<std::size_t>(0, box.Buttons.size() - 1)(random)];
    e2e::probe::Run({"command", HexOf(box.Handle), std::to_string(id)});
    ++answered;
  }
  return !boxes.empty();
}

class Soak : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tintra_soak_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    Dir = tmpl;
    File = Dir + "/soak.txt";
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }

  void Open(TintraSession& tintra) {
    tintra.ThroughFileDialog("開く(&O)...", File);
    ASSERT_EQ(e2e::Await(std::string("soak - Tintra"), [&] { return tintra.Caption(); }), "soak - Tintra");
  }

  std::string Dir, File;
};

TEST_F(Soak, RandomInputLeavesTheProgramAnsweringAndTheFileWhole) {
  const long seconds = EnvNumber("TINTRA_SOAK_SECONDS", 60);
  const auto seed = static_cast<unsigned>(EnvNumber("TINTRA_SOAK_SEED", 20261208));
  std::printf("soak: seed %u, %ld s\n", seed, seconds);
  std::mt19937 random(seed);

  const std::string original = "255,128,0,\"sky\"\r\n18,52,86,\"sea\"\r\n0,0,0,\"ink\"\r\n";
  std::ofstream(File, std::ios::binary) << original;
  std::unique_ptr<TintraSession> session;
  std::size_t windowsBefore = 0;
  TGuiCount guiBefore;
  auto start = [&] {
    session.reset();
    session = std::make_unique<TintraSession>();
    // Every file dialog starts in the test's folder.
    e2e::probe::RegSet(e2e::kSettingsKey, "DataDir", WindowsPath(Dir));
    Open(*session);
    session->Sync();
    windowsBefore = WindowCount(*session);
    guiBefore = GuiCount(*session);
  };
  // What is on the disk is the file as it was or a list a save wrote whole.
  auto checkFile = [&] {
    const std::string disk = ReadBytes(File);
    if (disk != original) {
      EXPECT_EQ(ColorListReadChecked(disk, TLatin1()).UnreadableCount, 0u) << disk;
    }
  };
  start();
  ASSERT_FALSE(HasFatalFailure());

  static const char* const kKeys[] = {
      "Tab",    "shift+Tab", "Return", "Escape",    "Delete", "BackSpace", "Up",          "Down",        "Left",
      "Right",  "Prior",     "Next",   "Home",      "End",    "F2",        "space",       "ctrl+Insert", "ctrl+Delete",
      "ctrl+u", "ctrl+d",    "ctrl+c", "ctrl+v",    "ctrl+s", "ctrl+n",    "alt+f",       "alt+e",       "alt+v",
      "alt+h",  "F10",       "Menu",   "shift+F10", "ctrl+o", "ctrl+n",    "ctrl+Insert", "Return",      "Escape",
  };
  std::uniform_int_distribution<int> percent(0, 99);
  e2e::ScreenRect r;
  int restarts = 0, clicks = 0, drags = 0, keys = 0, typed = 0, answered = 0, steps = 0;
  const auto deadline = Clock::now() + std::chrono::seconds(seconds);
  while (Clock::now() < deadline) {
    ++steps;
    // Only its exit command ends the program: a clean exit, then it starts
    // again. (Running() would take the exit code away.) A step that finds
    // the window gone waits for the same answer.
    std::optional<int> code = session->WaitForExit(0ms);
    if (!code) {
      try {
        if (AnswerBoxes(*session, random, answered)) continue;
        // The window seldom moves: its place is read again now and then.
        if (steps % 10 == 1) r = session->Window().Rect;
        if (r.Width() <= 0 || r.Height() <= 0) continue;
        std::uniform_int_distribution<int> xs(r.Left, r.Right - 1), ys(r.Top, r.Bottom - 1);
        const int kind = percent(random);
        if (kind < 40) {
          session->Click(xs(random), ys(random), percent(random) < 85 ? 1 : 3);
          ++clicks;
        } else if (kind < 55) {
          session->Drag(xs(random), ys(random), xs(random), ys(random), 4);
          ++drags;
        } else if (kind < 85) {
          session->Key(kKeys[std::uniform_int_distribution<std::size_t>(0, std::size(kKeys) - 1)(random)]);
          ++keys;
        } else {
          static const char kChars[] = "abcxyz0123456789 ";
          std::string text;
          for (int i = std::uniform_int_distribution<int>(1, 4)(random); i > 0; --i)
            text += kChars[std::uniform_int_distribution<std::size_t>(0, sizeof kChars - 2)(random)];
          session->Type(text);
          ++typed;
        }
      } catch (const std::exception&) {
        code = session->WaitForExit(10s);
        if (!code) throw;
      }
    }
    if (code) {
      ASSERT_EQ(*code, 0) << "the program ended with " << *code << " at step " << steps << " (seed " << seed << ")\n"
                          << ReadBytes(session->LogPath());
      ++restarts;
      checkFile();
      start();
      ASSERT_FALSE(HasFatalFailure());
    }
  }
  // Quiet down: close menus, answer what is left.
  for (int i = 0; i < 20; ++i) {
    if (!AnswerBoxes(*session, random, answered)) {
      session->Key("Escape");
      std::this_thread::sleep_for(200ms);
      if (Boxes(*session).empty()) break;
    }
  }
  ASSERT_TRUE(session->Running()) << "seed " << seed;
  session->Sync();  // throws when the window no longer answers
  const std::string log = ReadBytes(session->LogPath());
  EXPECT_EQ(log.find("Unhandled exception"), std::string::npos) << log;
  EXPECT_EQ(log.find("Unhandled page fault"), std::string::npos) << log;
  const std::size_t windowsAfter = WindowCount(*session);
  const TGuiCount guiAfter = GuiCount(*session);
  std::printf("soak: %d restarts after an exit command\n", restarts);
  std::printf(
      "soak: %d steps, %d clicks, %d drags, %d keys, %d typed, %d boxes answered; windows %zu -> %zu, "
      "GDI objects %ld -> %ld, USER objects %ld -> %ld\n",
      steps, clicks, drags, keys, typed, answered, windowsBefore, windowsAfter, guiBefore.Gdi, guiAfter.Gdi,
      guiBefore.User, guiAfter.User);
  EXPECT_LE(windowsAfter, windowsBefore + 8) << "seed " << seed;
  EXPECT_GT(guiAfter.Gdi, 0);
  EXPECT_LE(guiAfter.Gdi, guiBefore.Gdi + 64) << "seed " << seed;
  EXPECT_LE(guiAfter.User, guiBefore.User + 16) << "seed " << seed;

  const std::string disk = ReadBytes(File);
  if (disk != original) {
    // A save the soak made: a list with nothing unreadable...
    const TColorListReadResult read = ColorListReadChecked(disk, TLatin1());
    EXPECT_EQ(read.UnreadableCount, 0u) << disk;
    // ...and, when the program says it holds exactly that file, the list it shows.
    if (session->Caption() == "soak - Tintra") {
      const auto menu = session->Menu();
      const e2e::MenuEntry* save = e2e::FindMenuEntry(menu, "上書き保存(&S)");
      ASSERT_NE(save, nullptr);
      const auto before = std::filesystem::last_write_time(File);
      std::filesystem::remove(Dir + "/soak.bak");
      session->Command(save->Id);
      ASSERT_TRUE(e2e::WaitUntil([&] { return std::filesystem::exists(Dir + "/soak.bak"); }, 20s));
      session->Sync();
      EXPECT_GE(std::filesystem::last_write_time(File), before);
      EXPECT_EQ(ReadBytes(File), disk) << "the file differs from the list the program shows (seed " << seed << ")";
    }
  }
  std::printf("soak: the file is %s\n", disk == original ? "unchanged" : "a list the soak saved");
}

}  // namespace
