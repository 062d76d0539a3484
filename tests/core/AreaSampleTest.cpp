#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/sampling/uAreaSample.h"

namespace {

constexpr TColor kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;
constexpr TColor kButtonFace = 0xF0F0F0;  // what the capture leaves where the screen ends
constexpr TPointI kCentre{6, 4};

// The magnifier's 13 x 9 capture, the pointer's pixel at (6, 4).
struct TCapture {
  std::vector<TColor> Pixels = std::vector<TColor>(13 * 9, kBlack);
  std::vector<std::uint8_t> OnScreen;

  TColor& At(int dx, int dy) { return Pixels[(kCentre.Y + dy) * 13 + kCentre.X + dx]; }
  // Columns left of x lie beyond the screen's left edge.
  void OffScreenLeftOf(int x) {
    OnScreen.assign(13 * 9, 1);
    for (int y = 0; y < 9; ++y)
      for (int c = 0; c < x; ++c) {
        OnScreen[y * 13 + c] = 0;
        Pixels[y * 13 + c] = kButtonFace;
      }
  }
  TPixelBlock Block() const { return {13, 9, Pixels, OnScreen}; }
};

TCapture Checkerboard() {
  TCapture c;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 13; ++x) c.Pixels[y * 13 + x] = (x + y) % 2 == 0 ? kWhite : kBlack;  // white centre
  return c;
}

TEST(AreaMean, KnownPatterns) {
  const TCapture board = Checkerboard();
  TCapture ramp;  // red 0, 10, ..., 80 over the 3 x 3, blue in its left column
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) ramp.At(dx, dy) = static_cast<TColor>(((dy + 1) * 3 + dx + 1) * 10);
  for (int dy = -1; dy <= 1; ++dy) ramp.At(-1, dy) |= 0xFF0000;
  ramp.At(1, 1) |= 0x000100;  // green 1 of 9 rounds to 0
  TCapture uniform;
  uniform.Pixels.assign(13 * 9, 0x123456);

  struct Case {
    const char* name;
    const TCapture& capture;
    int size;
    TColor want;
  } cases[] = {
      {"board 1", board, 1, kWhite},   {"board 3", board, 3, 0x8E8E8E},  // 5 of 9 white: 141.67
      {"board 5", board, 5, 0x858585},                                   // 13 of 25: 132.6
      {"board 9", board, 9, 0x818181},                                   // 41 of 81: 129.07
      {"ramp 3", ramp, 3, 0x550028},                                     // red 40, green 0.11, blue 85
      {"ramp 1", ramp, 1, 0x000028},   {"uniform 9", uniform, 9, 0x123456},
  };
  for (const Case& c : cases) EXPECT_EQ(AreaMean(c.capture.Block(), kCentre, c.size), c.want) << c.name;
}

TEST(AreaMean, RoundsHalfUp) {
  // Two counted pixels: the rest of the 3 x 3 lies off the screen.
  struct Case {
    TColor a, b, want;
  } cases[] = {
      {0x000000, 0x010101, 0x010101},  // 0.5
      {0x000000, 0x030303, 0x020202},  // 1.5
      {0xFEFEFE, 0xFFFFFF, 0xFFFFFF},  // 254.5
      {0x000001, 0x000002, 0x000002},  // red 1.5, others 0
      {0x0000FF, 0xFF0000, 0x800080},  // 127.5 red and blue, no green
  };
  for (const Case& c : cases) {
    TCapture cap;
    cap.OffScreenLeftOf(13);
    cap.OnScreen[4 * 13 + 6] = cap.OnScreen[4 * 13 + 7] = 1;
    cap.At(0, 0) = c.a;
    cap.At(1, 0) = c.b;
    EXPECT_EQ(AreaMean(cap.Block(), kCentre, 3), c.want) << std::hex << c.a << " " << c.b;
  }
}

TEST(AreaMean, PixelsOffEveryScreenDoNotCount) {
  // The pointer on the screen's first column: the capture's left six columns
  // are button face, which would tint the mean if it counted.
  TCapture cap;
  cap.Pixels.assign(13 * 9, kRed);
  cap.OffScreenLeftOf(6);
  EXPECT_EQ(AreaMean(cap.Block(), kCentre, 3), kRed);
  EXPECT_EQ(AreaMean(cap.Block(), kCentre, 9), kRed);
  EXPECT_EQ(AreaMostFrequent(cap.Block(), kCentre, 5), kRed);
  // The 9 x 9 has five columns on the screen: green, red, green, red, green.
  for (int y = 0; y < 9; ++y)
    for (int x = 6; x < 13; x += 2) cap.Pixels[y * 13 + x] = kGreen;
  EXPECT_EQ(AreaMean(cap.Block(), kCentre, 9), 0x009966u);  // green 153, red 102

  cap.OffScreenLeftOf(13);
  EXPECT_EQ(AreaMean(cap.Block(), kCentre, 9), std::nullopt);
  EXPECT_EQ(AreaMostFrequent(cap.Block(), kCentre, 5), std::nullopt);
  EXPECT_EQ(AreaMean(cap.Block(), kCentre, 1), std::nullopt);
}

