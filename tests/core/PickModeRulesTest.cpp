// The pick mode's portable rules: where the loupe goes, what a pick copies
// and what the command line asks for.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/colorout/uPickCopyFormat.h"
#include "core/sampling/uLoupePlacement.h"
#include "core/shell/uCommandLine.h"

namespace {

// A 144-DPI monitor left of and above the 96-DPI primary, a 192-DPI one right of it.
const TMonitorLayout kLayout = {
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true},
    {{-2560, -360, 0, 1080}, {-2560, -360, 0, 1080}, 144, false},
    {{1920, 0, 5760, 2160}, {1920, 0, 5760, 2160}, 192, false},
    {{6000, -150, 6200, 0}, {6000, -150, 6200, 0}, 96, false},  // too small for the loupe beside the pointer
};

TEST(LoupePlacement, BesideThePointerFlippedAtEdgesAndOnItsMonitorAtItsDpi) {
  // A 160 x 120 loupe; the view keeps 10 pixels each side visible. The
  // cursor reaches further right (31, 47 and 62 pixels) and up.
  const TRectI keep{-10, -10, 11, 11};
  const struct {
    TPointI at;
    TLoupePlacement want;
  } cases[] = {
      {{960, 540}, {{999, 548, 1159, 668}, 96}},      // centre: right of the cursor, below the hot spot
      {{0, 0}, {{39, 8, 199, 128}, 96}},              // top left
      {{1919, 0}, {{1741, 8, 1901, 128}, 96}},        // top right: flipped left, not onto the next monitor
      {{0, 1079}, {{39, 951, 199, 1071}, 96}},        // bottom left: flipped up
      {{1919, 1079}, {{1741, 951, 1901, 1071}, 96}},  // bottom right: both
      {{960, 0}, {{999, 8, 1159, 128}, 96}},          // top edge
      {{960, 1079}, {{999, 951, 1159, 1071}, 96}},    // bottom edge
      {{-2560, -360}, {{-2501, -348, -2261, -168}, 144}},  // negative origin, 240 x 180
      {{-1, 500}, {{-263, 512, -23, 692}, 144}},      // its right edge, beside the primary
      {{-1, 1079}, {{-263, 887, -23, 1067}, 144}},
      {{1920, 0}, {{1998, 16, 2318, 256}, 192}},      // 320 x 240 from the primary's edge on
      {{5759, 2159}, {{5413, 1903, 5733, 2143}, 192}},
      {{6100, -75}, {{6040, -120, 6200, 0}, 96}},      // no room anywhere: as far in as it goes
  };
  for (const auto& c : cases)
    EXPECT_EQ(PlaceLoupe(kLayout, c.at, 160, 120, keep), c.want) << c.at.X << ", " << c.at.Y;
  for (const auto& c : cases) {
    // Clear of the view's pixels wherever the monitor leaves room.
    const TRectI& b = c.want.Bounds;
    if (c.at.X != 6100) {
      EXPECT_TRUE(b.Left > c.at.X + 10 || b.Right <= c.at.X - 10) << c.at.X;
    }
  }
}

// The loupe stays while it is near its place and clear of the pixels; it
// moves once it lags too far, would cover them, or the side or DPI changes.
TEST(LoupePlacement, StaysThroughSmallMovesOnly) {
  const TRectI keep{-10, -10, 11, 11};
  const TLoupePlacement at960 = PlaceLoupe(kLayout, {960, 540}, 160, 120, keep);
  const struct {
    TPointI to;
    bool stays;
  } cases[] = {
      {{960, 540}, true},  {{936, 540}, true},   {{935, 540}, false}, {{960, 564}, true},
      {{960, 565}, false}, {{936, 516}, true},
      {{968, 540}, true},  {{969, 540}, false},  // the cursor would reach into it
      {{1919, 540}, false}, {{-1, 540}, false},  {{960, 1079}, false},
  };
  for (const auto& c : cases) {
    const TLoupePlacement wanted = PlaceLoupe(kLayout, c.to, 160, 120, keep);
    EXPECT_EQ(LoupeMayStay(kLayout, c.to, keep, at960, wanted), c.stays) << c.to.X << ", " << c.to.Y;
  }
}

