#include <gtest/gtest.h>

#include "core/controls/uAutoRepeat.h"
#include "core/controls/uEditButtonLayout.h"

namespace {

// A channel editor is 60 x 21.
constexpr int W = 60, H = 21;

TEST(EditButtonLayout, EmbeddedButtonAndBaseRectangle) {
  EXPECT_EQ(EmbeddedButtonRect(W, H, false), (TRectI{44, 0, 56, 17}));
  EXPECT_EQ(EmbeddedButtonRect(W, H, true), (TRectI{0, 0, 12, 17}));
  EXPECT_EQ(EditVelFormatRect(W, H, 12, false), (TRectI{0, 0, 44, 17}));
  EXPECT_EQ(EditVelFormatRect(W, H, 12, true), (TRectI{10, 0, 56, 17}));
}

TEST(EditButtonLayout, SpinButtonsAndFormattingRectangle) {
  struct Case {
    bool upDown, trackBar, rtl;
    TRectI up, down, text;
  };
  const Case cases[] = {
      {true, true, false, {32, 0, 44, 8}, {32, 8, 44, 17}, {0, 0, 32, 17}},
      {true, false, false, {44, 0, 56, 8}, {44, 8, 56, 17}, {0, 0, 44, 17}},
      {false, false, false, {44, 0, 56, 8}, {44, 8, 56, 17}, {0, 0, 56, 17}},
      {true, true, true, {12, 0, 24, 8}, {12, 8, 24, 17}, {24, 0, 56, 17}},
      {true, false, true, {0, 0, 12, 8}, {0, 8, 12, 17}, {12, 0, 56, 17}},
  };
  for (const auto& c : cases) {
    const TSpinButtonRects spin = SpinButtonRects(W, H, c.trackBar, c.rtl);
    EXPECT_EQ(spin.Up, c.up) << c.upDown << c.trackBar << c.rtl;
    EXPECT_EQ(spin.Down, c.down) << c.upDown << c.trackBar << c.rtl;
    EXPECT_EQ(EditTrackBarFormatRect(W, H, c.upDown, c.trackBar, c.rtl), c.text) << c.upDown << c.trackBar << c.rtl;
  }
}

TEST(AutoRepeat, ClickAtPressThenAfter400ThenEvery100) {
  TAutoRepeat r;
  EXPECT_TRUE(r.Press());
  EXPECT_TRUE(r.Enabled());
  EXPECT_EQ(r.Interval(), 400u);
  EXPECT_TRUE(r.Tick(true, true));
  EXPECT_EQ(r.Interval(), 100u);
  EXPECT_FALSE(r.Tick(false, true));  // pointer off the button: paused
  EXPECT_TRUE(r.Tick(true, true));    // and back
  r.Release();
  EXPECT_FALSE(r.Enabled());
  EXPECT_FALSE(r.Tick(true, true));  // a late tick adds no step
}

}  // namespace
