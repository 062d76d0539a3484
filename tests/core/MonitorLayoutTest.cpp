#include <gtest/gtest.h>

#include <climits>

#include "core/sampling/uMonitorLayout.h"

namespace {

// A 100 % monitor left of a 150 % primary, a 200 % monitor right of it and
// 400 pixels higher.
const TMonitorLayout kMixed = {
    {{-1920, 0, 0, 1080}, {-1920, 0, 0, 1040}, 96, false},
    {{0, 0, 2880, 1620}, {0, 0, 2880, 1560}, 144, true},
    {{2880, -400, 6720, 1760}, {2880, -400, 6720, 1700}, 192, false},
};
// The same desk with the 200 % monitor unplugged.
const TMonitorLayout kMixedWithoutRight = {kMixed[0], kMixed[1]};
// One 96-DPI screen with the task bar at the bottom.
const TMonitorLayout kSingle = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true}};
const TRectI kDesigned{331, 57, 331 + 507, 57 + 304};

TEST(MulDivRound, RoundsHalfAwayFromZeroAndSaturates) {
  struct Case {
    std::int32_t value, numerator, denominator, want;
  } cases[] = {
      {100, 144, 96, 150},
      {101, 144, 96, 152},  // 151.5
      {-101, 144, 96, -152},
      {7, 1, 2, 4},
      {-7, 1, 2, -4},
      {7, -1, 2, -4},
      {5, 2, 3, 3},  // 3.33
      {5, 1, 3, 2},  // 1.67
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
      {INT_MAX, 2, 1, INT_MAX},
      {INT_MIN, -1, 1, INT_MAX},
      {INT_MIN, 2, 1, INT_MIN},
      {INT_MIN, 1, INT_MIN, 1},
      {1, 1, INT_MIN, 0},
      {10, 1, 0, 10},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MulDivRound(c.value, c.numerator, c.denominator), c.want)
        << c.value << " * " << c.numerator << " / " << c.denominator;
}

TEST(MonitorDpi, LogicalAndPhysicalUnits) {
  struct Case {
    std::int32_t logical;
    int dpi;
    std::int32_t physical;
  } toPhysical[] = {
      {16, 96, 16},    {16, 120, 20},     {16, 144, 24},   {16, 192, 32},    {1, 144, 2},
      {507, 144, 761}, {-507, 144, -761}, {304, 144, 456}, {507, 192, 1014}, {70, 0, 70},  // no DPI: 96
  };
  for (const Case& c : toPhysical)
    EXPECT_EQ(LogicalToPhysical(c.logical, c.dpi), c.physical) << c.logical << "@" << c.dpi;

  Case toLogical[] = {{507, 144, 761}, {32, 144, 48}, {1, 192, 1}, {-1, 192, -1}, {0, 192, 0}, {100, 120, 125}};
  for (const Case& c : toLogical)
    EXPECT_EQ(PhysicalToLogical(c.physical, c.dpi), c.logical) << c.physical << "@" << c.dpi;
}

TEST(MonitorDpi, ColumnWidthsMoveBetweenMonitorsThroughLogicalUnits) {
  // Widths dragged on the 150 % monitor, stored, then shown at 200 % and at 100 %.
  struct Case {
    std::int32_t dragged, stored, at200, at100;
  } cases[] = {{48, 32, 64, 32}, {105, 70, 140, 70}, {96, 64, 128, 64}, {13, 9, 18, 9}, {12, 8, 16, 8}};
  for (const Case& c : cases) {
    const std::int32_t stored = PhysicalToLogical(c.dragged, 144);
    EXPECT_EQ(stored, c.stored) << c.dragged;
    EXPECT_EQ(LogicalToPhysical(stored, 192), c.at200) << c.dragged;
    EXPECT_EQ(LogicalToPhysical(stored, 96), c.at100) << c.dragged;
  }
}

