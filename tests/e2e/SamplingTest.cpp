// The eyedropper, the magnifier and the size grip, driven with real X input
// over the virtual display's root window.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace {

using e2e::ScreenRect;
using e2e::TintraSession;
using e2e::WinControl;
using namespace std::chrono_literals;

struct TRgb {
  int R = 0, G = 0, B = 0;
  bool operator==(const TRgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TRgb& c) {
  return out << "(" << c.R << ", " << c.G << ", " << c.B << ")";
}

// Raw pixels of a screen area, read from the X root like a screenshot.
class TScreenPixels {
 public:
  explicit TScreenPixels(ScreenRect area) : FArea(area) {
    const std::string crop = std::to_string(area.Width()) + "x" + std::to_string(area.Height()) + "+" +
                             std::to_string(area.Left) + "+" + std::to_string(area.Top);
    auto r = e2e::RunProcess({"import", "-window", "root", "-crop", crop, "-depth", "8", "rgb:-"});
    if (r.ExitCode != 0) throw std::runtime_error("import failed: " + r.Err);
    FBytes = r.Out;
    if (FBytes.size() != static_cast<size_t>(area.Width() * area.Height() * 3))
      throw std::runtime_error("import gave " + std::to_string(FBytes.size()) + " bytes");
  }
  // In screen coordinates.
  TRgb At(int x, int y) const {
    const size_t i = (static_cast<size_t>(y - FArea.Top) * FArea.Width() + (x - FArea.Left)) * 3;
    auto b = [&](size_t k) { return static_cast<int>(static_cast<unsigned char>(FBytes[i + k])); };
    return {b(0), b(1), b(2)};
  }

