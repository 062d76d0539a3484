#include <gtest/gtest.h>

#include <climits>

#include "core/sampling/uNudge.h"

namespace {

// A 100 % monitor left of a 150 % primary, a 200 % monitor right of it and
// 400 pixels higher.
const TMonitorLayout kMixed = {
    {{-1920, 0, 0, 1080}, {-1920, 0, 0, 1040}, 96, false},
    {{0, 0, 2880, 1620}, {0, 0, 2880, 1560}, 144, true},
    {{2880, -400, 6720, 1760}, {2880, -400, 6720, 1700}, 192, false},
};
constexpr std::uint32_t kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;

TEST(Nudge, ArrowsMoveOnePixelOrTenAndStayOnTheScreens) {
  struct Case {
    TPointI from;
    std::uint32_t key;
    bool shift;
    TPointI want;
  } cases[] = {
      {{100, 100}, kRight, false, {101, 100}},
      {{100, 100}, kRight, true, {110, 100}},
      {{100, 100}, kUp, false, {100, 99}},
      {{100, 100}, kDown, true, {100, 110}},
      {{100, 100}, kLeft, true, {90, 100}},
      {{0, 500}, kLeft, false, {-1, 500}},         // onto the monitor left of the primary
      {{2879, 10}, kRight, false, {2880, 10}},     // onto the 200 % monitor
      {{-1920, 500}, kLeft, false, {-1920, 500}},  // the left edge of everything
      {{5, 0}, kUp, true, {5, 0}},                 // above the primary there is nothing
      {{2885, -395}, kUp, true, {2885, -400}},     // the 200 % monitor reaches higher
      {{100, 1619}, kDown, false, {100, 1619}},    // below the primary: nothing
      {{-5, 1075}, kDown, true, {-5, 1079}},       // the left monitor ends first
      {{6715, 1755}, kRight, true, {6719, 1755}},
      {{-3000, 500}, kRight, false, {-1920, 500}},  // from off the screens: onto the nearest
  };
  for (const Case& c : cases)
    EXPECT_EQ(NudgedPoint(kMixed, c.from, c.key, c.shift), c.want)
        << c.from.X << "," << c.from.Y << " key " << c.key << (c.shift ? " shift" : "");
}

TEST(Nudge, OtherKeysAreNoNudge) {
  for (std::uint32_t key : {0x24u, 0x29u, 0x41u, 0u, 0x125u}) {
    EXPECT_EQ(NudgeStep(key, false), std::nullopt) << key;
    EXPECT_EQ(NudgedPoint(kMixed, {100, 100}, key, true), std::nullopt) << key;
  }
}

TEST(Nudge, WithoutMonitorsOnlyTheStepCounts) {
  EXPECT_EQ(NudgedPoint({}, {5, 5}, kLeft, false), (TPointI{4, 5}));
  EXPECT_EQ(NudgedPoint({}, {INT_MIN, INT_MAX}, kLeft, true), (TPointI{INT_MIN, INT_MAX}));
  EXPECT_EQ(NudgedPoint({}, {INT_MIN, INT_MAX}, kDown, true), (TPointI{INT_MIN, INT_MAX}));
  EXPECT_EQ(ClampToMonitors(kMixed, {INT_MAX, INT_MIN}), (TPointI{6719, -400}));
  EXPECT_EQ(ClampToMonitors(kMixed, {-3000, 2000}), (TPointI{-1920, 1079}));
}

}  // namespace