TEST(PickCopyFormat, StableNamesTemplatesAndEverythingElseNone) {
  const std::vector<std::wstring> templates = {L"{R}{G}{B}", L"hex"};
  using K = TPickCopyFormat::TKind;
  const struct {
    const wchar_t* stored;
    K kind;
    const wchar_t* copied;  // for #123456
    const wchar_t* current;
  } cases[] = {
      {L"", K::None, L"", L"#123456"},
      {L"rgb", K::BuiltIn, L"rgb(18, 52, 86)", L"rgb(18, 52, 86)"},
      {L"HSL", K::BuiltIn, L"hsl(210.0, 65.4%, 20.4%)", L"hsl(210.0, 65.4%, 20.4%)"},
      {L"hex", K::BuiltIn, L"#123456", L"#123456"},  // the name wins over the template "hex"
      {L"{R}{G}{B}", K::Template, L"123456", L"123456"},
      {L"{r}", K::None, L"", L"#123456"},  // a template no longer there
      {L"rgb ", K::None, L"", L"#123456"},
  };
  for (const auto& c : cases) {
    const TPickCopyFormat choice = ParsePickCopyFormat(c.stored, templates);
    EXPECT_EQ(choice.Kind, c.kind) << c.stored;
    EXPECT_EQ(PickCopyText(choice, 0x563412), c.copied) << c.stored;
    EXPECT_EQ(CurrentColorCopyText(choice, 0x563412), c.current) << c.stored;
    EXPECT_EQ(ParsePickCopyFormat(PickCopyFormatText(choice), templates), choice) << c.stored;
  }
  // Every built-in format, however many there come to be, has a name and a label of its own.
  std::set<std::wstring> names, labels;
  for (const TCopyFormat f : BuiltInCopyFormats()) {
    EXPECT_FALSE(CopyFormatLabel(f).empty());
    names.emplace(CopyFormatStableName(f));
    labels.emplace(CopyFormatLabel(f));
  }
  EXPECT_EQ(names.size(), BuiltInCopyFormats().size());
  EXPECT_EQ(labels.size(), BuiltInCopyFormats().size());
}

TEST(StartOptions, PickFormatFreezeHelpAndBadArguments) {
  using A = TStartAction;
  const struct {
    std::vector<std::wstring> args;
    A action;
    TCopyFormat format;
    std::optional<bool> freeze;
    const wchar_t* argument;
  } cases[] = {
      {{}, A::Window, TCopyFormat::HexUpper, {}, L""},
      {{L"-n", L"--bogus"}, A::Window, TCopyFormat::HexUpper, {}, L""},  // the window ignores what it does not know
      {{L"--format", L"bogus"}, A::Window, TCopyFormat::HexUpper, {}, L""},
      {{L"--pick"}, A::Pick, TCopyFormat::HexUpper, {}, L""},
      {{L"--PICK", L"--format", L"RGB"}, A::Pick, TCopyFormat::CssRgb, {}, L""},
      {{L"--format=oklch", L"--freeze", L"--pick"}, A::Pick, TCopyFormat::CssOklch, true, L""},
      {{L"--pick", L"--format", L"bogus"}, A::BadFormat, TCopyFormat::HexUpper, {}, L"bogus"},
      {{L"--pick", L"--format"}, A::BadFormat, TCopyFormat::HexUpper, {}, L""},
      {{L"--pick", L"--frozen"}, A::BadArgument, TCopyFormat::HexUpper, {}, L"--frozen"},
      {{L"--pick", L"/?"}, A::Help, TCopyFormat::HexUpper, {}, L""},
      {{L"--help"}, A::Help, TCopyFormat::HexUpper, {}, L""},
  };
  for (const auto& c : cases) {
    const TStartOptions o = ParseStartOptions(c.args);
    const std::wstring what = c.args.empty() ? L"(none)" : c.args.front();
    EXPECT_EQ(o.Action, c.action) << what;
    EXPECT_EQ(o.Format, c.format) << what;
    EXPECT_EQ(o.Freeze, c.freeze) << what;
    EXPECT_EQ(o.Argument, c.argument) << what;
  }
  EXPECT_TRUE(StableNameList().starts_with(L"hex, hex-lower, rgb, "));
}

}  // namespace
