#include "framework/support/uDraw3DFrame.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "tests/win/DibCanvas.h"

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr COLORREF kW = RGB(255, 255, 255);
constexpr COLORREF kS = RGB(192, 192, 192);
constexpr COLORREF kG = RGB(128, 128, 128);
constexpr COLORREF kK = RGB(0, 0, 0);

using TCanvas = TDibCanvas;  // cleared to kBackground

std::string Hex(COLORREF c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06lX", static_cast<unsigned long>(c));
  return buf;
}

COLORREF Colour(char c, COLORREF fill) {
  switch (c) {
    case 'W':
      return kW;
    case 'S':
      return kS;
    case 'G':
      return kG;
    case 'K':
      return kK;
    case 'F':
      return fill;
    default:
      return kBackground;
  }
}

// Whole canvases written out by hand: W white, S silver, G grey, K black,
// F the fill, '.' untouched.
TEST(Draw3DFrameTest, SmallFramesPixelByPixel) {
  constexpr COLORREF F = RGB(10, 200, 77);
  const struct {
    RECT Rect;
    bool Raised;
    std::optional<COLORREF> Fill;
    std::vector<std::string> Picture;
  } cases[] = {
      // 6 x 4, off the canvas edge: the two inner corner end points stay unpainted.
      {{1, 1, 7, 5}, true, std::nullopt, {"........", ".WWWWW..", ".WSSS.K.", ".WGGGGK.", ".KKKKKK.", "........"}},
      {{1, 1, 7, 5}, false, F, {"........", ".GGGGG..", ".GKKK.W.", ".GSSSSW.", ".WWWWWW.", "........"}},
      // 6 x 6 filled: the fill covers exactly the inside of the two rings.
      {{0, 0, 6, 6}, true, F, {"WWWWW.", "WSSS.K", "WSFFGK", "WSFFGK", "WGGGGK", "KKKKKK"}},
      // 3 x 3: the rings overlap and nothing is filled.
      {{1, 1, 4, 4}, false, F, {".....", ".GK..", ".G.W.", ".WWW.", "....."}},
      // 2 x 2: what would run outside is cut off.
      {{1, 1, 3, 3}, true, F, {"....", ".GG.", ".KK.", "...."}},
      // Empty or inverted: nothing drawn.
      {{2, 2, 2, 2}, true, F, {"....", "....", "....", "...."}},
      {{3, 3, 1, 1}, false, F, {"....", "....", "....", "...."}},
  };
  for (const auto& c : cases) {
    const int height = static_cast<int>(c.Picture.size()), width = static_cast<int>(c.Picture[0].size());
    TCanvas canvas(width, height);
    ASSERT_TRUE(canvas.Valid());
    Draw3DFrame(canvas.DC(), c.Rect, c.Raised, c.Fill);
    ::GdiFlush();
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const COLORREF expected = Colour(c.Picture[static_cast<size_t>(y)][static_cast<size_t>(x)], F);
        EXPECT_EQ(Hex(canvas.At(x, y)), Hex(expected))
            << "rect " << c.Rect.left << "," << c.Rect.top << "," << c.Rect.right << "," << c.Rect.bottom
            << (c.Raised ? " raised" : " sunken") << " pixel " << x << "," << y;
      }
  }
}

// The table written out for one small box, independent of the model above.
TEST(Draw3DFrameTest, FiveByFiveByHand) {
  constexpr COLORREF F = RGB(9, 99, 199), o = kBackground;
  const COLORREF raised[5][5] = {
      {kW, kW, kW, kW, o},   //
      {kW, kS, kS, o, kK},   // the corner end points stay unpainted
      {kW, kS, F, kG, kK},   //
      {kW, kG, kG, kG, kK},  //
      {kK, kK, kK, kK, kK},
  };
  const COLORREF sunken[5][5] = {
      {kG, kG, kG, kG, o},   //
      {kG, kK, kK, o, kW},   //
      {kG, kK, F, kS, kW},   //
      {kG, kS, kS, kS, kW},  //
      {kW, kW, kW, kW, kW},
  };
  for (bool isRaised : {true, false}) {
    TCanvas canvas(5, 5);
    Draw3DFrame(canvas.DC(), RECT{0, 0, 5, 5}, isRaised, F);
    ::GdiFlush();
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x)
        EXPECT_EQ(canvas.At(x, y), (isRaised ? raised : sunken)[y][x]) << x << "," << y << " raised " << isRaised;
  }
}

TEST(Draw3DFrameTest, NoFillLeavesTheInsideAlone) {
  TCanvas canvas(20, 20);
  Draw3DFrame(canvas.DC(), RECT{0, 0, 20, 20}, true);
  ::GdiFlush();
  for (int y = 2; y < 18; ++y)
    for (int x = 2; x < 18; ++x) EXPECT_EQ(canvas.At(x, y), kBackground);
}

// The table slot (low word of the handle) a new GDI object would get.
WORD NextGdiSlot() {
  HPEN probe = ::CreatePen(PS_SOLID, 1, 0);
  const WORD slot = LOWORD(reinterpret_cast<ULONG_PTR>(probe));
  ::DeleteObject(probe);
  return slot;
}

TEST(Draw3DFrameTest, ThePenBrushAndPositionOfTheDcAreKept) {
  TCanvas canvas(16, 16);
  fw::TUniquePen pen(::CreatePen(PS_DASH, 1, RGB(1, 1, 1)));
  fw::TUniqueBrush brush(::CreateSolidBrush(RGB(2, 2, 2)));
  fw::TSelectObject keepPen(canvas.DC(), pen.Get());
  fw::TSelectObject keepBrush(canvas.DC(), brush.Get());
  ::MoveToEx(canvas.DC(), 7, 9, nullptr);
  const DWORD objectsBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  const WORD slotBefore = NextGdiSlot();

  for (int i = 0; i < 50; ++i) Draw3DFrame(canvas.DC(), RECT{0, 0, 16, 16}, i % 2 == 0, RGB(3, 3, 3));

  EXPECT_EQ(::GetCurrentObject(canvas.DC(), OBJ_PEN), pen.Get());
  EXPECT_EQ(::GetCurrentObject(canvas.DC(), OBJ_BRUSH), brush.Get());
  POINT position{};
  ::GetCurrentPositionEx(canvas.DC(), &position);
  EXPECT_EQ(position.x, 7);
  EXPECT_EQ(position.y, 9);
  // Pens and brushes made for the calls are gone again.
  if (objectsBefore != 0)
    EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), objectsBefore);
  else  // Wine counts no GDI objects, but hands out the last freed slot first
    EXPECT_EQ(NextGdiSlot(), slotBefore);
}

}  // namespace
