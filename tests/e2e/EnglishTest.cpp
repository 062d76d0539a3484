// The program under an English Windows (code page 1252, English user
// interface language): what the user reads, and that it fits. scripts/test.sh
// runs these in a prefix of their own; elsewhere they skip.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace {

using e2e::HexOf;
using e2e::kIdCancel;
using e2e::kIdNo;
using e2e::kIdOk;
using e2e::kIdYes;
using e2e::MenuEntry;
using e2e::TextExtent;
using e2e::TintraSession;
using e2e::WaitFor;
using namespace std::chrono_literals;

std::vector<std::string> TextsOf(TintraSession& tintra, unsigned long hwnd) {
  std::vector<std::string> texts;
  for (const e2e::WinControl& c : tintra.ControlsOf(hwnd)) texts.push_back(c.Text);
  return texts;
}

bool Holds(const std::vector<std::string>& texts, const std::string& text) {
  for (const auto& t : texts)
    if (t == text) return true;
  return false;
}

// Room a control needs around its text: a push button's frame and focus
// rectangle; static text draws from its very edge.
int Margin(const TextExtent& e) { return e.ClassName == "Button" || e.ClassName == "BUTTON" ? 6 : 0; }

// Every text of the window in full: as wide and as high as its room.
void ExpectTextsFit(const std::vector<TextExtent>& extents) {
  EXPECT_FALSE(extents.empty());
  for (const TextExtent& e : extents) {
    SCOPED_TRACE(e.ClassName + " \"" + e.Text + "\" id " + std::to_string(e.Id));
    EXPECT_LE(e.TextWidth + Margin(e), e.ClientWidth);
    EXPECT_LE(e.TextHeight, e.ClientHeight);
  }
}

// The rectangles on the screen, for the record of the English layout.
void PrintRects(const std::vector<TextExtent>& extents) {
  for (const TextExtent& e : extents) {
    const e2e::WinControl c = e2e::probe::Window(e.Handle);
    std::printf("  control %-10s \"%s\": %d,%d %dx%d, text %dx%d\n", e.ClassName.c_str(), e.Text.c_str(), c.Rect.Left,
                c.Rect.Top, c.Rect.Width(), c.Rect.Height(), e.TextWidth, e.TextHeight);
  }
}

class English : public testing::Test {
 protected:
  void SetUp() override {
    const e2e::ProcessResult acp = e2e::probe::Run({"acp"});
    if (acp.Out.rfind("1252", 0) != 0) GTEST_SKIP() << "not an English Windows (code page " << acp.Out << ")";
  }
};

