// The twelve channel editors driven with real X input: typing, stepping by
// keys and spin buttons, and dragging the pop-up track bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/TintraSession.h"

namespace {

using e2e::ScreenRect;
using e2e::TintraSession;
using e2e::WinControl;
using TTexts = std::array<std::string, 12>;

// Editor places in the panel, in factor order (red, green, blue, HSV, HSL, Y Cb Cr).
constexpr std::array<std::pair<int, int>, 12> kPlaces = {{{40, 92},
                                                          {40, 116},
                                                          {40, 140},
                                                          {40, 172},
                                                          {40, 196},
                                                          {40, 220},
                                                          {144, 172},
                                                          {144, 196},
                                                          {144, 220},
                                                          {143, 92},
                                                          {143, 116},
                                                          {143, 140}}};

// The twelve shown channels of pure reds, as the colour model derives them.
const std::map<int, TTexts> kRed = {
    {0, {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "128", "128"}},
    {1, {"1", "0", "0", "0", "100", "0", "360", "100", "0", "0", "127", "128"}},
    {12, {"12", "0", "0", "0", "100", "5", "360", "100", "3", "4", "125", "134"}},
    {128, {"128", "0", "0", "0", "100", "50", "360", "100", "25", "38", "106", "192"}},
    {255, {"255", "0", "0", "0", "100", "100", "360", "100", "50", "76", "84", "255"}},
    {130, {"130", "0", "0", "0", "100", "51", "360", "100", "26", "39", "106", "193"}},
    {125, {"125", "0", "0", "0", "100", "49", "360", "100", "25", "37", "106", "190"}},
    {126, {"126", "0", "0", "0", "100", "49", "360", "100", "25", "38", "106", "191"}},
};

class ChannelEditors : public testing::Test {
 protected:
  void SetUp() override {
    Tintra.Focus();
    FindEditors();
  }

  // The editors by their place in the panel that holds them.
  void FindEditors() {
    const std::vector<WinControl> controls = Tintra.Controls();
    std::map<unsigned long, ScreenRect> rects;
    for (const auto& c : controls) rects[c.Handle] = c.Rect;
    for (const auto& c : controls) {
      if (c.ClassName != "TintraEdit" || !rects.count(c.Parent)) continue;
      const ScreenRect panel = rects[c.Parent];
      for (size_t i = 0; i < kPlaces.size(); ++i)
        if (c.Rect.Left - panel.Left == kPlaces[i].first && c.Rect.Top - panel.Top == kPlaces[i].second) {
          Editors[i] = c;
        }
    }
    for (size_t i = 0; i < Editors.size(); ++i) ASSERT_NE(Editors[i].Handle, 0u) << "no editor " << i;
  }

  TTexts Texts() {
    Tintra.Sync();
    TTexts t;
    for (size_t i = 0; i < Editors.size(); ++i) t[i] = e2e::probe::Window(Editors[i].Handle).Text;
    return t;
  }

  // Points inside the red editor: its text, and its three buttons (12 pixels
  // wide inside the 2-pixel border: spin buttons, then the track-bar button).
  int TextX() const { return Editors[0].Rect.Left + 10; }
  int MidY() const { return Editors[0].Rect.CenterY(); }
  int TrackBarButtonX() const { return Editors[0].Rect.Right - 2 - 6; }
  int SpinX() const { return Editors[0].Rect.Right - 2 - 12 - 6; }
  int UpY() const { return Editors[0].Rect.Top + 2 + 4; }
  int DownY() const { return Editors[0].Rect.Bottom - 2 - 4; }

  void EmptyRed() {
    Tintra.Click(TextX(), MidY());  // entering selects the whole text
    Tintra.Key("BackSpace");
    ASSERT_EQ(Texts()[0], "");
  }