TEST(MonitorLookup, PointsOnAndBetweenMonitors) {
  struct Case {
    TPointI point;
    int at, nearest;
  } cases[] = {
      {{0, 0}, 1, 1},
      {{-1, 500}, 0, 0},
      {{-1920, 0}, 0, 0},
      {{-1921, 0}, -1, 0},
      {{2879, 1619}, 1, 1},
      {{2880, 1619}, 2, 2},
      {{2880, -400}, 2, 2},
      {{2880, -401}, -1, 2},
      {{2879, -1}, -1, 1},    // one pixel from the primary and from the 200 % monitor
      {{100, 1700}, -1, 1},   // below the primary
      {{-10, 1100}, -1, 1},   // closer to the primary's corner than to the left monitor's bottom
      {{6720, 1760}, -1, 2},  // the exclusive corner
      {{INT_MIN, INT_MIN}, -1, 0},
      {{INT_MAX, INT_MAX}, -1, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MonitorAt(kMixed, c.point), c.at) << c.point.X << "," << c.point.Y;
    EXPECT_EQ(NearestMonitor(kMixed, c.point), c.nearest) << c.point.X << "," << c.point.Y;
  }
}

TEST(MonitorLookup, EqualDistancesGoToThePrimaryThenTheFirst) {
  // A one-pixel-column gap: x = 150 is 51 pixels from both.
  TMonitorLayout gap = {{{0, 0, 100, 100}, {0, 0, 100, 100}, 96, false},
                        {{201, 0, 301, 100}, {201, 0, 301, 100}, 96, true}};
  EXPECT_EQ(NearestMonitor(gap, {150, 50}), 1);
  EXPECT_EQ(NearestMonitor(gap, {149, 50}), 0);
  gap[1].Primary = false;
  EXPECT_EQ(NearestMonitor(gap, {150, 50}), 0);
  EXPECT_EQ(NearestMonitor({}, {0, 0}), -1);
  EXPECT_EQ(PrimaryMonitor({}), -1);
  EXPECT_EQ(PrimaryMonitor(gap), 0);
  EXPECT_EQ(PrimaryMonitor(kMixed), 1);
}

