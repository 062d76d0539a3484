#include <gtest/gtest.h>

#include "core/sampling/uPickSettings.h"

namespace {

constexpr TSampling kPixel{1, TSampleMode::Mean};

TEST(PickSettings, SamplingReadsOnlyTheOfferedChoices) {
  struct Case {
    const wchar_t* size;
    const wchar_t* mode;
    TSampling want;
  } cases[] = {
      {L"1", L"0", kPixel},
      {L"3", L"0", {3, TSampleMode::Mean}},
      {L"5", L"0", {5, TSampleMode::Mean}},
      {L"9", L"0", {9, TSampleMode::Mean}},
      {L"5", L"1", {5, TSampleMode::MostFrequent}},
      {L"9", L"", {9, TSampleMode::Mean}},  // no mode: the mean
      {L"1", L"1", kPixel},                 // the most frequent of one pixel is that pixel
      {L"3", L"1", kPixel},                 // not on the menu
      {L"9", L"1", kPixel},
      {L"7", L"0", kPixel},
      {L"0", L"0", kPixel},
      {L"-3", L"0", kPixel},
      {L"5", L"2", kPixel},
      {L"5", L"-1", kPixel},
      {L"5", L"x", kPixel},
      {L"", L"", kPixel},
      {L"", L"1", kPixel},
      {L"9 ", L"0", kPixel},
      {L"5,5", L"0", kPixel},
      {L"\xFF15", L"0", kPixel},      // a full-width five
      {L"4294967301", L"0", kPixel},  // 5 past 2^32
      {L" 9", L"0", {9, TSampleMode::Mean}},
      {L"$9", L"0", {9, TSampleMode::Mean}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseSampling(c.size, c.mode), c.want)
        << testing::PrintToString(std::wstring(c.size)) << " " << testing::PrintToString(std::wstring(c.mode));
}

TEST(PickSettings, ZoomFactorIsAPowerOfTwoFromTwoToThirtyTwo) {
  struct Case {
    const wchar_t* text;
    int want;
  } cases[] = {
      {L"2", 2}, {L"4", 4},  {L"8", 8},  {L"16", 16}, {L"32", 32}, {L"$10", 16}, {L"64", 8},    {L"1", 8},
      {L"0", 8}, {L"-8", 8}, {L"12", 8}, {L"", 8},    {L"x", 8},   {L"16x", 8},  {L"3.2e1", 8},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseZoomFactor(c.text), c.want) << testing::PrintToString(std::wstring(c.text));
  EXPECT_EQ(ZoomFactorText(16), L"16");
}

TEST(PickSettings, HotKeyTextIsModifiersCommaKey) {
  struct Case {
    const wchar_t* text;
    THotKey want;
  } cases[] = {
      {L"6,120", {kModControl | kModShift, 0x78}},  // Ctrl+Shift+F9
      {L"0,120", {0, 0x78}},                        // F9 alone
      {L"15,65", {kModAlt | kModControl | kModShift | kModWin, 'A'}},
      {L"$2,$41", {kModControl, 'A'}},
      {L"", {}},
      {L"2", {}},
      {L",65", {}},
      {L"2,", {}},
      {L"2,65,", {}},
      {L"2,65,1", {}},
      {L"-1,65", {}},
      {L"2,-65", {}},
      {L"16,65", {}},     // an unknown modifier bit
      {L"16386,65", {}},  // "no repeat" is the program's to add
      {L"2,0", {}},
      {L"2,255", {}},
      {L"2,256", {}},
      {L"2,1", {}},    // the left mouse button
      {L"2,16", {}},   // Shift itself
      {L"1,164", {}},  // the left Alt key
      {L"2,91", {}},   // a Windows key
      {L"ctrl,65", {}},
  };
  for (const Case& c : cases) {
    const THotKey got = ParseHotKey(c.text);
    EXPECT_EQ(got, c.want) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(got.IsNone(), c.want.Key == 0) << testing::PrintToString(std::wstring(c.text));
  }
  EXPECT_EQ(HotKeyText({kModControl | kModShift, 0x78}), L"6,120");
  EXPECT_EQ(HotKeyText({}), L"");
  EXPECT_EQ(HotKeyText({0x10, 'A'}), L"");
  EXPECT_EQ(ParseHotKey(HotKeyText({kModAlt, 0x2C})), (THotKey{kModAlt, 0x2C}));
}

TEST(PickSettings, HotKeyControlSwapsShiftAndAlt) {
  // HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4, HOTKEYF_EXT 8 in the high byte.
  struct Case {
    std::uint16_t control;
    THotKey key;
  } fromControl[] = {
      {0x0241, {kModControl, 'A'}},
      {0x0141, {kModShift, 'A'}},
      {0x0441, {kModAlt, 'A'}},
      {0x0778, {kModAlt | kModControl | kModShift, 0x78}},
      {0x0878, {0, 0x78}},        // extended flag only
      {0x0C2E, {kModAlt, 0x2E}},  // Alt+Delete, an extended key
      {0x0000, {}},
      {0x0210, {}},  // Ctrl with Shift as the key
  };
  for (const Case& c : fromControl) EXPECT_EQ(HotKeyFromControl(c.control), c.key) << std::hex << c.control;

  Case toControl[] = {
      {0x0241, {kModControl, 'A'}},
      {0x0241, {kModControl | kModWin, 'A'}},  // the control cannot show the Windows key
      {0x0478, {kModAlt, 0x78}},
      {0x0178, {kModShift, 0x78}},
      {0x0000, {}},
      {0x0000, {kModControl, 0x11}},
  };
  for (const Case& c : toControl)
    EXPECT_EQ(HotKeyControlValue(c.key), c.control) << c.key.Modifiers << "," << c.key.Key;
}

}  // namespace