  TintraSession Tintra;
  std::array<WinControl, 12> Editors;
};

TEST_F(ChannelEditors, TypingIntoTheRedEditorUpdatesEveryChannelAtEachKey) {
  EXPECT_EQ(Texts(), kRed.at(0)) << "starts black";
  EmptyRed();
  // An empty editor leaves the colour: still black.
  TTexts empty = kRed.at(0);
  empty[0] = "";
  EXPECT_EQ(Texts(), empty);
  for (auto [key, red] : {std::pair{"1", 1}, std::pair{"2", 12}, std::pair{"8", 128}}) {
    SCOPED_TRACE(key);
    Tintra.Type(key);
    EXPECT_EQ(Texts(), kRed.at(red));
  }
}

TEST_F(ChannelEditors, TypedThreeHundredMakesRed255AndStaysOnScreen) {
  EmptyRed();
  Tintra.Type("300");
  TTexts expected = kRed.at(255);
  expected[0] = "300";
  EXPECT_EQ(Texts(), expected);
}

TEST_F(ChannelEditors, ALetterDoesNotAppear) {
  EmptyRed();
  Tintra.Type("12");
  Tintra.Type("a");
  EXPECT_EQ(Texts(), kRed.at(12));
  // MaxLength 3: a fourth digit does not go in either.
  Tintra.Type("8");
  Tintra.Type("9");
  EXPECT_EQ(Texts(), kRed.at(128));
}

TEST_F(ChannelEditors, PageKeysAndSpinButtonsStep) {
  EmptyRed();
  Tintra.Type("128");
  Tintra.Key("Prior");
  EXPECT_EQ(Texts(), kRed.at(130));
  Tintra.Key("Next");
  EXPECT_EQ(Texts(), kRed.at(125));
  Tintra.Click(SpinX(), UpY());
  EXPECT_EQ(Texts(), kRed.at(126));
  Tintra.Click(SpinX(), DownY());
  EXPECT_EQ(Texts(), kRed.at(125));
  // Shift with a spin button steps by the page size.
  e2e::Xdotool({"keydown", "shift"});
  Tintra.Click(SpinX(), UpY());
  e2e::Xdotool({"keyup", "shift"});
  EXPECT_EQ(Texts(), kRed.at(130));
}

TEST_F(ChannelEditors, DraggingThePopupToTheRightEndGives255) {
  EmptyRed();
  Tintra.Type("0");
  ASSERT_EQ(Texts(), kRed.at(0));
  const int x = TrackBarButtonX(), y = MidY();
  e2e::Xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "mousedown", "1"});
  std::this_thread::sleep_for(std::chrono::milliseconds(500));

  // The pop-up is open under the pointer: a borderless window of Tintra's
  // whose labels are the scale of 0..255.
  std::vector<std::string> labels;
  ScreenRect popup{};
  for (const auto& line : e2e::probe::Lines({"find"})) {
    if (line.size() < 2) continue;
    WinControl w = e2e::probe::Window(std::stoul(line[0], nullptr, 16));
    if (w.Handle == Tintra.Handle() || !w.Visible || w.Text == "Tintra") continue;
    // Left to right.
    std::vector<std::pair<int, std::string>> placed;
    for (const auto& c : e2e::probe::Lines({"controls", line[0]})) {
      if (c.size() > 5 && c[2] == "Static") placed.emplace_back(std::stoi(c[5]), c[4]);
    }
    std::sort(placed.begin(), placed.end());
    std::vector<std::string> texts;
    for (const auto& p : placed) texts.push_back(p.second);
    if (texts.size() >= 2 && texts.front() == "0") {
      labels = texts;
      popup = w.Rect;
    }
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"0", "50", "100", "150", "200", "255"}));
  EXPECT_LE(popup.Left, x);
  EXPECT_GE(popup.Right, x);
  if (popup.Width() > 0) {
    // docs/ of the source tree, for the README.
    const auto docs = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "docs";
    std::filesystem::create_directories(docs);
    Tintra.Screenshot((docs / "popup.png").string(),
                      ScreenRect{Editors[0].Rect.Left - 45, Editors[0].Rect.Top - 6,
                                 std::max(popup.Right, Editors[0].Rect.Right) + 6, popup.Bottom + 6});
  }

  for (int dx = 40; dx <= 320; dx += 40)
    e2e::Xdotool({"mousemove", "--sync", std::to_string(x + dx), std::to_string(y + 2)});
  e2e::Xdotool({"mouseup", "1"});
  EXPECT_EQ(Texts(), kRed.at(255));
}

TEST_F(ChannelEditors, AQuickClickOnTheTrackBarButtonChangesNothing) {
  EmptyRed();
  Tintra.Type("128");
  Tintra.Click(TrackBarButtonX(), MidY());
  EXPECT_EQ(Texts(), kRed.at(128));
  // The pop-up is gone again.
  int visible = 0;
  for (const auto& line : e2e::probe::Lines({"find"})) {
    if (line.size() > 3 && line[2].rfind("TintraWindow", 0) == 0 && line[3] == "1") ++visible;
  }
  EXPECT_EQ(visible, 1);
  // Without a window manager nobody hands the X focus back from the
  // destroyed pop-up (Wine sets it only for unmanaged windows), so the next
  // keys need a click, as they would after any pop-up there.
  Tintra.Click(TextX(), MidY());
  Tintra.Key("Up");
  EXPECT_EQ(Texts()[0], "129");
}

}  // namespace
