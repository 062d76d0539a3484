// A speed button's glyph: the colour of its bottom-left pixel is see-through,
// the rest is drawn (enabled) or embossed in system colours (disabled).
#include <windows.h>
#include <gtest/gtest.h>

#include "controls/uSpeedButtonVel.h"
#include "framework/Handles.h"
#include "framework/SpeedButton.h"
#include "tests/win/DibCanvas.h"

namespace {

constexpr COLORREF kSeeThrough = RGB(0, 128, 128), kInk = RGB(0, 0, 0), kPaper = RGB(250, 240, 230);

// An 8 x 8 glyph, see-through but for a 4 x 4 block of ink in the middle.
fw::TUniqueBitmap MakeGlyph() {
  HDC screen = ::GetDC(nullptr);
  fw::TUniqueBitmap glyph(::CreateCompatibleBitmap(screen, 8, 8));
  ::ReleaseDC(nullptr, screen);
  fw::TUniqueMemDC dc(::CreateCompatibleDC(nullptr));
  fw::TSelectObject select(dc.Get(), glyph.Get());
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ::SetPixel(dc.Get(), x, y, x >= 2 && x < 6 && y >= 2 && y < 6 ? kInk : kSeeThrough);
  return glyph;
}

TEST(SpeedButtonGlyph, EnabledDrawsTheInkAndKeepsTheBackground) {
  fw::TUniqueBitmap glyph = MakeGlyph();
  TDibCanvas canvas(12, 12, kPaper);
  fw::DrawTransparentGlyph(canvas.DC(), glyph.Get(), 2, 2, true);
  EXPECT_EQ(canvas.At(5, 5), kInk);
  EXPECT_EQ(canvas.At(3, 3), kPaper);
  EXPECT_EQ(canvas.At(0, 0), kPaper);
  // The glyph can be drawn again: nothing kept it selected.
  canvas.Clear(kPaper);
  fw::DrawTransparentGlyph(canvas.DC(), glyph.Get(), 2, 2, true);
  EXPECT_EQ(canvas.At(6, 6), kInk);
}

TEST(SpeedButtonGlyph, DisabledEmbossesTheShape) {
  fw::TUniqueBitmap glyph = MakeGlyph();
  TDibCanvas canvas(12, 12, kPaper);
  fw::DrawTransparentGlyph(canvas.DC(), glyph.Get(), 2, 2, false);
  EXPECT_EQ(canvas.At(5, 5), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(8, 8), ::GetSysColor(COLOR_BTNHIGHLIGHT));  // one pixel down-right of the ink
  EXPECT_EQ(canvas.At(3, 3), kPaper);
}

// A 12 x 12 button at (10, 10): the 8 x 8 glyph's ink (2..5) lands at
// 14..17, or one pixel down-right (15..18) while the button is down.
TEST(SpeedButtonFace, FrameAndGlyphFollowTheState) {
  struct {
    const char* State;
    bool Down, Enabled;
    COLORREF TopLeft, BottomRight, InkFirst, InkLast;
    int First, Last;  // the ink's diagonal, in canvas pixels
  } cases[] = {
      {"up", false, true, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW), kInk, kInk, 14, 17},
      {"down", true, true, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT), kInk, kInk, 15, 18},
      {"disabled", false, false, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW),
       ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW), 14, 17},
  };
  fw::TUniqueBitmap glyph = MakeGlyph();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.State);
    TDibCanvas canvas(32, 32, kPaper);
    DrawSpeedButtonFace(canvas.DC(), RECT{10, 10, 22, 22}, c.Down, c.Enabled, glyph.Get());
    EXPECT_EQ(canvas.At(9, 9), kPaper) << "nothing outside";
    EXPECT_EQ(canvas.At(22, 22), kPaper);
    EXPECT_EQ(canvas.At(10, 10), c.TopLeft);
    EXPECT_EQ(canvas.At(21, 21), c.BottomRight);
    EXPECT_EQ(canvas.At(11, 20), ::GetSysColor(COLOR_BTNFACE)) << "the glyph's see-through part shows the face";
    EXPECT_EQ(canvas.At(c.First, c.First), c.InkFirst);
    EXPECT_EQ(canvas.At(c.Last, c.Last), c.InkLast);
    EXPECT_EQ(canvas.At(c.First - 1, c.First - 1), ::GetSysColor(COLOR_BTNFACE));
  }
}

}  // namespace
