#include <gtest/gtest.h>

#include "core/colorlist/uColumnLayout.h"

namespace {

const TColumnLayout kDesigned = DefaultColumnLayout({10, 32, 70, 32, 30, 30, 64});

TEST(ColumnLayout, DesignedLayoutReadsBackAsTheKnownText) {
  EXPECT_EQ(ColumnLayoutText(kDesigned), L"0,32,1,32,2,70,3,32,4,30,5,30,6,64");
  EXPECT_EQ(ParseColumnLayout(ColumnLayoutText(kDesigned), kDesigned), kDesigned);
}

TEST(ColumnLayout, AcceptsOnlyPermutationsWithTheRowNumberFirst) {
  struct Case {
    const wchar_t* stored;
    TColumnLayout want;
  } cases[] = {
      {L"", kDesigned},
      {L"0,32,1,32,3,40,2,70,4,30,5,30,6,64", {{0, 1, 3, 2, 4, 5, 6}, {32, 32, 40, 70, 30, 30, 64}}},
      {L"0,40,1,50", {{0, 1, 2, 3, 4, 5, 6}, {40, 50, 70, 32, 30, 30, 64}}},
      {L"0,40,1,50,6", {{0, 1, 2, 3, 4, 5, 6}, {40, 50, 70, 32, 30, 30, 64}}},  // odd last entry ignored
      // Fewer pairs leave a repeated identity: positions, widths kept.
      {L"0,40,2,50", {{0, 1, 2, 3, 4, 5, 6}, {40, 50, 70, 32, 30, 30, 64}}},
      {L"3,40,x,50", {{0, 1, 2, 3, 4, 5, 6}, {40, 32, 70, 32, 30, 30, 64}}},
      {L"6,32,1,32,2,70,3,32,4,30,5,30,0,64", {{0, 1, 2, 3, 4, 5, 6}, {32, 32, 70, 32, 30, 30, 64}}},
      {L"0,32,1,32,2,70,3,32,4,30,5,30,7,64", {{0, 1, 2, 3, 4, 5, 6}, {32, 32, 70, 32, 30, 30, 64}}},
      {L"0,32,1,32,1,70,3,32,4,30,5,30,6,64", {{0, 1, 2, 3, 4, 5, 6}, {32, 32, 70, 32, 30, 30, 64}}},
      {L"0,32,-1,32,2,70,3,32,4,30,5,30,6,64", {{0, 1, 2, 3, 4, 5, 6}, {32, 32, 70, 32, 30, 30, 64}}},
      // Pairs beyond the last column are ignored.
      {L"0,32,1,32,2,70,3,32,4,30,5,30,6,64,0,99", {{0, 1, 2, 3, 4, 5, 6}, {32, 32, 70, 32, 30, 30, 64}}},
      {L"0, 32 ,1,32,2,70,3,32,4,30,5,30,6,64", kDesigned},
  };
  for (const auto& c : cases) {
    const TColumnLayout got = ParseColumnLayout(c.stored, kDesigned);
    EXPECT_EQ(got.Ids, c.want.Ids) << testing::PrintToString(std::wstring(c.stored));
    EXPECT_EQ(got.Widths, c.want.Widths) << testing::PrintToString(std::wstring(c.stored));
    EXPECT_TRUE(ValidColumnIds(got.Ids));
  }
}

TEST(ColumnLayout, WidthsStayInASaneRange) {
  const TColumnLayout got = ParseColumnLayout(L"0,0,1,-5,2,100000,3,2147483647,4,8,5,2000,6,99999999999", kDesigned);
  // The out-of-range last entry is no number: identities fall back, widths so far stay.
  const std::array<std::int32_t, 7> want{
      kMinColumnWidth, kMinColumnWidth, kMaxColumnWidth, kMaxColumnWidth, 8, 2000, 64};
  EXPECT_EQ(got.Widths, want);
}

}  // namespace
