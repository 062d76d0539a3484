#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/support/uStretchMap.h"

namespace {

struct MapCase {
  int srcStart, srcCount, dstCount;
  std::vector<int> expected;
};

TEST(StretchMap, MapsEachDestinationToTheFlooredSource) {
  const MapCase cases[] = {
      {0, 3, 10, {0, 0, 0, 0, 1, 1, 1, 2, 2, 2}},
      {0, 9, 5, {0, 1, 3, 5, 7}},
      {0, 2, 16, {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1}},
      {0, 4, 4, {0, 1, 2, 3}},
      {5, 3, 3, {5, 6, 7}},
      {-2, 2, 4, {-2, -2, -1, -1}},
      {0, 7, 1, {0}},
      {0, 1, 3, {0, 0, 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StretchMap(c.srcStart, c.srcCount, c.dstCount), c.expected)
        << c.srcStart << ", " << c.srcCount << " -> " << c.dstCount;
}

TEST(StretchMap, MagnifierGivesEightByEightBlocks) {
  auto columns = StretchMap(0, 13, 104);
  auto rows = StretchMap(0, 9, 72);
  ASSERT_EQ(columns.size(), 104u);
  ASSERT_EQ(rows.size(), 72u);
  for (int i = 0; i < 104; ++i) EXPECT_EQ(columns[static_cast<size_t>(i)], i / 8) << i;
  for (int i = 0; i < 72; ++i) EXPECT_EQ(rows[static_cast<size_t>(i)], i / 8) << i;
  // The pixel the eyedropper read sits in the block from (48, 32) to (55, 39).
  EXPECT_EQ(columns[48], 6);
  EXPECT_EQ(columns[55], 6);
  EXPECT_EQ(rows[32], 4);
  EXPECT_EQ(rows[39], 4);
}

TEST(StretchMap, EmptyForCountsBelowOne) {
  EXPECT_TRUE(StretchMap(0, 0, 10).empty());
  EXPECT_TRUE(StretchMap(0, 10, 0).empty());
  EXPECT_TRUE(StretchMap(0, -3, 10).empty());
  EXPECT_TRUE(StretchMap(0, 3, -10).empty());
}

// Every pair of counts up to 150 against the plain formula, and a few large
// ones whose product would overflow 32 bits.
TEST(StretchMap, AgreesWithTheFloorFormula) {
  auto check = [](int start, int src, int dst) {
    auto map = StretchMap(start, src, dst);
    ASSERT_EQ(map.size(), static_cast<size_t>(dst));
    for (int j = 0; j < dst; ++j) {
      const auto expected = start + static_cast<std::int64_t>(j) * src / dst;
      ASSERT_EQ(map[static_cast<size_t>(j)], expected) << src << " -> " << dst << " at " << j;
    }
  };
  for (int src = 1; src <= 150; ++src)
    for (int dst = 1; dst <= 150; ++dst) check(3, src, dst);
  check(0, 70000, 65537);
  check(0, 65537, 70000);
  check(-100, 100000, 99999);
}

}  // namespace
