// The eyedropper, the magnifier and the size grip, driven with real X input
// over the virtual display's root window.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

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

// Where screenshots for the documentation go; elsewhere unless asked for.
std::string ShotPath(const std::string& name) {
  const char* dir = std::getenv("TINTRA_SCREENSHOT_DIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/" + name;
}

// The components of the right-hand panel, found by their designed sizes.
struct TPanel2 {
  WinControl Panel, Spoit, ZoomPanel, Zoom, Grip;
  std::vector<WinControl> Editors;  // in Tag order: R G B, H S V, H S L, Y Cb Cr
};

TPanel2 FindPanel2(TintraSession& tintra) {
  auto controls = tintra.Controls();
  TPanel2 p;
  for (const auto& c : controls)
    if (c.Parent == tintra.Handle() && c.Rect.Width() == 205) p.Panel = c;
  if (!p.Panel.Handle) throw std::runtime_error("no right-hand panel");
  struct TPos {
    int left, top;
  };
  const TPos editors[12] = {{40, 92},   {40, 116},  {40, 140},  {40, 172}, {40, 196},  {40, 220},
                            {144, 172}, {144, 196}, {144, 220}, {143, 92}, {143, 116}, {143, 140}};
  p.Editors.resize(12);
  for (const auto& c : controls) {
    const int left = c.Rect.Left - p.Panel.Rect.Left, top = c.Rect.Top - p.Panel.Rect.Top;
    if (c.Parent == p.Panel.Handle && c.Visible && c.Rect.Width() == 24 && c.Rect.Height() == 24) p.Spoit = c;
    if (c.Parent == p.Panel.Handle && c.Rect.Width() == 106 && c.Rect.Height() == 74) p.ZoomPanel = c;
    if (c.Parent == p.Panel.Handle && c.Rect.Width() == 12 && c.Rect.Height() == 12) p.Grip = c;
    if (c.Rect.Width() == 104 && c.Rect.Height() == 72) p.Zoom = c;
    const bool edit = c.ClassName == "TintraEdit" || c.ClassName == "Edit";
    for (int i = 0; i < 12; ++i)
      if (edit && left == editors[i].left && top == editors[i].top) p.Editors[static_cast<size_t>(i)] = c;
  }
  for (const auto* c : {&p.Spoit, &p.ZoomPanel, &p.Zoom, &p.Grip})
    if (!c->Handle) throw std::runtime_error("a sampling control is missing");
  for (const auto& e : p.Editors)
    if (!e.Handle) throw std::runtime_error("a channel editor is missing");
  return p;
}

std::vector<std::string> EditorTexts(TintraSession& tintra, const TPanel2& p) {
  tintra.Sync();
  std::vector<std::string> texts;
  for (const auto& e : p.Editors) texts.push_back(e2e::probe::Window(e.Handle).Text);
  return texts;
}

TRgb EditorRgb(TintraSession& tintra, const TPanel2& p) {
  auto t = EditorTexts(tintra, p);
  return {std::atoi(t[0].c_str()), std::atoi(t[1].c_str()), std::atoi(t[2].c_str())};
}

// Presses on the eyedropper box and drags to (x, y) in a few steps.
void DragFromSpoit(TintraSession& tintra, const TPanel2& p, int x, int y) {
  tintra.Drag(p.Spoit.Rect.CenterX(), p.Spoit.Rect.CenterY(), x, y, 6);
  tintra.Sync();
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
  EXPECT_EQ(EditorTexts(tintra, p),
            (std::vector<std::string>{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "128", "128"}));
  tintra.Screenshot(ShotPath("sampling-before.png"));
  DragFromSpoit(tintra, p, kFarX, kFarY);
  EXPECT_EQ(EditorTexts(tintra, p),
            (std::vector<std::string>{"18", "52", "86", "210", "79", "34", "210", "65", "21", "46", "150", "108"}));
  // Released: moving on changes nothing.
  tintra.MouseMove(kFarX + 40, kFarY - 30);
  SetRoot({"-solid", "#FFFFFF"});
  tintra.MouseMove(kFarX + 50, kFarY - 40);
  EXPECT_EQ(EditorRgb(tintra, p), (TRgb{18, 52, 86}));
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
  tintra.Screenshot(ShotPath("sampling-pattern.png"));

  TScreenPixels screen(ScreenRect{0, 0, 1280, 1024});
  const ScreenRect z = p.Zoom.Rect;
  for (int j = 0; j < 9; ++j)
    for (int i = 0; i < 13; ++i) {
      const TRgb expected = screen.At(px - 6 + i, py - 4 + j);
      ASSERT_TRUE(expected == kFg || expected == kBg) << "root not patterned at " << px - 6 + i;
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
          ASSERT_EQ(screen.At(z.Left + 8 * i + x, z.Top + 8 * j + y), expected)
              << "block " << i << "," << j << " pixel " << x << "," << y;
    }
  // The pixel that was read is the block at (48, 32), and the current colour.
  EXPECT_EQ(screen.At(z.Left + 48, z.Top + 32), screen.At(px, py));
  EXPECT_EQ(EditorRgb(tintra, p), screen.At(px, py));
}

TEST(Sampling, PressAndReleaseWithoutMovingLeavesTheColour) {
  SetRoot({"-solid", "#123456"});
  TintraSession tintra;
  TPanel2 p = FindPanel2(tintra);
  DragFromSpoit(tintra, p, kFarX, kFarY);
  ASSERT_EQ(EditorRgb(tintra, p), (TRgb{18, 52, 86}));
  // The box itself is far from that colour; a click on it reads nothing.
  e2e::Xdotool({"mousemove", "--sync", std::to_string(p.Spoit.Rect.CenterX()), std::to_string(p.Spoit.Rect.CenterY()),
                "mousedown", "1", "mouseup", "1"});
  tintra.Sync();
  EXPECT_EQ(EditorRgb(tintra, p), (TRgb{18, 52, 86}));
}

TEST(Sampling, PicksFromTheMagnifiedPictureAndKeepsIt) {
  SetPatternRoot();
  TintraSession tintra;
  TPanel2 p = FindPanel2(tintra);
  const int px = kFarX, py = kFarY;
  DragFromSpoit(tintra, p, px, py);
  TScreenPixels root(ScreenRect{px - 50, py - 50, px + 50, py + 50});
  const ScreenRect z = p.Zoom.Rect;
  // A left press on block (2, 7) picks the pixel it enlarges, at once.
  const TRgb block27 = root.At(px - 6 + 2, py - 4 + 7);
  int bi = 0, bj = 0;  // a block of the other colour
  while (root.At(px - 6 + bi, py - 4 + bj) == block27) {
    if (++bi == 13) bi = 0, ++bj;
    ASSERT_LT(bj, 9) << "the magnified area has one colour";
  }
  e2e::Xdotool(
      {"mousemove", "--sync", std::to_string(z.Left + 2 * 8 + 3), std::to_string(z.Top + 7 * 8 + 4), "mousedown", "1"});
  tintra.Sync();
  EXPECT_EQ(EditorRgb(tintra, p), block27);
  // Dragged on within the magnifier, then out of it onto the root.
  tintra.MouseMove(z.Left + bi * 8 + 5, z.Top + bj * 8 + 1);
  tintra.Sync();
  EXPECT_EQ(EditorRgb(tintra, p), root.At(px - 6 + bi, py - 4 + bj));
  int ox = 30;
  while (root.At(px + ox, py + 31) == block27) ++ox;
  tintra.MouseMove(px + ox, py + 31);
  tintra.Sync();
  EXPECT_EQ(EditorRgb(tintra, p), root.At(px + ox, py + 31));
  e2e::Xdotool({"mouseup", "1"});
  tintra.Sync();
  // The magnifier still shows the area of the eyedropper's last move.
  TScreenPixels after(z);
  for (int j = 0; j < 9; ++j)
    for (int i = 0; i < 13; ++i)
      ASSERT_EQ(after.At(z.Left + 8 * i + 4, z.Top + 8 * j + 4), root.At(px - 6 + i, py - 4 + j)) << i << "," << j;
  // A right press picks nothing.
  const TRgb before = EditorRgb(tintra, p);
  e2e::Xdotool({"mousemove", "--sync", std::to_string(z.Left + 2 * 8 + 3), std::to_string(z.Top + 7 * 8 + 4),
                "mousedown", "3", "mouseup", "3"});
  tintra.Sync();
  EXPECT_EQ(EditorRgb(tintra, p), before);
}

// The last button of the button bar is the magnifier's.
void ClickZoomButton(TintraSession& tintra) {
  for (const auto& c : tintra.Controls()) {
    if (c.ClassName != "ToolbarWindow32") continue;
    // Nine 23-pixel buttons and four 6-pixel separators before its centre.
    tintra.Click(c.Rect.Left + 9 * 23 + 4 * 6 + 11, c.Rect.Top + 11);
    tintra.Sync();
    return;
  }
  throw std::runtime_error("no button bar");
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
  EXPECT_FALSE(e2e::probe::Window(p.ZoomPanel.Handle).Visible);
  EXPECT_FALSE(ZoomChecked(tintra));
  // Its place stays empty: the panel's own background, no bevel, nothing moved.
  TScreenPixels hidden(area);
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) ASSERT_EQ(hidden.At(x, y), face) << x << "," << y;
  EXPECT_EQ(e2e::probe::Window(p.Spoit.Handle).Rect.Left, p.Spoit.Rect.Left);

  // Sampling goes on while hidden; shown again, the magnifier has the new picture.
  DragFromSpoit(tintra, p, kFarX, kFarY);
  ClickZoomButton(tintra);
  EXPECT_TRUE(e2e::probe::Window(p.ZoomPanel.Handle).Visible);
  EXPECT_TRUE(ZoomChecked(tintra));
  tintra.Sync();
  std::this_thread::sleep_for(200ms);
  TScreenPixels again(p.Zoom.Rect);
  EXPECT_EQ(again.At(p.Zoom.Rect.Left + 50, p.Zoom.Rect.Top + 35), (TRgb{0x12, 0x34, 0x56}));
}

TEST(Sampling, SizeGripGrowsTheWindowByExactlyTheDrag) {
  SetRoot({"-solid", "#123456"});
  TintraSession tintra;
  TPanel2 p = FindPanel2(tintra);
  const ScreenRect before = tintra.Window().Rect;
  const int x = p.Grip.Rect.CenterX(), y = p.Grip.Rect.CenterY();
  tintra.Drag(x, y, x + 30, y + 20, 7);
  tintra.Sync();
  const ScreenRect after = tintra.Window().Rect;
  EXPECT_EQ(after.Width() - before.Width(), 30);
  EXPECT_EQ(after.Height() - before.Height(), 20);
  EXPECT_EQ(after.Left, before.Left);
  EXPECT_EQ(after.Top, before.Top);
  // The grip moved with the corner.
  const WinControl grip = e2e::probe::Window(p.Grip.Handle);
  EXPECT_EQ(grip.Rect.Left - p.Grip.Rect.Left, 30);
  EXPECT_EQ(grip.Rect.Top - p.Grip.Rect.Top, 20);
}

}  // namespace