 private:
  ScreenRect FArea;
  std::string FBytes;
};

void SetRoot(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {"xsetroot"};
  argv.insert(argv.end(), args.begin(), args.end());
  auto r = e2e::RunProcess(argv);
  if (r.ExitCode != 0) throw std::runtime_error("xsetroot failed: " + r.Err);
}

struct TPanel2 {
  WinControl Panel, Spoit, ZoomPanel, Zoom, Grip;
  std::vector<WinControl> Editors;  // in Tag order: R G B, H S V, H S L, Y Cb Cr
};

TPanel2 FindPanel2(TintraSession& tintra) {
  TPanel2 p;
  p.Panel = tintra.Control(ControlIds::Panel2);
  p.Spoit = tintra.Control(ControlIds::pboxSpoit);
  p.ZoomPanel = tintra.Control(ControlIds::pnlZoom);
  p.Zoom = tintra.Control(ControlIds::pboxZoom);
  p.Grip = tintra.Control(ControlIds::SizeGripVel1);
  for (int i = 0; i < 12; ++i) p.Editors.push_back(tintra.Control(ControlIds::FactorEditor(i)));
  return p;
}

std::vector<std::string> EditorTexts(TintraSession& tintra) {
  std::vector<int> ids;
  for (int i = 0; i < 12; ++i) ids.push_back(ControlIds::FactorEditor(i));
  return tintra.Texts(ids);
}

TRgb EditorRgb(TintraSession& tintra) {
  auto t = EditorTexts(tintra);
  return {std::atoi(t[0].c_str()), std::atoi(t[1].c_str()), std::atoi(t[2].c_str())};
}

// The editors' texts and colour once they are the expected ones, or at the timeout.
std::vector<std::string> EditorTextsWhen(TintraSession& tintra, const std::vector<std::string>& expected) {
  return e2e::Await(expected, [&] { return EditorTexts(tintra); });
}
TRgb EditorRgbWhen(TintraSession& tintra, TRgb expected) {
  return e2e::Await(expected, [&] { return EditorRgb(tintra); });
}

// Presses on the eyedropper box and drags to (x, y) in a few steps.
void DragFromSpoit(TintraSession& tintra, const TPanel2& p, int x, int y) {
  tintra.Drag(p.Spoit.Rect.CenterX(), p.Spoit.Rect.CenterY(), x, y, 6);
}

// A tiled random two-colour root, so every 13 x 9 area is different.
constexpr TRgb kFg{0x20, 0x40, 0x80}, kBg{0xF0, 0xC0, 0x10};
void SetPatternRoot() {
  const int n = 64;
  std::mt19937 random(20240601);
  std::string xbm = "#define p_width 64\n#define p_height 64\nstatic unsigned char p_bits[] = {\n";
  static const char digits[] = "0123456789abcdef";
  for (int i = 0; i < n * n / 8; ++i) {
    const unsigned v = random() & 0xFF;
    // Xlib reads the file in short lines.
    xbm += std::string(i == 0 ? "" : i % 12 == 0 ? ",\n" : ",") + "0x" + digits[v >> 4] + digits[v & 15];
  }
  xbm += "};\n";
  const std::string path = "/tmp/tintra-e2e-pattern.xbm";
  std::ofstream(path) << xbm;
  SetRoot({"-bitmap", path, "-fg", "#204080", "-bg", "#F0C010"});
}

constexpr int kFarX = 1000, kFarY = 800;  // root background, clear of the window

TEST(Sampling, EyedropperPicksTheBackgroundColourIntoAllTwelveEditors) {
  SetRoot({"-solid", "#123456"});
  TintraSession tintra;
  TPanel2 p = FindPanel2(tintra);
  const std::vector<std::string> black = {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "128", "128"};
  EXPECT_EQ(EditorTextsWhen(tintra, black), black);
  if (auto path = e2e::ScreenshotPath("sampling-before.png")) tintra.Screenshot(*path);
  DragFromSpoit(tintra, p, kFarX, kFarY);
  const std::vector<std::string> picked = {"18", "52", "86", "210", "79", "34", "210", "65", "21", "46", "150", "108"};
  EXPECT_EQ(EditorTextsWhen(tintra, picked), picked);
  // Released: moving on changes nothing. (A check that nothing happens
  // cannot wait for a state; the sync makes a late pick likely to show.)
  tintra.MouseMove(kFarX + 40, kFarY - 30);
  SetRoot({"-solid", "#FFFFFF"});
  tintra.MouseMove(kFarX + 50, kFarY - 40);
  tintra.Sync();
  EXPECT_EQ(EditorRgb(tintra), (TRgb{18, 52, 86}));
}

TEST(Sampling, MagnifierShowsTheThirteenByNinePixelsAroundThePointer) {
  SetPatternRoot();
  TintraSession tintra;
  TPanel2 p = FindPanel2(tintra);
  // Before the first drag the magnifier is one plain button-face area.
  {
    TScreenPixels before(p.Zoom.Rect);
    const TRgb face = before.At(p.Zoom.Rect.Left, p.Zoom.Rect.Top);
    for (int y = p.Zoom.Rect.Top; y < p.Zoom.Rect.Bottom; ++y)
      for (int x = p.Zoom.Rect.Left; x < p.Zoom.Rect.Right; ++x) ASSERT_EQ(before.At(x, y), face) << x << "," << y;
    EXPECT_NE(face, kFg);
    EXPECT_NE(face, kBg);
  }
  const int px = kFarX + 3, py = kFarY + 5;
  DragFromSpoit(tintra, p, px, py);
  const ScreenRect z = p.Zoom.Rect;
  // The last move is handled once the magnifier shows its area.
  auto magnified = [&] {
    TScreenPixels now(ScreenRect{0, 0, 1280, 1024});
    for (int j = 0; j < 9; ++j)
      for (int i = 0; i < 13; ++i)
        if (now.At(z.Left + 8 * i + 4, z.Top + 8 * j + 4) != now.At(px - 6 + i, py - 4 + j)) return false;
    return true;
  };
  EXPECT_TRUE(e2e::WaitUntil(magnified));
  if (auto path = e2e::ScreenshotPath("sampling-pattern.png")) tintra.Screenshot(*path);

  TScreenPixels screen(ScreenRect{0, 0, 1280, 1024});
  for (int j = 0; j < 9; ++j)
    for (int i = 0; i < 13; ++i) {
      const TRgb expected = screen.At(px - 6 + i, py - 4 + j);
      ASSERT_TRUE(expected == kFg || expected == kBg) << "root not patterned at " << px - 6 + i;
      // The centre block's edge carries the mark.
      const int edge = i == 6 && j == 4 ? 2 : 0;
      for (int y = edge; y < 8 - edge; ++y)
        for (int x = edge; x < 8 - edge; ++x)
          ASSERT_EQ(screen.At(z.Left + 8 * i + x, z.Top + 8 * j + y), expected)
              << "block " << i << "," << j << " pixel " << x << "," << y;
    }
  // The pixel that was read is the block at (48, 32), and the current colour.
  EXPECT_EQ(screen.At(z.Left + 50, z.Top + 34), screen.At(px, py));
  EXPECT_EQ(EditorRgbWhen(tintra, screen.At(px, py)), screen.At(px, py));
}

TEST(Sampling, PressAndReleaseWithoutMovingLeavesTheColour) {
  SetRoot({"-solid", "#123456"});
  TintraSession tintra;
  TPanel2 p = FindPanel2(tintra);
  DragFromSpoit(tintra, p, kFarX, kFarY);
  ASSERT_EQ(EditorRgbWhen(tintra, TRgb{18, 52, 86}), (TRgb{18, 52, 86}));
  // The box itself is far from that colour; a click on it reads nothing.
  e2e::Xdotool({"mousemove", "--sync", std::to_string(p.Spoit.Rect.CenterX()), std::to_string(p.Spoit.Rect.CenterY()),
                "mousedown", "1", "mouseup", "1"});
  tintra.Sync();
  EXPECT_EQ(EditorRgb(tintra), (TRgb{18, 52, 86}));
}

TEST(Sampling, PicksFromTheMagnifiedPictureAndKeepsIt) {
  SetPatternRoot();
  TintraSession tintra;
  TPanel2 p = FindPanel2(tintra);
  const int px = kFarX, py = kFarY;
  DragFromSpoit(tintra, p, px, py);
  TScreenPixels root(ScreenRect{px - 50, py - 50, px + 50, py + 50});
  const ScreenRect z = p.Zoom.Rect;
  ASSERT_EQ(EditorRgbWhen(tintra, root.At(px, py)), root.At(px, py));
  // A left press on block (2, 7) picks the pixel it enlarges, at once.
  const TRgb block27 = root.At(px - 6 + 2, py - 4 + 7);
  int bi = 0, bj = 0;  // a block of the other colour
  while (root.At(px - 6 + bi, py - 4 + bj) == block27) {
    if (++bi == 13) bi = 0, ++bj;
    ASSERT_LT(bj, 9) << "the magnified area has one colour";
  }
  e2e::Xdotool(
      {"mousemove", "--sync", std::to_string(z.Left + 2 * 8 + 3), std::to_string(z.Top + 7 * 8 + 4), "mousedown", "1"});
  EXPECT_EQ(EditorRgbWhen(tintra, block27), block27);
  // Dragged on within the magnifier, then out of it onto the root.
  tintra.MouseMove(z.Left + bi * 8 + 5, z.Top + bj * 8 + 1);
  const TRgb other = root.At(px - 6 + bi, py - 4 + bj);
  EXPECT_EQ(EditorRgbWhen(tintra, other), other);
  int ox = 30;
  while (root.At(px + ox, py + 31) == other) ++ox;
  tintra.MouseMove(px + ox, py + 31);
  EXPECT_EQ(EditorRgbWhen(tintra, root.At(px + ox, py + 31)), root.At(px + ox, py + 31));
  e2e::Xdotool({"mouseup", "1"});
  tintra.Sync();
  // The magnifier still shows the area of the eyedropper's last move.
  TScreenPixels after(z);
  for (int j = 0; j < 9; ++j)
    for (int i = 0; i < 13; ++i)
      ASSERT_EQ(after.At(z.Left + 8 * i + 4, z.Top + 8 * j + 4), root.At(px - 6 + i, py - 4 + j)) << i << "," << j;
  // A right press picks nothing.
  const TRgb before = EditorRgb(tintra);
  e2e::Xdotool({"mousemove", "--sync", std::to_string(z.Left + 2 * 8 + 3), std::to_string(z.Top + 7 * 8 + 4),
                "mousedown", "3", "mouseup", "3"});
  tintra.Sync();
  EXPECT_EQ(EditorRgb(tintra), before);
}

// The last button of the button bar is the magnifier's.
void ClickZoomButton(TintraSession& tintra) {
  const WinControl bar = tintra.Control(ControlIds::ToolBar);
  // Twelve 23-pixel buttons and five 6-pixel separators before its centre.
  tintra.Click(bar.Rect.Left + 12 * 23 + 5 * 6 + 11, bar.Rect.Top + 11);
}

bool ZoomChecked(TintraSession& tintra) {
  auto menu = tintra.Menu();
  const e2e::MenuEntry* zoom = e2e::FindMenuEntry(menu, "拡大ウィンドウの表示");
  if (!zoom) throw std::runtime_error("no magnifier menu item");
  bool button = false;
  for (const auto& bar : tintra.ToolBars())
    for (const auto& b : bar.Buttons)
      if (b.Id == zoom->Id) button = b.Checked;
  EXPECT_EQ(button, zoom->Checked) << "menu and button disagree";
  return zoom->Checked;
}

TEST(Sampling, TheToolBarButtonHidesAndShowsTheMagnifier) {
  SetRoot({"-solid", "#123456"});
  TintraSession tintra;
  TPanel2 p = FindPanel2(tintra);
  ASSERT_TRUE(ZoomChecked(tintra));
  const ScreenRect area = p.ZoomPanel.Rect;
  TScreenPixels shown(area);
  const TRgb face = shown.At(area.Left + 1, area.Top + 1);  // the magnifier's button-face picture

  ClickZoomButton(tintra);
  EXPECT_FALSE(e2e::Await(false, [&] { return e2e::probe::Window(p.ZoomPanel.Handle).Visible; }));
  EXPECT_FALSE(ZoomChecked(tintra));
  // Its place stays empty: the panel's own background, no bevel, nothing moved.
  auto empty = [&] {
    TScreenPixels hidden(area);
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x)
        if (hidden.At(x, y) != face) return false;
    return true;
  };
  EXPECT_TRUE(e2e::WaitUntil(empty));
  EXPECT_EQ(e2e::probe::Window(p.Spoit.Handle).Rect.Left, p.Spoit.Rect.Left);

