#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "core/controls/uTrackBarScale.h"

namespace {

struct PopupCase {
  double max;
  int n, w;
  std::vector<TTrackBarLabel> labels;
  std::vector<int> ticks;
};

TEST(TrackBarScale, ChannelPopups) {
  const PopupCase cases[] = {
      {255,
       256,
       256,
       {{L"0", 0}, {L"50", 50}, {L"100", 100}, {L"150", 150}, {L"200", 200}, {L"255", 256}},
       {50, 100, 150, 200}},
      {100,
       101,
       202,
       {{L"0", 0}, {L"20", 40}, {L"40", 80}, {L"60", 121}, {L"80", 161}, {L"100", 202}},
       {20, 40, 60, 80}},
      // More steps than pixels: W stays 256 and steps share pixels.
      {360, 361, 256, {{L"0", 0}, {L"100", 71}, {L"200", 142}, {L"300", 213}, {L"360", 256}}, {100, 200, 300}},
  };
  for (const auto& c : cases) {
    const TTrackBarScale scale(etbvsNormal, TrackRange(0, c.max, 0, 0), 1);
    ASSERT_TRUE(scale.CanOpen());
    EXPECT_EQ(scale.Count(), c.n) << c.max;
    EXPECT_EQ(scale.TrackLength(), c.w) << c.max;
    const TTrackBarMarks marks = TrackBarMarks(scale);
    EXPECT_EQ(marks.Labels, c.labels) << c.max;
    EXPECT_EQ(marks.Ticks, c.ticks) << c.max;
  }
}

TEST(TrackBarScale, NormalMapping) {
  const TTrackBarScale s(etbvsNormal, {0, 2000}, 1);
  EXPECT_EQ(s.ValueOf(255), 255);
  EXPECT_EQ(s.ValueOf(1234), 1230);  // three significant digits
  EXPECT_EQ(s.IndexOf(128.4), 128);
  EXPECT_EQ(s.IndexOf(3000), 2000);  // limited as the track bar limits it
  EXPECT_EQ(s.IndexOf(-5), 0);

  const TTrackBarScale tenths(etbvsNormal, {-1, 1}, 0.1);
  EXPECT_EQ(tenths.Count(), 21);
  EXPECT_EQ(tenths.ValueOf(10), 0);  // -1 + 10 x 0.1 misses 0 by noise
  EXPECT_NEAR(tenths.ValueOf(15), 0.5, 1e-12);
}

TEST(TrackBarScale, RangesThatCannotOpen) {
  struct Case {
    TEditTrackBarVelStyle style;
    TTrackRange range;
    double lineSize;
  };
  const Case cases[] = {
      {etbvsNormal, {5, 5}, 1},                        // a single step
      {etbvsNormal, {0, 0.4}, 1},                      // rounds to a single step
      {etbvsNormal, TrackRange(0, 100, 200, 300), 1},  // disjoint ranges: hi < lo
      {etbvsNormal, {0, 100}, 0},
      {etbvsNormal, {0, 1e12}, 1e-3},  // more steps than a track holds
      {etbvsExp1, {0, 100}, 0.1},      // no logarithm of 0
      {etbvsExp2, {-1, 100}, 1},
      {etbvsExp2, {7, 7}, 1},
  };
  for (const auto& c : cases) {
    const TTrackBarScale s(c.style, c.range, c.lineSize);
    EXPECT_FALSE(s.CanOpen()) << c.style << " " << c.range.Lo << ".." << c.range.Hi;
    EXPECT_TRUE(TrackBarMarks(s).Labels.empty());
    EXPECT_EQ(s.IndexOf(3), 0);
  }
}

TEST(TrackBarScale, DecadeDigitIndex) {
  const double cases[][2] = {
      {1, 0}, {9, 8}, {10, 9}, {90, 17}, {100, 18}, {1000, 27}, {1.5, 1}, {9.6, 9}, {0.5, -5}, {0.1, -9}, {0.09, -10},
  };
  for (const auto& c : cases) EXPECT_EQ(DecadeDigitIndex(c[0]), c[1]) << c[0];
}

TEST(TrackBarScale, OneToNinePerDecade) {
  const TTrackBarScale s(etbvsExp2, {1, 1000}, 1);
  EXPECT_EQ(s.Count(), 28);
  EXPECT_EQ(s.TrackLength(), 252);
  EXPECT_EQ(s.ValueOf(0), 1);
  EXPECT_EQ(s.ValueOf(8), 9);
  EXPECT_EQ(s.ValueOf(9), 10);
  EXPECT_EQ(s.ValueOf(27), 1000);
  EXPECT_EQ(s.IndexOf(50), 13);
  const TTrackBarMarks m = TrackBarMarks(s);
  const std::vector<TTrackBarLabel> labels{{L"1", 0},     {L"5", 37},    {L"10", 84},   {L"50", 121},
                                           {L"100", 168}, {L"500", 205}, {L"1000", 252}};
  EXPECT_EQ(m.Labels, labels);
  ASSERT_EQ(m.Ticks.size(), 26u);
  EXPECT_EQ(m.Ticks.front(), 1);
  EXPECT_EQ(m.Ticks.back(), 26);
}

TEST(TrackBarScale, OneToNineStartsTwoStepsAboveAnyLeadingDigit) {
  // c <= 2 starts on the 5, c > 7 on the next decade's 5, else on its 1.
  struct Case {
    double lo;
    const wchar_t* first;
  };
  const Case cases[] = {{1, L"5"}, {3, L"5"}, {4, L"10"}, {8, L"10"}, {9, L"50"}};
  for (const auto& c : cases) {
    const TTrackBarMarks m = TrackBarMarks(TTrackBarScale(etbvsExp2, {c.lo, 10000}, 1));
    ASSERT_GE(m.Labels.size(), 2u);
    EXPECT_EQ(m.Labels[1].Text, c.first) << c.lo;
  }
}

TEST(TrackBarScale, OneToNineBelowOneKeepsThePattern) {
  // The decade by truncation would fold 0.5 onto index -1 and value 0.
  const TTrackBarScale s(etbvsExp2, {0.5, 5}, 1);
  EXPECT_EQ(s.Count(), 10);
  EXPECT_EQ(s.ValueOf(0), 0.5);
  EXPECT_EQ(s.ValueOf(5), 1);
  EXPECT_EQ(s.ValueOf(9), 5);
  EXPECT_EQ(s.IndexOf(0.7), 2);
}

TEST(TrackBarScale, Logarithmic) {
  const TTrackBarScale s(etbvsExp1, {1, 1000}, 0.01);
  EXPECT_EQ(s.Count(), 301);
  EXPECT_EQ(s.TrackLength(), 256);
  EXPECT_NEAR(s.ValueOf(100), 10, 1e-9);
  EXPECT_EQ(s.IndexOf(100), 200);
  EXPECT_EQ(s.IndexOf(0), 0);
  const TTrackBarMarks m = TrackBarMarks(s);
  const std::vector<TTrackBarLabel> labels{{L"1", 0},     {L"3.2", 42},  {L"10", 85},   {L"32", 128},
                                           {L"100", 170}, {L"320", 213}, {L"1000", 256}};
  EXPECT_EQ(m.Labels, labels);
  EXPECT_EQ(m.Ticks, (std::vector<int>{50, 100, 150, 200, 250}));
}

TEST(TrackBarScale, LogarithmicValuesDoNotCarryTheMathsLibrarysLastBits) {
  // pow(10, log10(2) + 1) is 20.000000000000004 with one library and may
  // be a little under 20 with another; both builds must pick the same value.
  const TTrackBarScale s(etbvsExp1, {2, 2000}, 0.1);
  EXPECT_EQ(s.ValueOf(10), 20);
  EXPECT_EQ(s.ValueOf(20), 200);
  EXPECT_EQ(s.ValueOf(30), 2000);
  EXPECT_EQ(s.ValueOf(5), 6.32455532);
}

TEST(TrackBarScale, LabelsStayOnTheTrackWhenTheirStepIsFinerThanALine) {
  // Label step 0.5 on a track of whole steps 0..2: the loop would go on to
  // 2.5, a tick at position 3 of 0..2 and a label beyond the window.
  const TTrackBarScale s(etbvsNormal, {0, 2}, 1);
  const TTrackBarMarks m = TrackBarMarks(s);
  for (int tick : m.Ticks) EXPECT_LE(tick, s.Count() - 1);
  for (const auto& label : m.Labels) EXPECT_LE(label.Offset, s.TrackLength()) << testing::PrintToString(label.Text);
  EXPECT_EQ(m.Labels.back().Text, L"2");
}

TEST(TrackBarScale, TrackBarSettingsAndThumb) {
  const TTrackBarScale s(etbvsNormal, {0, 255}, 1);
  const TTrackBarSettings t = TrackBarSettings(s, 128, 1, 5, 0.5);
  EXPECT_EQ(t.Max, 255);
  EXPECT_EQ(t.Position, 128);
  EXPECT_EQ(t.PageSize, 10);  // in track positions of Precision
  EXPECT_EQ(PopupLayout(256).ClientWidth, 280);
  EXPECT_EQ(LabelLeft(50, 15), 56);

  EXPECT_EQ(ThumbOffset(128, 0, 255, 272), 128);  // 128 x 256 / 255
  EXPECT_EQ(ThumbOffset(255, 0, 255, 272), 256);
  EXPECT_EQ(ThumbOffset(3, 3, 3, 272), 0);  // a single step divides by nothing
  EXPECT_EQ(ThumbOffset(2000000000, 0, 2100000000, 272), 243);
  EXPECT_EQ(DragStartPoint(128, {8, 10, 264, 14}), (TPointI{136, 12}));
}

struct PlaceCase {
  TPointI press;
  int editClientBottom;
  int left, top;
  bool moveCursor;
  TPointI cursor;
};

TEST(TrackBarScale, PlacementAgainstTheWorkArea) {
  const TRectI work{0, 0, 1280, 1024};
  const TPointI size{296, 43};
  const int trackLeft = 7, thumb = 128, editHeight = 21;
  const PlaceCase cases[] = {
      {{600, 500}, 510, 457, 510, false, {600, 500}},
      {{600, 990}, 1000, 457, 936, false, {600, 990}},   // near the bottom: above the edit
      {{1250, 500}, 510, 984, 510, true, {1127, 500}},   // near the right: shifted left
      {{50, 500}, 510, 0, 510, true, {143, 500}},        // near the left: shifted right
      {{1127, 500}, 510, 984, 510, false, {1127, 500}},  // exactly fits
  };
  for (const auto& c : cases) {
    const TPopupPlacement p = PlacePopup(c.press, c.editClientBottom, editHeight, size, trackLeft, thumb, work);
    EXPECT_EQ(p.Left, c.left) << c.press.X << "," << c.press.Y;
    EXPECT_EQ(p.Top, c.top) << c.press.X << "," << c.press.Y;
    EXPECT_EQ(p.MoveCursor, c.moveCursor) << c.press.X << "," << c.press.Y;
    if (c.moveCursor) {
      EXPECT_EQ(p.Cursor, c.cursor) << c.press.X << "," << c.press.Y;
    }
  }
}

}  // namespace