const std::vector<std::pair<std::string, std::vector<std::string>>> kMenuBar = {
    {"&File",
     {"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...\tCtrl+Shift+S", "&Import...", "&Export...",
      "E&xit"}},
    {"&Edit",
     // The copy formats show their output for black until the submenu opens.
     // ("&1 Hex  #000000" goes with the recent files.)
     {"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "Pick from &Screen\tCtrl+K", "&Copy", "Copy Curre&nt Color\tCtrl+Shift+C",
      "Copy as &Format", "&2 Hex lower case  #000000", "&3 CSS rgb()  rgb(0, 0, 0)", "&4 CSS hsl()  hsl(0, 0%, 0%)",
      "&5 CSS hwb()  hwb(0 0% 100%)", "&6 CSS oklch()  oklch(0.0000 0.0000 0.00)", "&7 COLORREF  0x000000",
      "&8 Delphi  $00000000", "&9 Floats 0..1  0.000, 0.000, 0.000", "&0 Decimal  0", "&A Name  black",
      "&B CSS lab()  lab(0.00 0.00 0.00)", "&C CSS lch()  lch(0.00 0.00 0.00)",
      "&D CSS oklab()  oklab(0.0000 0.0000 0.0000)",
      "&F CSS color(display-p3)  color(display-p3 0.0000 0.0000 0.0000)",
      "&G CSS color(srgb-linear)  color(srgb-linear 0.0000 0.0000 0.0000)",
      "&H CSS color(xyz-d65)  color(xyz-d65 0.0000 0.0000 0.0000)", "&I CMYK  cmyk(0%, 0%, 0%, 100%)",
      "&J GLSL vec4  vec4(0.000, 0.000, 0.000, 1.0)", "&K Android ARGB  #FF000000",
      "&L .NET Color.FromArgb  Color.FromArgb(255, 0, 0, 0)",
      "&M SwiftUI Color  Color(red: 0.000, green: 0.000, blue: 0.000)",
      "&Edit Formats...",
      "&Paste\tCtrl+V",
      "Set as C&omparison Color",
      "Harmonies and Scales...\tCtrl+H",
      "&Add\tCtrl+Ins",
      "&Delete\tCtrl+Del",
      "Move &Up\tCtrl+U",
      "Move Do&wn\tCtrl+D"}},
    {"&View",
     {"Always on &Top", "&Magnifier", "&Contrast", "Color Vision Simulation", "None", "Protanopia", "Deuteranopia",
      "Tritanopia", "Achromatopsia"}},
    {"&Settings",
     {"&Hex Order", "&RGB\tCtrl+Alt+R", "&BGR\tCtrl+Alt+B", "&Pick Area", "1 x 1 Pixel", "3 x 3 Average",
      "5 x 5 Average", "9 x 9 Average", "5 x 5 Most Frequent", "Hot &Key...", "&Freeze the Screen while Picking",
      "&Copy on Pick", "&None", "&2 Hex lower case  #000000", "&3 CSS rgb()  rgb(0, 0, 0)",
      "&4 CSS hsl()  hsl(0, 0%, 0%)", "&5 CSS hwb()  hwb(0 0% 100%)", "&6 CSS oklch()  oklch(0.0000 0.0000 0.00)",
      "&7 COLORREF  0x000000", "&8 Delphi  $00000000", "&9 Floats 0..1  0.000, 0.000, 0.000", "&0 Decimal  0",
      "&A Name  black", "&B CSS lab()  lab(0.00 0.00 0.00)", "&C CSS lch()  lch(0.00 0.00 0.00)",
      "&D CSS oklab()  oklab(0.0000 0.0000 0.0000)",
      "&F CSS color(display-p3)  color(display-p3 0.0000 0.0000 0.0000)",
      "&G CSS color(srgb-linear)  color(srgb-linear 0.0000 0.0000 0.0000)",
      "&H CSS color(xyz-d65)  color(xyz-d65 0.0000 0.0000 0.0000)", "&I CMYK  cmyk(0%, 0%, 0%, 100%)",
      "&J GLSL vec4  vec4(0.000, 0.000, 0.000, 1.0)", "&K Android ARGB  #FF000000",
      "&L .NET Color.FromArgb  Color.FromArgb(255, 0, 0, 0)",
      "&M SwiftUI Color  Color(red: 0.000, green: 0.000, blue: 0.000)", "Show in the &Notification Area", "&Language",
      "&Auto", "日本語", "English"}},
    {"&Help", {"Author's &Home Page...", "&About Tintra..."}},
};

// The items of a submenu and its submenus, without separators and recent files.
void Items(const std::vector<MenuEntry>& items, std::vector<std::string>& out) {
  for (const MenuEntry& e : items) {
    if (e.IsSeparator() || e.Caption.rfind("&1 ", 0) == 0) continue;
    std::string caption = e.Caption;
    // Menus spell some keys out ("Insert") or abbreviate them ("Ins").
    for (const auto& [full, abbreviated] :
         {std::pair<std::string, std::string>{"+Insert", "+Ins"}, {"+Delete", "+Del"}})
      if (caption.ends_with(full)) caption.replace(caption.size() - full.size(), full.size(), abbreviated);
    out.push_back(caption);
    Items(e.Items, out);
  }
}

TEST_F(English, TheMainWindowSpeaksEnglishAndItsTextsFit) {
  TintraSession tintra;
  EXPECT_EQ(tintra.Caption(), "Untitled - Tintra");
  const auto menu = tintra.Menu();
  ASSERT_EQ(menu.size(), kMenuBar.size());
  for (size_t i = 0; i < kMenuBar.size(); ++i) {
    EXPECT_EQ(menu[i].Caption, kMenuBar[i].first);
    std::vector<std::string> items;
    Items(menu[i].Items, items);
    EXPECT_EQ(items, kMenuBar[i].second) << kMenuBar[i].first;
  }
  const MenuEntry* automatic = e2e::FindMenuEntry(menu, "&Auto");
  ASSERT_NE(automatic, nullptr);
  EXPECT_TRUE(automatic->Checked);
  EXPECT_TRUE(automatic->Radio);

  const auto labels = tintra.Texts({ControlIds::lblColor, ControlIds::FactorLabel(0), ControlIds::FactorLabel(5),
                                    ControlIds::FactorLabel(8), ControlIds::FactorLabel(11)});
  EXPECT_EQ(labels, (std::vector<std::string>{"Color:", "R:", "V:", "L:", "Cr:"}));

  // The tips name the commands in English, with their keys.
  std::vector<std::string> tips;
  for (const auto& bar : tintra.ToolBars())
    for (const auto& b : bar.Buttons)
      if (!b.Separator && b.Image >= 0) tips.push_back(b.ToolTip);
  EXPECT_TRUE(Holds(tips, "Open (Ctrl+O)") && Holds(tips, "Move Down (Ctrl+D)") && Holds(tips, "Always on Top"))
      << testing::PrintToString(tips);

  const auto extents = tintra.TextExtents();
  ExpectTextsFit(extents);
  PrintRects(extents);
  if (auto path = e2e::ScreenshotPath("main-window-english.png")) {
    e2e::Await(std::string("128"), [&] { return tintra.Control(ControlIds::edtCr).Text; });
    tintra.Screenshot(*path);
  }
}