TEST(MonitorLookup, WindowsBelongToTheMonitorTheyShareMostWith) {
  struct Case {
    TRectI window;
    int want;
  } cases[] = {
      {{-300, 100, 200, 400}, 0},  {{-100, 100, 400, 400}, 1},
      {{2870, 100, 3370, 400}, 2}, {{-5000, -5000, -4000, -4000}, 0},  // off every monitor: nearest to its centre
      {{100, 1700, 600, 2000}, 1}, {{7000, 0, 7100, 100}, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MonitorOfRect(kMixed, c.window), c.want) << c.window.Left << "," << c.window.Top;
}

TEST(FitToMonitor, OneScreenKeepsTheSixteenPixelRule) {
  struct Case {
    TRectI window;
    TMonitorLayout layout;
    TRectI want;
  } cases[] = {
      {{5000, 5000, 5507, 5304}, kSingle, {1904, 1024, 2411, 1328}},
      {{-600, 0, -93, 304}, kSingle, {-491, 0, 16, 304}},
      {{1904, 1024, 2411, 1328}, kSingle, {1904, 1024, 2411, 1328}},
      {{0, -400, 507, -96}, {{{0, 0, 1920, 1080}, {0, 30, 1920, 1080}, 96, true}}, {0, -258, 507, 46}},
      {{10, 20, 517, 324}, {}, {10, 20, 517, 324}},  // nothing to fit into
  };
  for (const Case& c : cases)
    EXPECT_EQ(FitToMonitor(c.window, c.layout), c.want) << c.window.Left << "," << c.window.Top;
}

TEST(FitToMonitor, UsesTheWorkAreaAndScaledMarginOfTheWindowsMonitor) {
  struct Case {
    TRectI window;
    TRectI want;
  } cases[] = {
      {{6700, 0, 7700, 600}, {6688, 0, 7688, 600}},            // 32 pixels at 200 %
      {{-3000, 100, -1910, 500}, {-2994, 100, -1904, 500}},    // left monitor, 16 at 100 %
      {{3000, -2000, 4000, -390}, {3000, -1978, 4000, -368}},  // above the 200 % monitor
      {{100, 1700, 600, 2000}, {100, 1536, 600, 1836}},        // below the primary: its task bar, 24 at 150 %
      {{2870, 100, 3370, 400}, {2870, 100, 3370, 400}},        // across two monitors, inside
      {{-1920, 0, 0, 1040}, {-1920, 0, 0, 1040}},              // exactly the work area
  };
  for (const Case& c : cases) EXPECT_EQ(FitToMonitor(c.window, kMixed), c.want) << c.window.Left << "," << c.window.Top;
}

TEST(MonitorPosRecord, StoresLogicalUnitsRelativeToTheMonitorsWorkArea) {
  struct Case {
    TRectI normal;
    std::int32_t state;
    const TMonitorLayout* layout;
    const wchar_t* want;
  } cases[] = {
      {{10, 20, 517, 324}, 1, &kSingle, L"10,20,507,304,1,0,0"},
      {{300, 150, 1061, 606}, 1, &kMixed, L"200,100,507,304,1,0,0"},
      {{3080, -300, 4094, 308}, 3, &kMixed, L"100,50,507,304,3,2880,-400"},
      {{-1500, 40, -993, 344}, 1, &kMixed, L"420,40,507,304,1,-1920,0"},
  };
  for (const Case& c : cases) EXPECT_EQ(MonitorPosRecordText(c.normal, c.state, *c.layout), c.want);
}

TEST(MonitorPosRecord, RestoresOnTheSameMonitorOrThePrimaryWhenItIsGone) {
  const TMonitorLayout rightAt96 = {
      kMixed[0], kMixed[1], {{2880, -400, 4800, 680}, {2880, -400, 4800, 640}, 96, false}};
  struct Case {
    const wchar_t* record;
    const TMonitorLayout* layout;
    TRectI want;
    bool maximized;
  } cases[] = {
      {L"100,50,507,304,3,2880,-400", &kMixed, {3080, -300, 4094, 308}, true},
      {L"100,50,507,304,3,2880,-400", &kMixedWithoutRight, {150, 75, 911, 531}, true},
      {L"100,50,507,304,1,2880,-400", &rightAt96, {2980, -350, 3487, -46}, false},
      {L"420,40,507,304,1,-1920,0", &kMixed, {-1500, 40, -993, 344}, false},
      {L"10,20,507,304,1", &kMixed, {15, 30, 776, 486}, false},  // no monitor named: the primary
      {L"10,20,507,304,1,x,0", &kMixed, {15, 30, 776, 486}, false},
      {L"10,20,507,304,1,2880", &kMixed, {15, 30, 776, 486}, false},
      {L"3000,0,507,304,1,5000,0", &kMixed, {2856, 0, 3617, 456}, false},        // gone, and past the primary's edge
      {L"0,0,5000,5000,1,2880,-400", &kMixed, {2880, -400, 6720, 1700}, false},  // cut to the work area
      {L"10,20,507,304,1", nullptr, {10, 20, 517, 324}, false},                  // no monitors at all
  };
  const TMonitorLayout none;
  for (const Case& c : cases) {
    const TRestoredPos r = RestoredMonitorPos(c.record, kDesigned, c.layout ? *c.layout : none);
    EXPECT_EQ(r.Bounds, c.want) << testing::PrintToString(std::wstring(c.record));
    EXPECT_EQ(r.Maximized, c.maximized) << testing::PrintToString(std::wstring(c.record));
  }
}

TEST(MonitorPosRecord, OneNinetySixDpiScreenReadsOldRecordsAsBefore) {
  const TMonitorLayout taskBarOnTop = {{{0, 0, 1920, 1080}, {0, 30, 1920, 1080}, 96, true}};
  struct Case {
    const wchar_t* record;
    const TMonitorLayout* layout;
    TRectI want;
  } cases[] = {
      {L"5000,5000,507,304,1", &kSingle, {1904, 1024, 2411, 1328}},
      {L"-600,0,507,304,1", &kSingle, {-491, 0, 16, 304}},
      {L"0,0,507,304,1", &taskBarOnTop, {0, 30, 507, 334}},
      {L"10,20,100000,90000,1", &kSingle, {10, 20, 1930, 1060}},
      {L"-2147483648,-2147483648,2147483647,2147483647,1", &kSingle, {-1904, -1024, 16, 16}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RestoredMonitorPos(c.record, kDesigned, *c.layout).Bounds, c.want)
        << testing::PrintToString(std::wstring(c.record));
}

TEST(MonitorPosRecord, StoringWhatWasRestoredDoesNotDrift) {
  // Rounding to and from 150 % must not creep a pixel per session.
  const wchar_t* records[] = {L"200,100,507,304,1,0,0", L"101,33,333,201,1,0,0", L"100,50,507,304,1,2880,-400",
                              L"-7,-5,99,77,1,0,0"};
  for (const wchar_t* record : records) {
    const TRestoredPos r = RestoredMonitorPos(record, kDesigned, kMixed);
    EXPECT_EQ(MonitorPosRecordText(r.Bounds, 1, kMixed), record);
  }
}

}  // namespace