  // Sampling goes on while hidden; shown again, the magnifier has the new picture.
  DragFromSpoit(tintra, p, kFarX, kFarY);
  ASSERT_EQ(EditorRgbWhen(tintra, TRgb{18, 52, 86}), (TRgb{18, 52, 86}));
  ClickZoomButton(tintra);
  EXPECT_TRUE(e2e::Await(true, [&] { return e2e::probe::Window(p.ZoomPanel.Handle).Visible; }));
  EXPECT_TRUE(ZoomChecked(tintra));
  const TRgb centre = e2e::Await(TRgb{0x12, 0x34, 0x56}, [&] {
    return TScreenPixels(p.Zoom.Rect).At(p.Zoom.Rect.Left + 50, p.Zoom.Rect.Top + 35);
  });
  EXPECT_EQ(centre, (TRgb{0x12, 0x34, 0x56}));
}

TEST(Sampling, SizeGripGrowsTheWindowByExactlyTheDrag) {
  SetRoot({"-solid", "#123456"});
  TintraSession tintra;
  TPanel2 p = FindPanel2(tintra);
  const ScreenRect before = tintra.Window().Rect;
  const int x = p.Grip.Rect.CenterX(), y = p.Grip.Rect.CenterY();
  tintra.Drag(x, y, x + 30, y + 20, 7);
  // The last move is handled once the window has grown by both amounts.
  auto grown = [&] {
    const ScreenRect r = tintra.Window().Rect;
    return std::pair{r.Width() - before.Width(), r.Height() - before.Height()};
  };
  EXPECT_EQ(e2e::Await(std::pair{30, 20}, grown), (std::pair{30, 20}));
  const ScreenRect after = tintra.Window().Rect;
  EXPECT_EQ(after.Left, before.Left);
  EXPECT_EQ(after.Top, before.Top);
  // The grip moved with the corner.
  const WinControl grip = e2e::probe::Window(p.Grip.Handle);
  EXPECT_EQ(grip.Rect.Left - p.Grip.Rect.Left, 30);
  EXPECT_EQ(grip.Rect.Top - p.Grip.Rect.Top, 20);
}

}  // namespace