TEST_F(English, TheAboutBoxIsInEnglishAndFits) {
  TintraSession tintra;
  const auto menu = tintra.Menu();
  const MenuEntry* about = e2e::FindMenuEntry(menu, "&About Tintra...");
  ASSERT_NE(about, nullptr);
  tintra.Command(about->Id);
  const unsigned long box = WaitFor([&] { return tintra.FindTopLevel("", "About Tintra"); }, "About Tintra");
  EXPECT_TRUE(Holds(TextsOf(tintra, box), "Close"));
  const auto extents = tintra.TextExtents(box);
  ExpectTextsFit(extents);
  PrintRects(extents);
  e2e::probe::Lines({"post", HexOf(box), "16" /* WM_CLOSE */, "0", "0"});
  WaitFor(
      [&]() -> std::optional<bool> {
        return tintra.FindTopLevel("", "About Tintra") ? std::nullopt : std::optional(true);
      },
      "the about box to close");
}

// The dialogs of the copy formats and the hot key, and the contrast readout.
TEST_F(English, TheFormatAndHotKeyDialogsAndTheContrastReadoutAreInEnglishAndFit) {
  TintraSession tintra;
  const auto menu = tintra.Menu();
  const struct {
    const char* Item;
    const char* Title;
    std::vector<std::string> Texts;
  } dialogs[] = {
      {"&Edit Formats...",
       "Edit Copy Formats",
       {"&Formats:", "&Add", "&Change", "&Delete", "Move &Up", "Move Dow&n", "&Template:", "OK", "Cancel"}},
      {"Hot &Key...",
       "Hot Key",
       {"Key to pick the color under the pointer:", "&None", "Also add to the &list", "Hot key starts the &pick mode",
        "OK", "Cancel"}},
  };
  for (const auto& d : dialogs) {
    SCOPED_TRACE(d.Title);
    const MenuEntry* item = e2e::FindMenuEntry(menu, d.Item);
    ASSERT_NE(item, nullptr);
    tintra.Command(item->Id);
    const unsigned long box = WaitFor([&] { return tintra.FindTopLevel("", d.Title); }, d.Title);
    const auto texts = TextsOf(tintra, box);
    for (const std::string& t : d.Texts) EXPECT_TRUE(Holds(texts, t)) << t << " in " << testing::PrintToString(texts);
    const auto extents = tintra.TextExtents(box);
    ExpectTextsFit(extents);
    PrintRects(extents);
    e2e::probe::Lines({"post", HexOf(box), "16" /* WM_CLOSE */, "0", "0"});
    WaitFor(
        [&]() -> std::optional<bool> { return tintra.FindTopLevel("", d.Title) ? std::nullopt : std::optional(true); },
        std::string("the dialog to close: ") + d.Title);
  }

  const MenuEntry* contrast = e2e::FindMenuEntry(menu, "&Contrast");
  ASSERT_NE(contrast, nullptr);
  tintra.Command(contrast->Id);
  // Black on the white comparison colour passes everything.
  EXPECT_EQ(e2e::Await(std::string("AA Normal:Pass Large:Pass\r\nAAA Normal:Pass Large:Pass"),
                       [&] { return tintra.Control(ControlIds::lblContrastWcag).Text; }),
            "AA Normal:Pass Large:Pass\r\nAAA Normal:Pass Large:Pass");
  EXPECT_EQ(tintra.Control(ControlIds::btnContrastSwap).Text, "S&wap");
  const auto extents = tintra.TextExtents();
  ExpectTextsFit(extents);
  PrintRects(extents);
}

