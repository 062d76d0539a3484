#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "core/support/uNiceScale.h"

namespace {

struct SignificantCase {
  int digits;
  double x, expected;
};

TEST(RoundSignificant, KeepsDigitsHalvesAwayFromZero) {
  const SignificantCase cases[] = {
      {2, 1234.5, 1200}, {3, 0.012345, 0.0123}, {2, -1234.5, -1200}, {3, 0, 0},      {2, 150, 150},  {2, 1250, 1300},
      {2, -1250, -1300}, {3, 255, 255},         {3, 1234, 1230},     {2, 99.9, 100}, {1, 0.25, 0.3}, {2, 0.5, 0.5},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RoundSignificant(c.digits, c.x), c.expected) << c.digits << " digits of " << c.x;
}

TEST(RoundSignificant, NonFiniteIsLeftAlone) {
  EXPECT_TRUE(std::isnan(RoundSignificant(2, std::nan(""))));
  EXPECT_EQ(RoundSignificant(2, INFINITY), INFINITY);
}

TEST(NiceNumber, PicksOneTwoOrFiveTimesAPowerOfTen) {
  const double cases[][2] = {
      {51, 50},
      {72, 100},
      {20, 20},
      {1.4, 1},
      {1.5, 2},
      {2.999, 2},
      {3, 5},
      {6.99, 5},
      {7, 10},
      {0.07, 0.1},
      {0.001, 0.001},
      {1e6, 1e6},
      // 0.3 / 0.1 is 2.9999999999999996: a naive division picks 2.
      {0.3, 0.5},
  };
  for (const auto& c : cases) EXPECT_EQ(NiceNumber(c[0]), c[1]) << c[0];
}

TEST(NiceNumber, IsZeroWhereThereIsNoPositiveInput) {
  EXPECT_EQ(NiceNumber(0), 0);
  EXPECT_EQ(NiceNumber(-5), 0);
  EXPECT_EQ(NiceNumber(std::nan("")), 0);
  EXPECT_EQ(NiceNumber(INFINITY), 0);
}

struct ScaleCase {
  double upper, lower, step, min, max;
};

TEST(NiceScale, EnclosesTheRangeInNiceSteps) {
  const ScaleCase cases[] = {
      {100, 0, 20, 0, 100},
      {7, 0, 1, 0, 7},  // 7 / 5 = 1.4 rounds down to 1
      {255, 0, 50, 0, 300},
      {360, 0, 100, 0, 400},
      {-3, 7, 2, 6, -2},  // the span counts either way round
      // 0.6 / 0.1 is 5.999999999999999 and 0.07 / 0.01 is 7.000000000000001:
      // the scale must not grow by a whole step for rounding noise.
      {1.1, 0.6, 0.1, 0.6, 1.1},
      {0.07, 0.02, 0.01, 0.02, 0.07},
  };
  for (const auto& c : cases) {
    double step, min, max;
    NiceScale(c.upper, c.lower, step, min, max);
    EXPECT_DOUBLE_EQ(step, c.step) << c.upper << ", " << c.lower;
    EXPECT_NEAR(min, c.min, 1e-12) << c.upper << ", " << c.lower;
    EXPECT_NEAR(max, c.max, 1e-12) << c.upper << ", " << c.lower;
  }
}

TEST(NiceScale, EmptySpanGivesNoStepInsteadOfNaN) {
  double step, min, max;
  NiceScale(5, 5, step, min, max);
  EXPECT_EQ(step, 0);
  EXPECT_EQ(min, 5);
  EXPECT_EQ(max, 5);
}

}  // namespace
