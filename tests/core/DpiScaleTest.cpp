// Layout numbers designed at 96 DPI taken to other DPIs, and the stored
// window position record on the primary and on another monitor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/controls/uDpiScale.h"
#include "core/sampling/uMonitorLayout.h"

namespace {

TEST(ScaleRectForDpi, GrowsADesignedRectByTheFactorRoundingEachEdgeHalfUp) {
  // The red channel editor, 40,92 60 x 21 at 96 DPI.
  const TRectI editor{40, 92, 100, 113};
  const struct {
    int Dpi;
    TRectI Expected;
  } cases[] = {
      {96, {40, 92, 100, 113}},    {120, {50, 115, 125, 141}},  // 141.25
      {144, {60, 138, 150, 170}},  // 169.5 goes up
      {168, {70, 161, 175, 198}},  // 197.75
      {192, {80, 184, 200, 226}},  {288, {120, 276, 300, 339}},
  };
  for (const auto& c : cases) EXPECT_EQ(ScaleRectForDpi(editor, 96, c.Dpi), c.Expected) << c.Dpi;
}

TEST(ScaleRectForDpi, ControlsThatTouchOrKeepApartAtNinetySixDoSoAtEveryDpi) {
  // Pairs from the channel panel: a label ending where its editor begins,
  // editors one above the other, and the eyedropper over the colour name.
  const struct {
    TRectI A, B;
    int Gap;  // B.Left - A.Right or B.Top - A.Bottom at 96 DPI
    bool Horizontal;
  } pairs[] = {
      {{0, 96, 38, 110}, {40, 92, 100, 113}, 2, true},
      {{40, 92, 100, 113}, {40, 116, 100, 137}, 3, false},
      {{9, 6, 33, 30}, {2, 30, 94, 42}, 0, false},
      {{2, 30, 94, 42}, {40, 42, 81, 84}, 0, false},
  };
  for (int dpi = 96; dpi <= 480; ++dpi) {
    for (const auto& p : pairs) {
      const TRectI a = ScaleRectForDpi(p.A, 96, dpi), b = ScaleRectForDpi(p.B, 96, dpi);
      const int gap = p.Horizontal ? b.Left - a.Right : b.Top - a.Bottom;
      if (p.Gap == 0)
        EXPECT_EQ(gap, 0) << dpi;
      else
        EXPECT_GT(gap, 0) << dpi;
    }
  }
}

TEST(ScaleRectForDpi, UpFromNinetySixAndBackGivesTheDesignedRect) {
  for (int dpi = 96; dpi <= 480; dpi += 3) {
    for (int v = -40; v <= 600; v += 7) {
      const TRectI designed{v, v + 1, v + 13, v + 29};
      ASSERT_EQ(ScaleRectForDpi(ScaleRectForDpi(designed, 96, dpi), dpi, 96), designed) << dpi << " " << v;
    }
  }
}

TEST(ScaleRectForDpi, BetweenTwoHighDpisAndWithoutADpi) {
  const struct {
    TRectI Rect;
    int From, To;
    TRectI Expected;
  } cases[] = {
      {{60, 138, 150, 170}, 144, 192, {80, 184, 200, 227}},  // 226.67: from the 144 pixels, not the design
      {{10, 10, 43, 43}, 144, 192, {13, 13, 57, 57}},
      {{-15, -3, 0, 9}, 96, 144, {-23, -5, 0, 14}},  // halves away from zero, as MulDiv
      {{40, 92, 100, 113}, 0, -5, {40, 92, 100, 113}},
  };
  for (const auto& c : cases) EXPECT_EQ(ScaleRectForDpi(c.Rect, c.From, c.To), c.Expected);
}

TEST(ScaledOuterSize, KeepsTheNewFrameAndGrowsTheDesignedClientArea) {
  // Measured under Wine: the main window is 507 x 304 around a frame of
  // 8 x 46 at 96 DPI; at 144 DPI the frame is 10 x 66, at 192 DPI 10 x 84.
  const struct {
    int Outer, DesignedFrame, Frame, From, To, Expected;
  } cases[] = {
      {304, 46, 46, 96, 96, 304},   {304, 46, 66, 96, 144, 453}, {304, 46, 84, 96, 192, 600},
      {507, 8, 10, 96, 144, 759},   // 499 * 1.5 = 748.5
      {507, 8, 10, 96, 192, 1008},  {453, 66, 46, 144, 96, 304},  // and back
      {304, 46, 46, 0, -1, 304},     // no DPI known: 96
  };
  for (const auto& c : cases)
    EXPECT_EQ(ScaledOuterSize(c.Outer, c.DesignedFrame, c.Frame, c.From, c.To), c.Expected)
        << c.Outer << " " << c.From << "->" << c.To;
}

// How many destination pixels show each source pixel.
std::vector<int> Coverage(int destination, int source) {
  std::vector<int> count(static_cast<size_t>(source), 0);
  for (int d = 0; d < destination; ++d) ++count[static_cast<size_t>(NearestSourcePixel(d, destination, source))];
  return count;
}

TEST(NearestSourcePixel, ShowsEveryPixelOfTheArtWhenGrowing) {
  EXPECT_EQ(Coverage(16, 16), std::vector<int>(16, 1));
  EXPECT_EQ(Coverage(32, 16), std::vector<int>(16, 2));
  // 24 from 16 at 144 DPI: every other pixel doubled, none lost.
  EXPECT_EQ(Coverage(24, 16), (std::vector<int>{1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2}));
  for (int size = 16; size <= 64; ++size)
    for (int n : Coverage(size, 16)) EXPECT_GE(n, 1) << size;
}

TEST(NearestSourcePixel, StaysInsideTheArtForAnySize) {
  const struct {
    int Destination, DestinationSize, SourceSize, Expected;
  } cases[] = {
      {0, 24, 16, 0}, {23, 24, 16, 15}, {7, 8, 16, 15},  // shrinking picks pixel centres
      {5, 0, 16, 0},  {5, 24, 0, 0},    {-3, 24, 16, 0}, {99, 24, 16, 15},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NearestSourcePixel(c.Destination, c.DestinationSize, c.SourceSize), c.Expected) << c.Destination;
}

TEST(StoredPosRecordText, KeepsTheOldFiveFieldsOnThePrimaryMonitorAndNamesAnyOther) {
  const TMonitorLayout layout{
      {{0, 0, 1280, 1024}, {0, 0, 1280, 994}, 96, true},
      {{1280, -200, 3200, 1000}, {1280, -200, 3200, 960}, 144, false},
  };
  const struct {
    TRectI Normal;
    int State;
    const wchar_t* Expected;
  } cases[] = {
      {{331, 57, 838, 361}, 1, L"331,57,507,304,1"},
      {{-4, 0, 503, 304}, 3, L"-4,0,507,304,3"},
      // 1.5 times 507 x 304 on the second monitor, 150,300 into its work area.
      {{1430, 100, 2191, 556}, 1, L"100,200,507,304,1,1280,-200"},
  };
  for (const auto& c : cases) EXPECT_EQ(StoredPosRecordText(c.Normal, c.State, layout), c.Expected);
}

TEST(StoredPosRecordText, ComesBackToTheSameMonitorAtItsDpi) {
  const TMonitorLayout layout{
      {{0, 0, 1280, 1024}, {0, 0, 1280, 994}, 96, true},
      {{1280, -200, 3200, 1000}, {1280, -200, 3200, 960}, 144, false},
  };
  const TRectI designed{331, 57, 838, 361};
  for (const TRectI normal : {TRectI{331, 57, 838, 361}, TRectI{1430, 100, 2191, 556}}) {
    const std::wstring record = StoredPosRecordText(normal, 1, layout);
    EXPECT_EQ(RestoredMonitorPos(record, designed, layout).Bounds, normal) << std::string(record.begin(), record.end());
  }
}

}  // namespace