TEST_F(English, TheSaveQuestionAndTheSaveDialogAreInEnglish) {
  TintraSession tintra;
  const auto menu = tintra.Menu();
  const MenuEntry* add = e2e::FindMenuEntry(menu, "&Add");
  ASSERT_NE(add, nullptr);
  tintra.Command(add->Id);
  WaitFor(
      [&]() -> std::optional<bool> {
        return tintra.Caption() == "Untitled* - Tintra" ? std::optional(true) : std::nullopt;
      },
      "the modified caption (it is " + tintra.Caption() + ")");

  tintra.Close();
  const unsigned long question = WaitFor([&] { return tintra.FindTopLevel("#32770"); }, "the save question");
  const auto texts = TextsOf(tintra, question);
  EXPECT_TRUE(Holds(texts, "Do you want to save changes to \"Untitled\"?"));
  ExpectTextsFit(tintra.TextExtents(question));
  tintra.Press(question, kIdYes);

  // Yes on an untitled document asks for a name: the save dialog with the English filter.
  const unsigned long dialog = WaitFor(
      [&]() -> std::optional<unsigned long> {
        auto found = tintra.FindTopLevel("#32770");
        return found && *found != question ? found : std::nullopt;
      },
      "the save dialog");
  bool filter = false;
  for (const e2e::WinControl& c : tintra.ControlsOf(dialog)) filter |= c.Text == "Text Files (*.txt)";
  EXPECT_TRUE(filter) << "no file type \"Text Files (*.txt)\"";
  tintra.Press(dialog, kIdCancel);

  // A cancelled save cancels the close.
  WaitFor([&]() -> std::optional<bool> { return tintra.FindTopLevel("#32770") ? std::nullopt : std::optional(true); },
          "the dialog to go");
  tintra.Sync();
  EXPECT_TRUE(tintra.Running());
  tintra.Close();
  tintra.Press(WaitFor([&] { return tintra.FindTopLevel("#32770"); }, "the save question again"), kIdNo);
  EXPECT_TRUE(tintra.WaitForExit(30s));
}

TEST_F(English, AChosenLanguageIsKeptAndTakesEffectAtTheNextStart) {
  {
    TintraSession tintra;
    const auto menu = tintra.Menu();
    const MenuEntry* japanese = e2e::FindMenuEntry(menu, "日本語");
    ASSERT_NE(japanese, nullptr);
    tintra.Command(japanese->Id);
    const unsigned long note = WaitFor([&] { return tintra.FindTopLevel("#32770"); }, "the note on the change");
    EXPECT_TRUE(Holds(TextsOf(tintra, note), "The new language takes effect the next time you start Tintra."));
    tintra.Press(note, kIdOk);
    EXPECT_EQ(e2e::probe::RegGet(e2e::kSettingsKey, "Language"), "1");
    EXPECT_EQ(tintra.Caption(), "Untitled - Tintra");  // this run stays English
    tintra.Close();
    ASSERT_TRUE(tintra.WaitForExit(30s));
  }
  TintraSession::Options again;
  again.ResetSettings = false;
  TintraSession tintra(again);
  EXPECT_EQ(tintra.Caption(), "(無題) - Tintra");
  const auto menu = tintra.Menu();
  ASSERT_FALSE(menu.empty());
  EXPECT_EQ(menu[0].Caption, "ファイル(&F)");
  const MenuEntry* japanese = e2e::FindMenuEntry(menu, "日本語");
  ASSERT_NE(japanese, nullptr);
  EXPECT_TRUE(japanese->Checked);
}

// The list file's encoding is the system's, not the interface's: code page
// 1252 here, so an "é" is the one byte E9 read and written back.
TEST_F(English, AListFileKeepsTheSystemCodePage) {
  char tmpl[] = "/tmp/tintra_en_XXXXXX";
  ASSERT_NE(::mkdtemp(tmpl), nullptr);
  const std::string dir = tmpl, file = dir + "/cafe.txt";
  const std::string bytes = "255,0,0,\"caf\xe9\"\r\n";
  std::ofstream(file, std::ios::binary) << bytes;
  {
    TintraSession tintra;
    tintra.ThroughFileDialog("&Open...", file);
    WaitFor(
        [&]() -> std::optional<bool> {
          return tintra.Caption() == "cafe - Tintra" ? std::optional(true) : std::nullopt;
        },
        "the caption of the opened file (it is " + tintra.Caption() + ")");
    tintra.Command(tintra.MenuId("&Save"));
    WaitFor(
        [&]() -> std::optional<bool> {
          return std::filesystem::exists(dir + "/cafe.bak") ? std::optional(true) : std::nullopt;
        },
        "the backup");
    tintra.Sync();
  }
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
  std::filesystem::remove_all(dir);
}

}  // namespace
