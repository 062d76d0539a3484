#include <gtest/gtest.h>

#include <climits>

#include "core/shell/uFitToWorkArea.h"
#include "core/shell/uIntToken.h"

namespace {

const TRectI kScreen{0, 0, 1920, 1040};
const TRectI kDesigned{331, 57, 331 + 507, 57 + 304};

TEST(FitToWorkArea, KeepsSixteenPixelsInsideAndNeverResizes) {
  struct Case {
    std::int32_t left, top, width, height;
    TRectI work;
    std::int32_t wantLeft, wantTop;
  } cases[] = {
      {5000, 5000, 507, 304, kScreen, 1904, 1024},
      {-600, 0, 507, 304, kScreen, -491, 0},
      {0, 30, 507, 304, {0, 30, 1920, 1040}, 0, 30},
      {0, -400, 507, 304, {0, 30, 1920, 1040}, 0, -258},
      {1904, 1024, 507, 304, kScreen, 1904, 1024},  // exactly at the limit: stays
      {-491, -288, 507, 304, kScreen, -491, -288},
      {100, 100, 507, 304, {-1280, 0, 0, 1024}, -16, 100},  // work area left of the origin
      {INT_MAX, INT_MAX, 507, 304, kScreen, 1904, 1024},
      {INT_MIN, INT_MIN, 507, 304, kScreen, -491, -288},
  };
  for (const Case& c : cases) {
    std::int32_t left = c.left, top = c.top;
    FitToWorkArea(left, top, c.width, c.height, c.work);
    EXPECT_EQ(left, c.wantLeft) << c.left << "," << c.top;
    EXPECT_EQ(top, c.wantTop) << c.left << "," << c.top;
  }
}

TEST(FitToWorkArea, DefaultBoundsShrinkAndMoveInsideDialogsCentreOnTheirOwner) {
  const TRectI work{0, 0, 1280, 984};
  const struct {
    TRectI bounds, want;
  } fits[] = {
      {{331, 57, 331 + 1160, 57 + 608}, {120, 57, 1280, 665}},  // 192 DPI on a 1280-pixel screen
      {{331, 57, 331 + 580, 57 + 304}, {331, 57, 911, 361}},
      {{-50, 900, 1950, 1500}, {0, 384, 1280, 984}},  // larger than the work area: cut
  };
  for (const auto& f : fits) EXPECT_EQ(FitInsideWorkArea(f.bounds, work), f.want) << f.bounds.Left;
  const struct {
    TRectI owner;
    int width, height;
    TPointI want;
  } centres[] = {
      {{100, 100, 700, 500}, 200, 100, {300, 250}},
      {{1000, 800, 1600, 1200}, 400, 300, {880, 684}},  // owner partly off screen
      {{0, 0, 100, 100}, 2000, 100, {0, 0}},
  };
  for (const auto& c : centres) EXPECT_EQ(CentreOn(c.owner, c.width, c.height, work), c.want) << c.owner.Left;
}

TEST(RestoredPos, ReadsTheRecordRelativeToTheWorkArea) {
  struct Case {
    const wchar_t* record;
    TRectI work;
    TRectI want;
    bool maximized;
  } cases[] = {
      {L"10,20,507,304,1", kScreen, {10, 20, 517, 324}, false},
      {L"5000,5000,507,304,1", kScreen, {1904, 1024, 2411, 1328}, false},
      {L"-600,0,507,304,1", kScreen, {-491, 0, 16, 304}, false},
      {L"-4,0,507,304,3", kScreen, {-4, 0, 503, 304}, true},
      {L"0,0,507,304,1", {0, 30, 1920, 1040}, {0, 30, 507, 334}, false},
      {L"10,20,507,304,2", kScreen, {10, 20, 517, 324}, false},  // minimized comes back normal
      {L"10,20", kScreen, {10, 20, 517, 324}, false},            // size kept from the form
      {L"a,$14,0x1FB,b", kScreen, {331, 20, 331 + 507, 20 + 304}, false},
      {L" 10, 20,507,304,3", kScreen, {10, 20, 517, 324}, true},
      {L"10,20,507,304,1,99", kScreen, {10, 20, 517, 324}, false},
  };
  for (const Case& c : cases) {
    const TRestoredPos r = RestoredPos(c.record, kDesigned, c.work);
    EXPECT_EQ(r.Bounds, c.want) << testing::PrintToString(std::wstring(c.record));
    EXPECT_EQ(r.Maximized, c.maximized) << testing::PrintToString(std::wstring(c.record));
  }
}

TEST(RestoredPos, DamagedSizesNeitherVanishNorSwampTheScreen) {
  struct Case {
    const wchar_t* record;
    TRectI want;
  } cases[] = {
      {L"10,20,0,0,1", {10, 20, 517, 324}},
      {L"10,20,-507,-1,1", {10, 20, 517, 324}},
      {L"10,20,100000,90000,1", {10, 20, 1930, 1060}},
      {L"10,20,2147483647,2147483647,1", {10, 20, 1930, 1060}},
      {L"2147483647,2147483647,507,304,1", {1904, 1024, 2411, 1328}},
      {L"-2147483648,-2147483648,507,304,1", {-491, -288, 16, 16}},
      {L"10,20,99999999999,304,1", {10, 20, 517, 324}},  // out of range: the default
      {L"-2147483648,-2147483648,2147483647,2147483647,1", {-1904, -1024, 16, 16}},
  };
  for (const Case& c : cases) {
    const TRestoredPos r = RestoredPos(c.record, kDesigned, kScreen);
    EXPECT_EQ(r.Bounds, c.want) << testing::PrintToString(std::wstring(c.record));
  }
  // A work area away from the origin must not push the sums past 32 bits either.
  const TRestoredPos far = RestoredPos(L"2147483647,2147483647,507,304,1", kDesigned, {1000, 500, 2920, 1540});
  EXPECT_EQ(far.Bounds, (TRectI{2904, 1524, 3411, 1828}));
}

TEST(TextToInt, AcceptsDecimalAndBothHexFormsOnly) {
  struct Case {
    const wchar_t* text;
    std::optional<std::int32_t> want;
  } cases[] = {
      {L"0", 0},
      {L"  -12", -12},
      {L"+7", 7},
      {L"$1f", 31},
      {L"0X10", 16},
      {L"-$10", -16},
      {L"2147483647", INT_MAX},
      {L"-2147483648", INT_MIN},
      {L"2147483648", std::nullopt},
      {L"$80000000", std::nullopt},
      {L"", std::nullopt},
      {L"-", std::nullopt},
      {L"0x", std::nullopt},
      {L"12 ", std::nullopt},
      {L"1e3", std::nullopt},
      {L"\xFF11", std::nullopt},  // a full-width digit
  };
  for (const Case& c : cases) EXPECT_EQ(TextToInt(c.text), c.want) << testing::PrintToString(std::wstring(c.text));
}

}  // namespace
