#include <cmath>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "core/controls/uEditTrackBarModel.h"
#include "core/support/uUserError.h"

namespace {

// The main window's red channel: 0..255, whole numbers, line 1, page 5.
TEditTrackBarModel RedChannel(double position = 0, bool wrap = false) {
  TEditTrackBarModel m;
  m.SetMax(255);
  m.SetWrap(wrap);
  m.SetPosition(position);
  return m;
}

struct StepCase {
  double start;
  bool wrap;
  bool spin;  // spin button instead of key
  int step;   // TStepKey, or TSpinButton for spins
  TModifierKeys modifiers;
  double expected;
};

TEST(EditTrackBarModel, Stepping) {
  const TModifierKeys none{}, shift{true, false, false}, shiftCtrl{true, true, false};
  const StepCase cases[] = {
      {253, false, false, skPageUp, none, 255},  // next multiple of 5
      {255, false, false, skPageUp, none, 255},  // 260 clamped
      {255, true, false, skPageUp, none, 0},     // 260 wraps to Min
      {7, false, false, skPageDown, none, 5},   {7, false, false, skDown, none, 6},
      {0, false, false, skDown, none, 0},       {0, true, false, skDown, none, 255},
      {253, false, false, skUp, none, 254},     {255, true, false, skUp, none, 0},
      {7, false, true, sbDown, none, 6},        {7, false, true, sbDown, shift, 5},  // Shift alone: page
      {7, false, true, sbDown, shiftCtrl, 6},                                        // Shift with Ctrl: line
      {253, false, true, sbUp, shift, 255},     {0, true, true, sbDown, none, 255},
  };
  for (const auto& c : cases) {
    TEditTrackBarModel m = RedChannel(c.start, c.wrap);
    if (c.spin)
      m.StepBySpin(static_cast<TSpinButton>(c.step), c.modifiers);
    else
      m.StepByKey(static_cast<TStepKey>(c.step));
    EXPECT_EQ(m.Position(), c.expected) << "from " << c.start << (c.wrap ? " wrap" : "")
                                        << (c.spin ? " spin " : " key ") << c.step;
  }
}

TEST(EditTrackBarModel, WrapLooksAtTheRawStepNotTheClampedOne) {
  // 255 passes a Max of 254: with Wrap the value goes round to Min rather
  // than stopping at 254, because the bounds see the unquantised step.
  TEditTrackBarModel m = RedChannel(253, true);
  m.SetMax(254);
  m.StepByKey(skPageUp);
  EXPECT_EQ(m.Position(), 0);
  m.SetWrap(false);
  m.SetPosition(253);
  m.StepByKey(skPageUp);
  EXPECT_EQ(m.Position(), 254);
}

TEST(EditTrackBarModel, KeysGoDownAWholePrecisionButtonsAHundredth) {
  // Only visible with a line size below Precision: the button's 6.5 rounds
  // back to 7, the key's step reaches 6.
  TEditTrackBarModel key = RedChannel(7), spin = RedChannel(7);
  key.SetLineSize(0.5);
  spin.SetLineSize(0.5);
  key.StepByKey(skDown);
  spin.StepBySpin(sbDown, {});
  EXPECT_EQ(key.Position(), 6);
  EXPECT_EQ(spin.Position(), 7);
}

TEST(EditTrackBarModel, StepSizeOfZeroLeavesTheValue) {
  TEditTrackBarModel m = RedChannel(7);
  m.SetLineSize(0);
  m.StepByKey(skUp);
  m.StepBySpin(sbDown, {});
  EXPECT_EQ(m.Position(), 7);  // not NaN
}

TEST(EditTrackBarModel, DecimalStepsAreTidied) {
  TEditTrackBarModel m;
  m.SetPrecision(0.1);
  m.SetLineSize(0.1);
  m.SetPosition(0.2);
  m.StepByKey(skUp);
  EXPECT_EQ(m.Position(), 0.3);
  EXPECT_EQ(m.PositionText(), L"0.3");
}

TEST(EditTrackBarModel, PositionRoundsHalvesAwayAndClamps) {
  const double cases[][2] = {
      {12.3, 12}, {12.5, 13}, {-12.5, -13}, {-12.3, -12}, {300, 255}, {-300, -100}, {1e300, 255}, {-1e300, -100},
  };
  for (const auto& c : cases) {
    TEditTrackBarModel m = RedChannel();
    m.SetMin(-100);
    m.SetPosition(c[0]);
    EXPECT_EQ(m.Position(), c[1]) << c[0];
  }
}

TEST(EditTrackBarModel, TypedNumberOutsideTheRangeIsClampedWithoutRewrite) {
  TEditTrackBarModel m = RedChannel(10);
  int calls = 0;
  m.OnPositionSet = [&](TEditTrackBarModel&) { ++calls; };
  EXPECT_TRUE(m.ApplyText(L"300"));
  EXPECT_EQ(m.Position(), 255);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(m.ApplyText(L"255"));  // same number: nothing assigned
  EXPECT_EQ(calls, 1);
  m.StepByKey(skDown);  // the next step starts from 255, not 300
  EXPECT_EQ(m.Position(), 254);
}

TEST(EditTrackBarModel, TextThatIsNoNumberLeavesThePosition) {
  for (const wchar_t* text : {L"", L"-", L".", L"1e", L"abc", L"1.2.3"}) {
    TEditTrackBarModel m = RedChannel(42);
    EXPECT_FALSE(m.ApplyText(text));
    EXPECT_EQ(m.Position(), 42);
  }
}

TEST(EditTrackBarModel, DecimalTextFollowsTheSeparator) {
  TEditTrackBarModel m = RedChannel();
  m.SetPrecision(0.5);
  m.SetDecimalSeparator(L',');
  EXPECT_TRUE(m.ApplyText(L"1,5"));
  EXPECT_EQ(m.Position(), 1.5);
  EXPECT_EQ(m.PositionText(), L"1,5");
  EXPECT_FALSE(m.ApplyText(L"2.5"));
  EXPECT_EQ(m.Position(), 1.5);
}

TEST(EditTrackBarModel, HexText) {
  TEditTrackBarModel m = RedChannel(255);
  m.SetHex(true);
  EXPECT_EQ(m.PositionText(), L"FF");
  EXPECT_EQ(m.InputKind(), 5);
  EXPECT_TRUE(m.ApplyText(L"1a"));
  EXPECT_EQ(m.Position(), 26);
  EXPECT_TRUE(m.ApplyText(L"zz"));  // non-digits count 0
  EXPECT_EQ(m.Position(), 0);
  EXPECT_EQ(m.PositionText(), L"0");
  m.SetMin(-10);
  m.SetPosition(-1);
  EXPECT_EQ(m.PositionText(), L"FFFFFFFF");
}

TEST(EditTrackBarModel, PrecisionOtherThanOneOnHexThrowsAndChangesNothing) {
  TEditTrackBarModel m = RedChannel(7);
  m.SetHex(true);
  try {
    m.SetPrecision(0.5);
    FAIL() << "no exception";
  } catch (const EUserError& e) {
    EXPECT_EQ(e.Message(), L"TCustomEditTrackBarVel.SetPrecision: (Value <> 1) and (Hex)");
  }
  EXPECT_EQ(m.Precision(), 1);
  EXPECT_EQ(m.Position(), 7);
  EXPECT_NO_THROW(m.SetPrecision(0));  // not positive: ignored before the check
}

TEST(EditTrackBarModel, HexResetsPrecisionAndReRounds) {
  TEditTrackBarModel m = RedChannel();
  m.SetPrecision(0.5);
  m.SetPosition(12.5);
  m.SetHex(true);
  EXPECT_EQ(m.Precision(), 1);
  EXPECT_EQ(m.Position(), 13);
}

TEST(EditTrackBarModel, UnusablePrecisionIsIgnored) {
  for (double p : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
    TEditTrackBarModel m = RedChannel(7);
    m.SetPrecision(p);
    EXPECT_EQ(m.Precision(), 1) << p;
    EXPECT_EQ(m.Position(), 7) << p;
  }
}

TEST(EditTrackBarModel, InputKind) {
  struct Case {
    double precision, min;
    bool hex;
    int kind;
  };
  const Case cases[] = {
      {1, 0, false, 2}, {1, -1, false, 1}, {0.5, 0, false, 4}, {0.5, -1, false, 3}, {2, -1, false, 1}, {1, -1, true, 5},
  };
  for (const auto& c : cases) {
    TEditTrackBarModel m;
    m.SetMin(c.min);
    m.SetPrecision(c.precision);
    m.SetHex(c.hex);
    EXPECT_EQ(m.InputKind(), c.kind) << c.precision << " " << c.min << " " << c.hex;
  }
}

TEST(EditTrackBarModel, BoundsPushEachOther) {
  TEditTrackBarModel m = RedChannel(100);
  m.SetMin(300);
  EXPECT_EQ(m.Max(), 300);
  EXPECT_EQ(m.Position(), 300);
  m.SetMax(-5);
  EXPECT_EQ(m.Min(), -5);
  EXPECT_EQ(m.Position(), -5);

  m.SetTrackBarMin(10);
  EXPECT_EQ(m.TrackBarMax(), 10);
  m.SetTrackBarMax(5);
  EXPECT_EQ(m.TrackBarMin(), 5);
}

TEST(EditTrackBarModel, LogarithmicStyleNeedsAPositiveMin) {
  TEditTrackBarModel m = RedChannel();
  m.SetPrecision(0.5);
  m.SetTrackBarStyle(etbvsExp1);
  EXPECT_EQ(m.Min(), 0.5);
  EXPECT_EQ(m.Position(), 0.5);
}

TEST(EditTrackBarModel, TidyValue) {
  TEditTrackBarModel m = RedChannel();
  EXPECT_EQ(m.TidyValue(12.34567), 12.3);  // q = 0.1 for 255
  EXPECT_EQ(m.TidyValue(254.99999999), 255);
  m.SetMax(10000);
  EXPECT_EQ(m.TidyValue(12345), 12350);  // q = 10
  m.SetMax(0);
  EXPECT_EQ(m.TidyValue(12345), 0);  // Min = Max = 0
}

TEST(EditTrackBarModel, WhichModifiersStep) {
  struct Case {
    TModifierKeys keys;
    bool keyStep, page;
  };
  const Case cases[] = {
      {{false, false, false}, true, false}, {{false, true, false}, true, false}, {{true, false, false}, false, true},
      {{false, false, true}, false, false}, {{true, true, false}, false, false}, {{true, false, true}, false, false},
      {{false, true, true}, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeyStepAllowed(c.keys), c.keyStep) << c.keys.Shift << c.keys.Ctrl << c.keys.Alt;
    EXPECT_EQ(PageStepWith(c.keys), c.page) << c.keys.Shift << c.keys.Ctrl << c.keys.Alt;
  }
  EXPECT_EQ(StepKeyOf(0x21), skPageUp);
  EXPECT_EQ(StepKeyOf(0x25), std::nullopt);  // Left
}

TEST(EditTrackBarModel, ThePopUpsValueHoldsUntilThePointerLeavesTheOpeningPoint) {
  TEditTrackBarModel m;
  EXPECT_FALSE(m.TrackValueHeld({500, 300}));  // no pop-up opened
  m.BeginTrackDrag({500, 300});
  const std::pair<TPointI, bool> moves[] = {{{500, 300}, true}, {{500, 300}, true}, {{499, 300}, false},
                                            {{500, 300}, false}};
  for (const auto& [pointer, held] : moves) EXPECT_EQ(m.TrackValueHeld(pointer), held) << pointer.X;
}

TEST(EditTrackBarModel, TrackValueSnapsToTheStepSize) {
  TEditTrackBarModel m = RedChannel();
  EXPECT_TRUE(m.ApplyTrackValue(123.4, {}));
  EXPECT_EQ(m.Position(), 123);
  EXPECT_FALSE(m.ApplyTrackValue(123, {}));  // unchanged: no OnClick
  EXPECT_TRUE(m.ApplyTrackValue(123.4, {true, false, false}));
  EXPECT_EQ(m.Position(), 125);
}

}  // namespace
