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

// The expected picture, painted from the stroke table: each segment from its
// first point towards its second, the second left out.
class TModel {
 public:
  TModel(int width, int height) : FWidth(width), FPixels(static_cast<size_t>(width * height), kBackground) {}
  COLORREF At(int x, int y) const { return FPixels[static_cast<size_t>(y * FWidth + x)]; }
  void Polyline(COLORREF c, POINT a, POINT b, POINT d) {
    Segment(c, a, b);
    Segment(c, b, d);
  }
  void Fill(COLORREF c, int l, int t, int r, int b) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) Put(x, y, c);
  }

 private:
  void Segment(COLORREF c, POINT a, POINT b) {
    const int dx = (b.x > a.x) - (b.x < a.x), dy = (b.y > a.y) - (b.y < a.y);
    for (POINT p = a; p.x != b.x || p.y != b.y; p.x += dx, p.y += dy) Put(p.x, p.y, c);
  }
  void Put(int x, int y, COLORREF c) { FPixels[static_cast<size_t>(y * FWidth + x)] = c; }
  int FWidth;
  std::vector<COLORREF> FPixels;
};

TModel Expected(int width, int height, const RECT& rc, bool raised, std::optional<COLORREF> fill) {
  const LONG L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
  TModel m(width, height);
  m.Polyline(raised ? kW : kG, {L, B - 2}, {L, T}, {R - 1, T});
  m.Polyline(raised ? kS : kK, {L + 1, B - 3}, {L + 1, T + 1}, {R - 2, T + 1});
  m.Polyline(raised ? kK : kW, {L, B - 1}, {R - 1, B - 1}, {R - 1, T});
  m.Polyline(raised ? kG : kS, {L + 1, B - 2}, {R - 2, B - 2}, {R - 2, T + 1});
  if (fill) m.Fill(*fill, L + 2, T + 2, R - 2, B - 2);
  return m;
}

std::string Hex(COLORREF c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06lX", static_cast<unsigned long>(c));
  return buf;
}

constexpr int kCanvasW = 48, kCanvasH = 40;

void ExpectPixels(const RECT& rc, bool raised, std::optional<COLORREF> fill) {
  TCanvas canvas(kCanvasW, kCanvasH);
  ASSERT_TRUE(canvas.Valid());
  Draw3DFrame(canvas.DC(), rc, raised, fill);
  ::GdiFlush();
  const TModel model = Expected(kCanvasW, kCanvasH, rc, raised, fill);
  int wrong = 0;
  for (int y = 0; y < kCanvasH; ++y)
    for (int x = 0; x < kCanvasW; ++x)
      if (canvas.At(x, y) != model.At(x, y) && ++wrong <= 5)
        ADD_FAILURE() << "rect " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom
                      << (raised ? " raised" : " sunken") << (fill ? " filled" : "") << " pixel " << x << "," << y
                      << ": " << Hex(canvas.At(x, y)) << " expected " << Hex(model.At(x, y));
}

TEST(Draw3DFrameTest, EveryPixelFollowsTheStrokeTable) {
  const RECT rects[] = {
      {3, 2, 8, 7},                                          // 5 x 5
      {0, 0, 4, 4},                                          // the smallest frame with an inside of nothing
      {5, 5, 11, 14},                                        // 6 x 9
      {1, 3, 31, 23},                                        // 30 x 20
      {0, 0, 24, 24},                                        // the eyedropper box
      {2, 1, 47, 39},   {10, 10, 13, 13},                    // too small for two rings: strokes overlap, no fill
      {10, 10, 12, 12}, {10, 10, 11, 11}, {10, 10, 10, 10},  // empty
  };
  const std::optional<COLORREF> fills[] = {std::nullopt, RGB(10, 200, 77), RGB(255, 255, 255)};
  for (const RECT& rc : rects)
    for (bool raised : {true, false})
      for (const auto& fill : fills) ExpectPixels(rc, raised, fill);
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
