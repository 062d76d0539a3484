// Colour text through the X clipboard: fed with xclip and pasted with
// Ctrl+V into the real program, copied by the program and read with xclip.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace {

using e2e::TintraSession;
using e2e::WinControl;
using namespace std::chrono_literals;

// xclip serving one text as the clipboard selection until it is ended.
class TXclipFeed {
 public:
  explicit TXclipFeed(const std::string& text) {
    int fds[2];
    if (::pipe(fds) != 0) throw std::runtime_error("pipe");
    // Far below the pipe's buffer, so writing cannot block.
    if (::write(fds[1], text.data(), text.size()) != static_cast<ssize_t>(text.size()))
      throw std::runtime_error("write");
    ::close(fds[1]);
    FPid = ::fork();
    if (FPid == 0) {
      ::dup2(fds[0], 0);
      ::execlp("xclip", "xclip", "-quiet", "-i", "-selection", "clipboard", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(fds[0]);
  }
  ~TXclipFeed() {
    ::kill(FPid, SIGTERM);
    ::waitpid(FPid, nullptr, 0);
  }
  TXclipFeed(const TXclipFeed&) = delete;
  TXclipFeed& operator=(const TXclipFeed&) = delete;

 private:
  pid_t FPid = -1;
};

class ClipboardE2E : public testing::Test {
 protected:
  void SetUp() override {
    Tintra.Focus();
    // Red, green and blue by their ids: the colour box is an edit of the panel too.
    for (size_t i = 0; i < 3; ++i) Rgb[i] = Tintra.Control(ControlIds::FactorEditor(static_cast<int>(i))).Handle;
    // Ctrl+V in the list is the window's paste.
    const WinControl grid = Tintra.Control(ControlIds::gridItem);
    Tintra.Click(grid.Rect.Left + 80, grid.Rect.Top + 28);
  }
  std::array<std::string, 3> Channels() {
    Tintra.Sync();
    std::array<std::string, 3> t;
    for (size_t i = 0; i < 3; ++i) t[i] = e2e::probe::Window(Rgb[i]).Text;
    return t;
  }
  // Wine takes the X selection when the program opens the clipboard, so the
  // first paste after a feed may still see the old text: paste until the
  // channels show the colour or the deadline passes.
  bool PasteUntil(const std::array<std::string, 3>& expected) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    do {
      Tintra.Key("ctrl+v");
      if (Channels() == expected) return true;
      std::this_thread::sleep_for(200ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
  }

  TintraSession Tintra;
  std::array<unsigned long, 3> Rgb{};
};

TEST_F(ClipboardE2E, PastedHexTextBecomesTheCurrentColour) {
  const struct {
    const char* text;
    std::array<std::string, 3> rgb;
  } cases[] = {
      {"#FF8000", {"255", "128", "0"}},
      {"$123456", {"18", "52", "86"}},
      {"FF", {"0", "0", "255"}},
  };
  for (const auto& c : cases) {
    TXclipFeed feed(c.text);
    EXPECT_TRUE(PasteUntil(c.rgb)) << c.text << " gave " << Channels()[0] << "," << Channels()[1] << ","
                                   << Channels()[2];
  }
  // Eight bytes are ignored: the colour stays.
  TXclipFeed feed("0xFF8000");
  for (int i = 0; i < 3; ++i) Tintra.Key("ctrl+v");
  EXPECT_EQ(Channels(), (std::array<std::string, 3>{"0", "0", "255"}));
}

// In an editor the keys are the edit box's own: the text is pasted into it.
TEST_F(ClipboardE2E, PasteInAChannelEditorPastesItsText) {
  const WinControl green = e2e::probe::Window(Rgb[1]);
  Tintra.Click(green.Rect.Left + 10, green.Rect.CenterY());
  TXclipFeed feed("200");
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  do {
    Tintra.Key("ctrl+a ctrl+v");
    if (Channels() == std::array<std::string, 3>{"0", "200", "0"}) break;
    std::this_thread::sleep_for(200ms);
  } while (std::chrono::steady_clock::now() < deadline);
  EXPECT_EQ(Channels(), (std::array<std::string, 3>{"0", "200", "0"}));
}

TEST_F(ClipboardE2E, CopyIsReadableFromX) {
  const std::vector<e2e::MenuEntry> menu = Tintra.Menu();
  const e2e::MenuEntry* copy = e2e::FindMenuEntry(menu, "コピー(&C)");
  ASSERT_NE(copy, nullptr);
  {
    TXclipFeed feed("something else");
    Tintra.Command(copy->Id);
  }
  // Without a colour list the current row is black.
  std::string got;
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  do {
    got = e2e::RunProcess({"xclip", "-o", "-selection", "clipboard"}, 5s).Out;
    if (got == "#000000") break;
    std::this_thread::sleep_for(200ms);
  } while (std::chrono::steady_clock::now() < deadline);
  EXPECT_EQ(got, "#000000");
}

}  // namespace
