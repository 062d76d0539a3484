// The whole window at 96, 144 and 192 DPI (the system DPI Wine reads from
// LogPixels at each start): controls grow with their fonts, none overlaps
// another or cuts its text, and the eyedropper still picks the exact pixel.
// One start per DPI; LogPixels goes back to the default in TearDown.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace {

using e2e::ScreenRect;
using e2e::TextExtent;
using e2e::TintraSession;
using e2e::WinControl;

constexpr const char* kDesktopKey = "HKCU\\Control Panel\\Desktop";

void SetLogPixels(int dpi) {
  const auto r = e2e::RunProcess(
      {"wine", "reg", "add", kDesktopKey, "/v", "LogPixels", "/t", "REG_DWORD", "/d", std::to_string(dpi), "/f"});
  if (r.ExitCode != 0) throw std::runtime_error("wine reg add LogPixels failed: " + r.Err);
}

void ClearLogPixels() { e2e::RunProcess({"wine", "reg", "delete", kDesktopKey, "/v", "LogPixels", "/f"}); }

struct TRgb {
  int R = 0, G = 0, B = 0;
  bool operator==(const TRgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TRgb& c) {
  return out << "(" << c.R << ", " << c.G << ", " << c.B << ")";
}

TRgb EditorRgb(TintraSession& tintra) {
  const auto t = tintra.Texts({ControlIds::edtRed, ControlIds::edtGrn, ControlIds::edtBlu});
  return {std::atoi(t[0].c_str()), std::atoi(t[1].c_str()), std::atoi(t[2].c_str())};
}

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

bool Inside(const ScreenRect& inner, const ScreenRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

std::string Describe(const WinControl& c) {
  char text[128];
  std::snprintf(text, sizeof text, "%d,%d %dx%d", c.Rect.Left, c.Rect.Top, c.Rect.Width(), c.Rect.Height());
  return text;
}

// What the user sees at each DPI, as sizes on the screen: the designed
// 96-DPI sizes grown by the DPI's factor, 1.5 and 2.
struct TDpiCase {
  int Dpi;
  int SpoitSide;     // the eyedropper box, 24 at 96 DPI
  int EditorWidth;   // each channel editor, 60 x 21 at 96 DPI
  int EditorHeight;
  int ZoomWidth;     // the magnifier's panel, 106 x 74 at 96 DPI
  int ZoomHeight;
  int DockHeight;    // the button bar's, 26 at 96 DPI
  int MinTextHeight; // the colour name's 12-pixel font grown, less the font's own rounding
};

const TDpiCase kCases[] = {
    {96, 24, 60, 21, 106, 74, 26, 12},
    {144, 36, 90, 32, 159, 111, 39, 17},
    {192, 48, 120, 42, 212, 148, 52, 23},
};

class Dpi : public testing::TestWithParam<TDpiCase> {
 protected:
  void SetUp() override {
    ClearLogPixels();
    if (GetParam().Dpi != 96) SetLogPixels(GetParam().Dpi);
  }
  void TearDown() override { ClearLogPixels(); }
};

// Room a push button needs around its text, as in the English layout test.
int Margin(const TextExtent& e) { return e.ClassName == "Button" || e.ClassName == "BUTTON" ? 6 : 0; }

void ExpectTextsFit(const std::vector<TextExtent>& extents, int minTextHeight) {
  EXPECT_FALSE(extents.empty());
  for (const TextExtent& e : extents) {
    SCOPED_TRACE(e.ClassName + " \"" + e.Text + "\" id " + std::to_string(e.Id));
    EXPECT_LE(e.TextWidth + Margin(e), e.ClientWidth);
    EXPECT_LE(e.TextHeight, e.ClientHeight);
    EXPECT_GE(e.TextHeight, minTextHeight);
  }
}

// A visible top-level window of the program other than the main window.
unsigned long OtherTopLevel(TintraSession& tintra) {
  unsigned long found = 0;
  e2e::WaitUntil([&] {
    for (const auto& f : e2e::probe::Lines({"find"}))
      if (f.size() >= 4 && std::stoul(f[1]) == tintra.WindowsPid() && f[3] == "1" &&
          std::stoul(f[0], nullptr, 0) != tintra.Handle())
        found = std::stoul(f[0], nullptr, 0);
    return found != 0;
  });
  return found;
}

bool IsOpen(TintraSession& tintra, unsigned long box) {
  for (const auto& f : e2e::probe::Lines({"find"}))
    if (f.size() >= 4 && std::stoul(f[1]) == tintra.WindowsPid() && f[3] == "1" && std::stoul(f[0], nullptr, 0) == box)
      return true;
  return false;
}

TEST_P(Dpi, TheWindowGrowsWithoutOverlapOrCutTextAndPicksTheExactPixel) {
  const TDpiCase& c = GetParam();
  e2e::SetCheckerRoot();
  TintraSession tintra;

  // Sizes: the controls grew by the DPI's factor.
  const WinControl spoit = tintra.Control(ControlIds::pboxSpoit);
  EXPECT_EQ(spoit.Rect.Width(), c.SpoitSide);
  EXPECT_EQ(spoit.Rect.Height(), c.SpoitSide);
  for (int i = 0; i < 12; ++i) {
    const WinControl editor = tintra.Control(ControlIds::FactorEditor(i));
    EXPECT_EQ(editor.Rect.Width(), c.EditorWidth) << "editor " << i;
    EXPECT_EQ(editor.Rect.Height(), c.EditorHeight) << "editor " << i;
  }
  const WinControl zoom = tintra.Control(ControlIds::pnlZoom);
  EXPECT_EQ(zoom.Rect.Width(), c.ZoomWidth);
  EXPECT_EQ(zoom.Rect.Height(), c.ZoomHeight);

  // The right-hand panel: every visible control inside it, none on another.
  const WinControl panel = tintra.Control(ControlIds::Panel2);
  std::vector<WinControl> parts;
  for (const WinControl& w : tintra.Controls())
    if (w.Parent == panel.Handle && w.Visible) parts.push_back(w);
  EXPECT_GE(parts.size(), 27u);  // swatch, its label, the name, 12 editors and labels, eyedropper, magnifier, grip
  for (size_t i = 0; i < parts.size(); ++i) {
    const WinControl& a = parts[i];
    EXPECT_TRUE(Inside(a.Rect, panel.Rect)) << a.ClassName << " id " << a.Id << " at " << Describe(a) << " outside "
                                            << Describe(panel);
    for (size_t k = i + 1; k < parts.size(); ++k)
      EXPECT_FALSE(Overlap(a.Rect, parts[k].Rect))
          << "id " << a.Id << " at " << Describe(a) << " on id " << parts[k].Id << " at " << Describe(parts[k]);
  }
  // The list and its button bar beside it, not under it.
  const WinControl list = tintra.Control(ControlIds::gridItemArea);
  const WinControl dock = tintra.Control(ControlIds::TBXDock);
  EXPECT_FALSE(Overlap(list.Rect, panel.Rect));
  EXPECT_FALSE(Overlap(list.Rect, dock.Rect));
  EXPECT_EQ(dock.Rect.Height(), c.DockHeight);

  // Every text whole, in a font that grew too.
  ExpectTextsFit(tintra.TextExtents(), c.MinTextHeight);

  // The record for the closing note: where the main controls are at this DPI.
  const std::pair<const char*, int> named[] = {
      {"Panel2", ControlIds::Panel2},       {"TBXDock", ControlIds::TBXDock},     {"ToolBar", ControlIds::ToolBar},
      {"gridItem", ControlIds::gridItem},   {"pboxSpoit", ControlIds::pboxSpoit}, {"pnlZoom", ControlIds::pnlZoom},
      {"pboxColor", ControlIds::pboxColor}, {"lblColor", ControlIds::lblColor},   {"edtRed", ControlIds::edtRed},
      {"edtCr", ControlIds::edtCr},         {"edtHSLBri", ControlIds::edtHSLBri}, {"SizeGrip", ControlIds::SizeGripVel1},
  };
  const WinControl window = tintra.Window();
  // No stored place: the window stays on the 1280-pixel screen, and the list
  // is wide enough for its seven designed columns (290 pixels at 96 DPI).
  EXPECT_GE(window.Rect.Left, 0);
  EXPECT_LE(window.Rect.Right, 1280);
  EXPECT_GE(list.Rect.Width(), 290 * c.Dpi / 96);
  std::printf("DPI %d: window %s\n", c.Dpi, Describe(window).c_str());
  std::string record = "window " + Describe(window);
  for (const auto& [name, id] : named) {
    const WinControl w = tintra.Control(id);
    std::printf("DPI %d:   %-10s %s\n", c.Dpi, name, Describe(w).c_str());
    record += std::string("; ") + name + " " + Describe(w);
  }
  RecordProperty("rects" + std::to_string(c.Dpi), record);

  // Picking stays in physical pixels: the pixel under the pointer, and its neighbour.
  constexpr int kX = 1000, kY = 800;  // x + y even: #FF8000
  const WinControl spoitNow = tintra.Control(ControlIds::pboxSpoit);
  tintra.Drag(spoitNow.Rect.CenterX(), spoitNow.Rect.CenterY(), kX, kY, 4);
  EXPECT_EQ(e2e::Await(TRgb{255, 128, 0}, [&] { return EditorRgb(tintra); }), (TRgb{255, 128, 0}));
  tintra.Drag(spoitNow.Rect.CenterX(), spoitNow.Rect.CenterY(), kX + 1, kY, 4);
  EXPECT_EQ(e2e::Await(TRgb{0, 64, 192}, [&] { return EditorRgb(tintra); }), (TRgb{0, 64, 192}));
  if (auto path = e2e::ScreenshotPath("main-window-" + std::to_string(c.Dpi) + "dpi.png")) tintra.Screenshot(*path);

  // The dialogs built in code grow the same way (at 96 DPI the English
  // layout test checks them).
  if (c.Dpi == 96) return;
  const std::vector<e2e::MenuEntry> menu = tintra.Menu();
  for (const char* item : {"バージョン情報(&A)...", "ホットキー(&K)...", "形式の編集(&E)..."}) {
    SCOPED_TRACE(item);
    const e2e::MenuEntry* entry = e2e::FindMenuEntry(menu, item);
    ASSERT_NE(entry, nullptr);
    tintra.Command(entry->Id);
    const unsigned long box = OtherTopLevel(tintra);
    ASSERT_NE(box, 0u);
    ExpectTextsFit(tintra.TextExtents(box), c.MinTextHeight);
    const WinControl dialog = e2e::probe::Window(box);
    // The probe's window lines: handle, parent, class, id, text, left, top, right, bottom, visible.
    for (const auto& f : e2e::probe::Lines({"controls", e2e::HexOf(box)})) {
      ASSERT_GE(f.size(), 10u);
      const ScreenRect r{std::stoi(f[5]), std::stoi(f[6]), std::stoi(f[7]), std::stoi(f[8])};
      if (std::stoul(f[1], nullptr, 0) == box && f[9] == "1") {
        EXPECT_TRUE(Inside(r, dialog.Rect)) << f[2] << " id " << f[3] << " \"" << f[4] << "\"";
      }
    }
    std::printf("DPI %d:   dialog %s %s\n", c.Dpi, item, Describe(dialog).c_str());
    e2e::probe::Lines({"post", e2e::HexOf(box), "16" /* WM_CLOSE */, "0", "0"});
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsOpen(tintra, box); }));
  }
}

INSTANTIATE_TEST_SUITE_P(Tintra, Dpi, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<TDpiCase>& info) { return std::to_string(info.param.Dpi); });

}  // namespace
