// The twelve channel editors driven with real X input: typing, stepping by
// keys and spin buttons, and dragging the pop-up track bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace {

using e2e::ScreenRect;
using e2e::TintraSession;
using e2e::WinControl;
using TTexts = std::array<std::string, 12>;

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

  void FindEditors() {
    for (int i = 0; i < 12; ++i) Editors[static_cast<size_t>(i)] = Tintra.Control(ControlIds::FactorEditor(i));
  }

  TTexts Texts() {
    std::vector<int> ids;
    for (int i = 0; i < 12; ++i) ids.push_back(ControlIds::FactorEditor(i));
    const std::vector<std::string> read = Tintra.Texts(ids);
    TTexts t;
    std::copy(read.begin(), read.end(), t.begin());
    return t;
  }

  // The texts once they are the expected ones, or at the timeout.
  TTexts TextsWhen(const TTexts& expected) {
    return e2e::Await(expected, [this] { return Texts(); });
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
    ASSERT_EQ(e2e::Await(std::string(), [this] { return Texts()[0]; }), "");
  }

  // The labels of a visible pop-up of Tintra's, left to right; empty when none is open.
  std::vector<std::string> PopupLabels(ScreenRect& popup) {
    for (const auto& line : e2e::probe::Lines({"find"})) {
      if (line.size() < 2) continue;
      WinControl w = e2e::probe::Window(std::stoul(line[0], nullptr, 16));
      if (w.Handle == Tintra.Handle() || !w.Visible || w.Text == "Tintra") continue;
      std::vector<std::pair<int, std::string>> placed;
      for (const auto& c : e2e::probe::Lines({"controls", line[0]}))
        if (c.size() > 5 && c[2] == "Static") placed.emplace_back(std::stoi(c[5]), c[4]);
      std::sort(placed.begin(), placed.end());
      std::vector<std::string> texts;
      for (const auto& p : placed) texts.push_back(p.second);
      if (texts.size() >= 2 && texts.front() == "0") {
        popup = w.Rect;
        return texts;
      }
    }
    return {};
  }

  TintraSession Tintra;
  std::array<WinControl, 12> Editors;
};

TEST_F(ChannelEditors, TypingIntoTheRedEditorUpdatesEveryChannelAtEachKey) {
  EXPECT_EQ(TextsWhen(kRed.at(0)), kRed.at(0)) << "starts black";
  EmptyRed();
  // An empty editor leaves the colour: still black.
  TTexts empty = kRed.at(0);
  empty[0] = "";
  EXPECT_EQ(TextsWhen(empty), empty);
  for (auto [key, red] : {std::pair{"1", 1}, std::pair{"2", 12}, std::pair{"8", 128}}) {
    SCOPED_TRACE(key);
    Tintra.Type(key);
    EXPECT_EQ(TextsWhen(kRed.at(red)), kRed.at(red));
  }
}

TEST_F(ChannelEditors, TypedThreeHundredMakesRed255AndStaysOnScreen) {
  EmptyRed();
  Tintra.Type("300");
  TTexts expected = kRed.at(255);
  expected[0] = "300";
  EXPECT_EQ(TextsWhen(expected), expected);
}

TEST_F(ChannelEditors, ALetterDoesNotAppear) {
  EmptyRed();
  // Each step ends in a state that a wrongly taken key would have spoilt.
  Tintra.Type("12");
  ASSERT_EQ(TextsWhen(kRed.at(12)), kRed.at(12));
  Tintra.Type("a8");
  EXPECT_EQ(TextsWhen(kRed.at(128)), kRed.at(128));
  // MaxLength 3: a fourth digit does not go in either (1289 would clamp to 255).
  Tintra.Type("9");
  Tintra.Key("Prior");
  EXPECT_EQ(TextsWhen(kRed.at(130)), kRed.at(130));
}

TEST_F(ChannelEditors, PageKeysAndSpinButtonsStep) {
  EmptyRed();
  Tintra.Type("128");
  ASSERT_EQ(TextsWhen(kRed.at(128)), kRed.at(128));
  Tintra.Key("Prior");
  EXPECT_EQ(TextsWhen(kRed.at(130)), kRed.at(130));
  Tintra.Key("Next");
  EXPECT_EQ(TextsWhen(kRed.at(125)), kRed.at(125));
  Tintra.Click(SpinX(), UpY());
  EXPECT_EQ(TextsWhen(kRed.at(126)), kRed.at(126));
  Tintra.Click(SpinX(), DownY());
  EXPECT_EQ(TextsWhen(kRed.at(125)), kRed.at(125));
  // Shift with a spin button steps by the page size.
  e2e::Xdotool({"keydown", "shift"});
  Tintra.Click(SpinX(), UpY());
  e2e::Xdotool({"keyup", "shift"});
  EXPECT_EQ(TextsWhen(kRed.at(130)), kRed.at(130));
}

TEST_F(ChannelEditors, DraggingThePopupToTheRightEndGives255) {
  EmptyRed();
  Tintra.Type("0");
  ASSERT_EQ(TextsWhen(kRed.at(0)), kRed.at(0));
  const int x = TrackBarButtonX(), y = MidY();
  e2e::Xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "mousedown", "1"});

  // The pop-up opens under the pointer: a borderless window of Tintra's
  // whose labels are the scale of 0..255.
  const std::vector<std::string> scale = {"0", "50", "100", "150", "200", "255"};
  ScreenRect popup{};
  EXPECT_EQ(e2e::Await(scale, [&] { return PopupLabels(popup); }), scale);
  EXPECT_LE(popup.Left, x);
  EXPECT_GE(popup.Right, x);
  if (auto path = e2e::ScreenshotPath("popup.png"); path && popup.Width() > 0) {
    Tintra.Screenshot(*path, ScreenRect{Editors[0].Rect.Left - 45, Editors[0].Rect.Top - 6,
                                        std::max(popup.Right, Editors[0].Rect.Right) + 6, popup.Bottom + 6});
  }

  for (int dx = 40; dx <= 320; dx += 40)
    e2e::Xdotool({"mousemove", "--sync", std::to_string(x + dx), std::to_string(y + 2)});
  e2e::Xdotool({"mouseup", "1"});
  EXPECT_EQ(TextsWhen(kRed.at(255)), kRed.at(255));
}

TEST_F(ChannelEditors, AQuickClickOnTheTrackBarButtonChangesNothing) {
  EmptyRed();
  Tintra.Type("128");
  ASSERT_EQ(TextsWhen(kRed.at(128)), kRed.at(128));
  Tintra.Click(TrackBarButtonX(), MidY());
  // The pop-up is gone again (or never showed): only the main window is visible.
  auto visible = [] {
    int n = 0;
    for (const auto& line : e2e::probe::Lines({"find"}))
      if (line.size() > 3 && line[2].rfind("TintraWindow", 0) == 0 && line[3] == "1") ++n;
    return n;
  };
  EXPECT_EQ(e2e::Await(1, visible), 1);
  // Without a window manager nobody hands the X focus back from the
  // destroyed pop-up (Wine sets it only for unmanaged windows), so the next
  // keys need a click, as they would after any pop-up there.
  Tintra.Click(TextX(), MidY());
  Tintra.Key("Up");
  // Also proves the click left 128.
  EXPECT_EQ(e2e::Await(std::string("129"), [this] { return Texts()[0]; }), "129");
}

}  // namespace
