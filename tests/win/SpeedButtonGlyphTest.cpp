// A speed button's glyph: the colour of its bottom-left pixel is see-through,
// the rest is drawn (enabled) or embossed in system colours (disabled).
#include <windows.h>
#include <gtest/gtest.h>

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

}  // namespace