TEST(AreaMean, HighByteAndBlockEdges) {
  TCapture cap;
  cap.Pixels.assign(13 * 9, 0xFF0000FF);  // a high byte as a 32-bit DIB leaves it
  EXPECT_EQ(AreaMean(cap.Block(), kCentre, 3), kRed);
  EXPECT_EQ(AreaMostFrequent(cap.Block(), kCentre, 3), kRed);

  // A square reaching past the block counts what the block has.
  const std::vector<TColor> tiny = {kWhite, kBlack, kBlack, kBlack};
  const TPixelBlock block{2, 2, tiny, {}};
  EXPECT_EQ(AreaMean(block, {0, 0}, 9), 0x404040u);  // 63.75
  EXPECT_EQ(AreaMean(block, {0, 0}, 1), kWhite);
  EXPECT_EQ(AreaMean(block, {5, 5}, 3), std::nullopt);
  // Malformed blocks give nothing rather than reading past the data.
  EXPECT_EQ(AreaMean(TPixelBlock{3, 3, tiny, {}}, {1, 1}, 3), std::nullopt);
  const std::vector<std::uint8_t> shortMask = {1};
  EXPECT_EQ(AreaMean(TPixelBlock{2, 2, tiny, shortMask}, {0, 0}, 3), std::nullopt);
  EXPECT_EQ(AreaMean(TPixelBlock{-2, 2, tiny, {}}, {0, 0}, 3), std::nullopt);
  // Sizes below one are one pixel; an even size is the next odd one.
  EXPECT_EQ(AreaMean(block, {0, 0}, 0), kWhite);
  EXPECT_EQ(AreaMean(block, {1, 1}, 2), 0x404040u);
}

TEST(AreaMostFrequent, CountThenNearnessThenReadingOrder) {
  struct Case {
    const char* name;
    std::vector<std::pair<TPointI, TColor>> set;  // over a background of unique colours
    TColor want;
  } cases[] = {
      {"majority", {{{-2, -2}, kRed}, {{2, 2}, kRed}, {{0, 0}, kGreen}}, kRed},
      {"tie, nearer wins", {{{-2, -2}, kRed}, {{2, 2}, kRed}, {{0, 1}, kGreen}, {{2, -2}, kGreen}}, kGreen},
      // Both have a pixel one away; above the centre reads before left of it.
      {"tie, same distance", {{{-1, 0}, kRed}, {{2, 2}, kRed}, {{0, -1}, kGreen}, {{-2, -2}, kGreen}}, kGreen},
      {"tie, same distance, left before right",
       {{{1, 0}, kRed}, {{2, 2}, kRed}, {{-1, 0}, kBlue}, {{-2, 2}, kBlue}},
       kBlue},
      // A diagonal neighbour (2) loses to a straight one (1) even reading first.
      {"tie, distance before order", {{{-1, -1}, kRed}, {{-2, -2}, kRed}, {{1, 0}, kBlue}, {{2, 2}, kBlue}}, kBlue},
      {"no repeats: the centre", {}, 4 * 13 + 6},
  };
  for (const Case& c : cases) {
    TCapture cap;
    for (int i = 0; i < 13 * 9; ++i) cap.Pixels[i] = static_cast<TColor>(i);  // all different
    for (const auto& [at, colour] : c.set) cap.At(at.X, at.Y) = colour;
    EXPECT_EQ(AreaMostFrequent(cap.Block(), kCentre, 5), c.want) << c.name;
  }
}

TEST(AreaMostFrequent, OnlyTheSquareCounts) {
  // Green fills everything but the 5 x 5, which is mostly red.
  TCapture cap;
  cap.Pixels.assign(13 * 9, kGreen);
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx) cap.At(dx, dy) = (dx + dy) % 3 == 0 ? kBlue : kRed;
  EXPECT_EQ(AreaMostFrequent(cap.Block(), kCentre, 5), kRed);
  EXPECT_EQ(SampleArea(cap.Block(), kCentre, 5, TSampleMode::MostFrequent), kRed);
  EXPECT_EQ(SampleArea(cap.Block(), kCentre, 9, TSampleMode::MostFrequent), kGreen);
  EXPECT_EQ(SampleArea(cap.Block(), kCentre, 1, TSampleMode::Mean), kBlue);
}

TEST(OnScreenMask, GapsAndNegativeOrigins) {
  const TMonitorLayout gap = {{{0, 0, 100, 100}, {0, 0, 100, 100}, 96, true},
                              {{101, -50, 201, 50}, {101, -50, 201, 50}, 96, false}};
  const std::vector<std::uint8_t> want = {
      0, 0, 0, 1, 1,  // y = -1: only the right monitor
      1, 1, 0, 1, 1,  // y = 0: the one-column gap at x = 100
  };
  EXPECT_EQ(OnScreenMask({98, -1, 103, 1}, gap), want);
  const TMonitorLayout left = {{{-1920, -200, 0, 880}, {-1920, -200, 0, 840}, 96, false},
                               {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true}};
  EXPECT_EQ(OnScreenMask({-1, -201, 1, -199}, left), (std::vector<std::uint8_t>{0, 0, 1, 0}));
  EXPECT_TRUE(OnScreenMask({5, 5, 5, 9}, left).empty());
}

}  // namespace
