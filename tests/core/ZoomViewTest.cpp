#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "core/sampling/uZoomView.h"

namespace {

// The magnifier's view, 104 x 72 at 96 DPI.
constexpr int kViewW = 104, kViewH = 72;

TEST(ZoomGeometry, EachZoomShowsOddBlocksCentredOnThePointer) {
  struct Case {
    int w, h, cell;
    TZoomGeometry want;
  } cases[] = {
      {kViewW, kViewH, 8, {8, {-6, -4, 7, 5}, {0, 0}}},  // 13 x 9, each an 8 x 8 block from (0, 0)
      {kViewW, kViewH, 2, {2, {-26, -18, 27, 19}, {-1, -1}}},
      {kViewW, kViewH, 4, {4, {-13, -9, 14, 10}, {-2, -2}}},
      {kViewW, kViewH, 16, {16, {-3, -2, 4, 3}, {-4, -4}}},
      {kViewW, kViewH, 32, {32, {-2, -1, 3, 2}, {-28, -12}}},
      {156, 108, 12, {12, {-6, -4, 7, 5}, {0, 0}}},  // 150 %: still 13 x 9
      {208, 144, 16, {16, {-6, -4, 7, 5}, {0, 0}}},  // 200 %
      {105, 73, 8, {8, {-7, -5, 8, 6}, {-8, -8}}},   // the odd pixel goes right and down
      {5, 5, 8, {8, {0, 0, 1, 1}, {0, 0}}},          // smaller than a cell: the pointer's pixel
      {0, -3, 0, {1, {0, 0, 1, 1}, {0, 0}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ZoomGeometry(c.w, c.h, c.cell), c.want) << c.w << "x" << c.h << " cell " << c.cell;
}

TEST(ZoomGeometry, CellSizeFollowsTheViewsDpi) {
  struct Case {
    int zoom, dpi, want;
  } cases[] = {{8, 96, 8}, {8, 144, 12}, {8, 120, 10}, {2, 120, 3}, {32, 192, 64}, {2, 0, 2}, {0, 96, 1}};
  for (const Case& c : cases) EXPECT_EQ(ZoomCellSize(c.zoom, c.dpi), c.want) << c.zoom << "@" << c.dpi;
}

TEST(ZoomGeometry, ViewPointsMapToTheScreenPixelShownThere) {
  const TZoomGeometry x8 = ZoomGeometry(kViewW, kViewH, 8);
  const TZoomGeometry x16 = ZoomGeometry(kViewW, kViewH, 16);
  struct Case {
    const TZoomGeometry& g;
    TPointI view, want;
  } cases[] = {
      {x8, {0, 0}, {-6, -4}},  {x8, {48, 32}, {0, 0}},   {x8, {55, 39}, {0, 0}},
      {x8, {56, 40}, {1, 1}},  {x8, {103, 71}, {6, 4}},  {x8, {-1, -1}, {-7, -5}},  // left of the view rounds down
      {x16, {0, 0}, {-3, -2}}, {x16, {44, 28}, {0, 0}},  {x16, {43, 27}, {-1, -1}},
      {x16, {60, 44}, {1, 1}}, {x16, {103, 71}, {3, 2}}, {x16, {INT_MIN, INT_MAX}, {-134217731, 134217726}},
  };
  for (const Case& c : cases) EXPECT_EQ(ViewToSource(c.g, c.view), c.want) << c.view.X << "," << c.view.Y;
}

TEST(ZoomGeometry, SampleOutlineSurroundsTheSampledBlocks) {
  const TZoomGeometry x8 = ZoomGeometry(kViewW, kViewH, 8);
  const TZoomGeometry x16 = ZoomGeometry(kViewW, kViewH, 16);
  const TZoomGeometry x32 = ZoomGeometry(kViewW, kViewH, 32);
  struct Case {
    const TZoomGeometry& g;
    int size;
    TRectI want;
  } cases[] = {
      {x8, 1, {48, 32, 56, 40}}, {x8, 3, {40, 24, 64, 48}},  {x8, 5, {32, 16, 72, 56}},
      {x8, 9, {16, 0, 88, 72}},  {x16, 3, {28, 12, 76, 60}}, {x32, 9, {-92, -108, 196, 180}},  // larger than the view
  };
  for (const Case& c : cases) EXPECT_EQ(SampleOutline(c.g, c.size), c.want) << c.g.Cell << " " << c.size;
}

TEST(ZoomGeometry, CaptureHoldsTheViewAndTheSampledSquare) {
  struct Case {
    int cell, size;
    TRectI want;
  } cases[] = {
      {8, 1, {-6, -4, 7, 5}},  {8, 9, {-6, -4, 7, 5}},  // today's 13 x 9 holds the 9 x 9
      {32, 1, {-2, -1, 3, 2}}, {32, 5, {-2, -2, 3, 3}}, {32, 9, {-4, -4, 5, 5}}, {2, 9, {-26, -18, 27, 19}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CaptureRect(ZoomGeometry(kViewW, kViewH, c.cell), c.size), c.want) << c.cell << " " << c.size;
}

TEST(ZoomStep, WalksTheFactorsAndStopsAtTheEnds) {
  struct Case {
    int zoom, steps, want;
  } cases[] = {
      {8, 1, 16},  {8, -1, 4}, {8, 0, 8},       {16, 1, 32},      {32, 1, 32}, {2, -1, 2},
      {2, 10, 32}, {4, -2, 2}, {8, INT_MIN, 2}, {8, INT_MAX, 32}, {7, 1, 16},  // unknown: from 8
      {0, -1, 4},
  };
  for (const Case& c : cases) EXPECT_EQ(ZoomStep(c.zoom, c.steps), c.want) << c.zoom << " " << c.steps;
}

TEST(WheelNotches, WholeNotchesAndTurnsTheOtherWay) {
  struct Case {
    std::vector<int> deltas, want;
  } cases[] = {
      {{120}, {1}},
      {{-240}, {-2}},
      {{60, 60}, {0, 1}},
      {{40, 40, 40, 40}, {0, 0, 1, 0}},
      {{60, -120}, {0, -1}},  // half forward, one back: one back
      {{-60, 30, 90}, {0, 0, 1}},
      {{119, 1, 119, 1}, {0, 1, 0, 1}},
      {{INT_MAX, INT_MAX}, {17895697, 17895697}},  // remainders 7, then 14
  };
  for (const Case& c : cases) {
    TWheelNotches wheel;
    std::vector<int> got;
    for (int d : c.deltas) got.push_back(wheel.Take(d));
    EXPECT_EQ(got, c.want) << testing::PrintToString(c.deltas);
  }
}

}  // namespace
