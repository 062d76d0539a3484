#include "core/color/uColorFactors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/support/uArith.h"

namespace {

TColorFactors FromRGB(int red, int green, int blue) {
  TColorFactors f;
  f.Red = red;
  f.Grn = green;
  f.Blu = blue;
  DeriveFromRGB(f);
  return f;
}

std::string RGBText(int red, int green, int blue) {
  // Built step by step: GCC 12 warns falsely (-Wrestrict) on "(" + to_string(...).
  std::string text = "(";
  text += std::to_string(red);
  text += ", ";
  text += std::to_string(green);
  text += ", ";
  text += std::to_string(blue);
  text += ")";
  return text;
}

// --- RoundHalfAway ---------------------------------------------------------

struct RoundCase {
  double x;
  std::int32_t expected;
};

TEST(RoundHalfAway, RoundsHalvesAwayFromZero) {
  const RoundCase cases[] = {
      {7.5, 8},
      {12.5, 13},
      {-2.5, -3},
      {-0.5, -1},
      {0.5, 1},
      {0.0, 0},
      {2.4999, 2},
      {-2.6, -3},
      {127.5, 128},
      // x + 0.5 would round this up to 1.0 before truncation.
      {0.49999999999999994, 0},
      {-0.49999999999999994, 0},
      {2147483646.5, 2147483647},
      {-2147483647.5, -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfAway(c.x), c.expected) << "x = " << c.x;
}

TEST(RoundHalfAway, SaturatesOutsideInt32InsteadOfUndefinedConversion) {
  EXPECT_EQ(RoundHalfAway(1e10), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundHalfAway(-1e10), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(RoundHalfAway(std::numeric_limits<double>::infinity()), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundHalfAway(std::nan("")), 0);
}

// --- Record and index access -----------------------------------------------

TEST(ColorFactors, IndexAddressesTheFieldsInRecordOrder) {
  TColorFactors f;
  for (int i = 0; i < ColorFactorCount; ++i) Factor(f, i) = 100 + i;
  const std::array<std::int32_t, ColorFactorCount> fields = {f.Red,    f.Grn,    f.Blu,    f.Hue, f.Sat, f.Bri,
                                                             f.HSLHue, f.HSLSat, f.HSLBri, f.Y,   f.Cb,  f.Cr};
  for (int i = 0; i < ColorFactorCount; ++i) EXPECT_EQ(fields[i], 100 + i) << "index " << i;
  EXPECT_EQ(f.Color, 0u);

  const TColorFactors& view = f;
  EXPECT_EQ(Factor(view, 8), 108);
}

TEST(ColorFactors, IllegalIndexThrowsInsteadOfReadingOutsideTheRecord) {
  TColorFactors f;
  for (int index : {-1, 12, 1000}) {
    EXPECT_THROW(Factor(f, index), std::out_of_range);
    EXPECT_THROW(FactorMax(index), std::out_of_range);
    EXPECT_THROW(FactorToShown(index, 0), std::out_of_range);
    EXPECT_THROW(ShownToFactor(index, 0), std::out_of_range);
  }
}

TEST(ColorFactors, FactorMaxByIndex) {
  const int expected[ColorFactorCount] = {255, 255, 255, 360, 100, 100, 360, 100, 100, 255, 255, 255};
  for (int i = 0; i < ColorFactorCount; ++i) EXPECT_EQ(FactorMax(i), expected[i]) << "index " << i;
}

// --- Derivation from red/green/blue: the documented colours ----------------

struct DerivedCase {
  const char* name;
  int rgb[3];
  int stored[9];  // factors 3..11
  int shown[ColorFactorCount];
  TColor color;
};

TEST(DeriveFromRGB, DocumentedColours) {
  const DerivedCase cases[] = {
      {"pure red",
       {255, 0, 0},
       {0, 256, 255, 6144, 65280, 32768, 19523, 21628, 65280},
       {255, 0, 0, 0, 100, 100, 360, 100, 50, 76, 84, 255},
       0x0000FFu},
      {"mid grey",
       {128, 128, 128},
       {0, 0, 128, 0, 0, 32896, 32768, 32640, 32640},
       {128, 128, 128, 0, 0, 50, 0, 0, 50, 128, 128, 128},
       0x808080u},
      {"black", {0, 0, 0}, {0, 0, 0, 0, 0, 128, 0, 32640, 32640}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 128, 128}, 0x000000u},
      {"white",
       {255, 255, 255},
       {0, 0, 255, 0, 0, 65408, 65280, 32640, 32640},
       {255, 255, 255, 0, 0, 100, 0, 0, 100, 255, 128, 128},
       0xFFFFFFu},
      {"orange",
       {200, 100, 50},
       {20000, 192, 200, 341, 39168, 32128, 31796, 21922, 46480},
       {200, 100, 50, 20, 75, 78, 20, 60, 49, 124, 86, 182},
       0x3264C8u},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TColorFactors f = FromRGB(c.rgb[0], c.rgb[1], c.rgb[2]);
    EXPECT_EQ(f.Red, c.rgb[0]);
    EXPECT_EQ(f.Grn, c.rgb[1]);
    EXPECT_EQ(f.Blu, c.rgb[2]);
    for (int i = 3; i < ColorFactorCount; ++i) EXPECT_EQ(Factor(f, i), c.stored[i - 3]) << "stored factor " << i;
    for (int i = 0; i < ColorFactorCount; ++i)
      EXPECT_EQ(FactorToShown(i, Factor(f, i)), c.shown[i]) << "shown factor " << i;
    EXPECT_EQ(f.Color, c.color);
  }
}

struct SpotCase {
  int rgb[3];
  int index;
  int stored;
  int shown;
};

// Hue, saturation, value and lightness as any colour tool shows them for the
// secondary and primary colours (Python's colorsys gives the same), where no
// rounding rule can make a difference.
TEST(DeriveFromRGB, PrimariesAndSecondariesShowTheirTextbookHueAndSaturation) {
  const struct {
    const char* Name;
    int Rgb[3];
    int Hue;
  } cases[] = {
      {"yellow", {255, 255, 0}, 60}, {"green", {0, 255, 0}, 120},     {"cyan", {0, 255, 255}, 180},
      {"blue", {0, 0, 255}, 240},    {"magenta", {255, 0, 255}, 300},
  };
  for (const auto& c : cases) {
    const TColorFactors f = FromRGB(c.Rgb[0], c.Rgb[1], c.Rgb[2]);
    const int shown[] = {c.Hue, 100, 100, c.Hue, 100, 50};  // HSV hue, sat, value; HSL hue, sat, lightness
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(FactorToShown(3 + i, Factor(f, 3 + i)), shown[i]) << c.Name << " factor " << 3 + i;
  }
}

TEST(DeriveFromRGB, DocumentedSingleFactors) {
  const SpotCase cases[] = {
      // The rounding term is added to a negative numerator too.
      {{255, 0, 255}, 3, 300001, 300},
      {{255, 0, 255}, 6, 5120, 300},
      {{18, 52, 86}, 3, 210001, 210},
      {{18, 52, 86}, 4, 202, 79},
      {{18, 52, 86}, 5, 86, 34},
      {{18, 52, 86}, 6, 3581, 210},
      {{18, 52, 86}, 7, 42683, 65},
      {{18, 52, 86}, 8, 13440, 21},
      // Lightness exactly 32640 still divides by max + min; one step
      // brighter divides by 510 - max - min.
      {{254, 0, 0}, 8, 32640, 50},
      {{254, 0, 0}, 7, 65280, 100},
      {{200, 54, 54}, 7, 146 * 65280 / 254, 57},
      {{201, 54, 54}, 7, 147 * 65280 / 255, 58},
      {{255, 254, 255}, 7, 65280, 100},
      {{1, 0, 0}, 7, 65280, 100},
      // 512 / 3 = 170.67: saturation rounds to nearest.
      {{3, 1, 1}, 4, 171, 67},
  };
  for (const auto& c : cases) {
    const TColorFactors f = FromRGB(c.rgb[0], c.rgb[1], c.rgb[2]);
    EXPECT_EQ(Factor(f, c.index), c.stored) << RGBText(c.rgb[0], c.rgb[1], c.rgb[2]) << " factor " << c.index;
    EXPECT_EQ(FactorToShown(c.index, c.stored), c.shown) << "factor " << c.index;
  }
}

TEST(DeriveFromRGB, PureRedShowsHSVHueZeroButHSLHue360) {
  const TColorFactors f = FromRGB(255, 0, 0);
  EXPECT_EQ(FactorToShown(3, f.Hue), 0);
  EXPECT_EQ(FactorToShown(6, f.HSLHue), 360);
}

TEST(DeriveFromRGB, OutOfRangeChannelsAreLimitedNotDividedByZero) {
  // 300 + 210 = 510 with a nonzero difference is the HSL division by zero.
  TColorFactors f;
  f.Red = 300;
  f.Grn = 210;
  f.Blu = 210;
  DeriveFromRGB(f);
  const TColorFactors expected = FromRGB(255, 210, 210);
  for (int i = 0; i < ColorFactorCount; ++i) EXPECT_EQ(Factor(f, i), Factor(expected, i)) << "factor " << i;
  EXPECT_EQ(f.Color, expected.Color);

  f.Red = -5;
  f.Grn = std::numeric_limits<int>::max();
  f.Blu = std::numeric_limits<int>::min();
  DeriveFromRGB(f);
  EXPECT_EQ(f.Red, 0);
  EXPECT_EQ(f.Grn, 255);
  EXPECT_EQ(f.Blu, 0);
  EXPECT_EQ(f.Color, 0x00FF00u);
}

// --- The inverse routines --------------------------------------------------

struct InverseCase {
  const char* routine;
  void (*convert)(int, int, int, int&, int&, int&);
  int in[3];
  int out[3];
};

TEST(InverseConversions, DocumentedResults) {
  const InverseCase cases[] = {
      {"HSVToRGB", HSVToRGB, {20000, 128, 200}, {200, 134, 100}},
      // 128 x 201 / 256 = 100.5: the levels round to nearest.
      {"HSVToRGB", HSVToRGB, {0, 128, 201}, {201, 101, 101}},
      {"HSLToRGB", HSLToRGB, {0, 65280, 32768}, {255, 1, 1}},
      {"HSLToRGB", HSLToRGB, {6144, 65280, 32768}, {255, 1, 1}},
      {"HSLToRGB", HSLToRGB, {0, 0, 32640}, {127, 127, 127}},
      {"YCbCrToRGB", YCbCrToRGB, {0, 21922, 46480}, {19405, 0, 0}},
      // Saturation 0 and white at the derived lightness limit.
      {"HSVToRGB", HSVToRGB, {123456, 0, 77}, {77, 77, 77}},
      {"HSLToRGB", HSLToRGB, {0, 0, 65408}, {255, 255, 255}},
      {"HSLToRGB", HSLToRGB, {3000, 65280, 0}, {0, 0, 0}},
      {"YCbCrToRGB", YCbCrToRGB, {65280, 65280, 65280}, {65280, 30736, 65280}},
  };
  for (const auto& c : cases) {
    int out[3] = {-1, -1, -1};
    c.convert(c.in[0], c.in[1], c.in[2], out[0], out[1], out[2]);
    EXPECT_EQ(out[0], c.out[0]) << c.routine << RGBText(c.in[0], c.in[1], c.in[2]);
    EXPECT_EQ(out[1], c.out[1]) << c.routine << RGBText(c.in[0], c.in[1], c.in[2]);
    EXPECT_EQ(out[2], c.out[2]) << c.routine << RGBText(c.in[0], c.in[1], c.in[2]);
  }
}

TEST(InverseConversions, HSVSectorsMapToTheirChannels) {
  // Full saturation and value, one hue in the middle of each sector.
  struct Sector {
    int hue;
    int rgb[3];
  };
  const Sector sectors[] = {
      {30000, {255, 128, 0}},  {90000, {128, 255, 0}},  {150000, {0, 255, 128}}, {210000, {0, 128, 255}},
      {270000, {128, 0, 255}}, {330000, {255, 0, 128}}, {360000, {255, 0, 0}},
  };
  for (const auto& s : sectors) {
    int r = -1;
    int g = -1;
    int b = -1;
    HSVToRGB(s.hue, 256, 255, r, g, b);
    EXPECT_EQ(RGBText(r, g, b), RGBText(s.rgb[0], s.rgb[1], s.rgb[2])) << "hue " << s.hue;
  }
}

// --- Derivations from the other groups -------------------------------------

TEST(Derivations, YToZeroOnOrange) {
  TColorFactors f = FromRGB(200, 100, 50);
  f.Y = ShownToFactor(9, 0);
  DeriveFromYCbCr(f);
  EXPECT_EQ(RGBText(f.Red, f.Grn, f.Blu), RGBText(75, 0, 0));
  EXPECT_EQ(f.Y, 0);
  EXPECT_EQ(f.Cb, 21922);
  EXPECT_EQ(f.Cr, 46480);
  const TColorFactors fresh = FromRGB(75, 0, 0);
  EXPECT_EQ(f.Hue, fresh.Hue);
  EXPECT_EQ(f.HSLBri, fresh.HSLBri);
  EXPECT_EQ(f.Color, 0x00004Bu);
}

TEST(Derivations, HSLHueZeroOnPureRedGivesGreenAndBlueOne) {
  TColorFactors f = FromRGB(255, 0, 0);
  f.HSLHue = ShownToFactor(6, 0);
  DeriveFromHSL(f);
  EXPECT_EQ(RGBText(f.Red, f.Grn, f.Blu), RGBText(255, 1, 1));
  EXPECT_EQ(f.HSLHue, 0);
  EXPECT_EQ(f.Color, 0x0101FFu);
}

TEST(Derivations, HSLSaturationZeroLightness50IsGrey127) {
  TColorFactors f = FromRGB(200, 100, 50);
  f.HSLSat = ShownToFactor(7, 0);
  f.HSLBri = ShownToFactor(8, 50);
  DeriveFromHSL(f);
  EXPECT_EQ(RGBText(f.Red, f.Grn, f.Blu), RGBText(127, 127, 127));
  EXPECT_EQ(f.HSLSat, 0);
  EXPECT_EQ(f.HSLBri, 32640);
  EXPECT_EQ(f.Y, 127 * 256);
}

TEST(Derivations, SourceGroupKeepsItsValuesThoughAFreshDerivationDiffers) {
  TColorFactors f = FromRGB(200, 100, 50);
  f.Sat = ShownToFactor(4, 50);
  DeriveFromHSV(f);
  EXPECT_EQ(RGBText(f.Red, f.Grn, f.Blu), RGBText(200, 134, 100));
  EXPECT_EQ(f.Hue, 20000);
  EXPECT_EQ(f.Sat, 128);
  EXPECT_EQ(f.Bri, 200);
  EXPECT_EQ(FactorToShown(3, f.Hue), 20);
  EXPECT_EQ(FactorToShown(4, f.Sat), 50);
  EXPECT_EQ(FactorToShown(5, f.Bri), 78);
  EXPECT_EQ(FromRGB(200, 134, 100).Hue, 20400);
  // The other groups do follow the new red/green/blue.
  const TColorFactors fresh = FromRGB(200, 134, 100);
  for (int i = 6; i < ColorFactorCount; ++i) EXPECT_EQ(Factor(f, i), Factor(fresh, i)) << "factor " << i;
  EXPECT_EQ(f.Color, fresh.Color);
}

TEST(Derivations, EachGroupRebuildsColour) {
  using Derive = void (*)(TColorFactors&);
  for (Derive derive : {Derive(DeriveFromHSV), Derive(DeriveFromHSL), Derive(DeriveFromYCbCr)}) {
    TColorFactors f = FromRGB(18, 52, 86);
    f.Color = 0xDEADBEEFu;
    derive(f);
    EXPECT_EQ(f.Color, static_cast<TColor>(f.Blu << 16 | f.Grn << 8 | f.Red));
  }
}

// --- Stored and shown units ------------------------------------------------

struct TypedCase {
  int index;
  int typed;
  int stored;
};

TEST(ShownToFactor, DocumentedTypedValues) {
  const TypedCase cases[] = {
      {4, 1, 3},      {4, 50, 128}, {4, 99, 253}, {4, 100, 256},   {5, 1, 3},       {5, 50, 128},     {5, 99, 252},
      {5, 100, 255},  {6, 1, 17},   {6, 45, 768}, {6, 100, 1707},  {6, 359, 6127},  {6, 360, 6144},   {7, 1, 653},
      {7, 50, 32640}, {8, 0, 0},    {8, 2, 1306}, {8, 100, 65280}, {9, 128, 32768}, {3, 360, 360000}, {0, 77, 77},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShownToFactor(c.index, c.typed), c.stored) << "factor " << c.index << " typed " << c.typed;
}

TEST(ShownToFactor, LimitsTheTypedNumberFirst) {
  const TypedCase cases[] = {
      {4, -1, 0},
      {4, 101, 256},
      {3, std::numeric_limits<int>::min(), 0},
      {3, std::numeric_limits<int>::max(), 360000},
      {7, std::numeric_limits<int>::max(), 65280},
      {11, 1000, 65280},
      {0, 256, 255},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShownToFactor(c.index, c.typed), c.stored) << "factor " << c.index << " typed " << c.typed;
}

TEST(FactorToShown, TiesRoundAwayFromZero) {
  EXPECT_EQ(FactorToShown(6, 128), 8);       // 7.5
  EXPECT_EQ(FactorToShown(4, 32), 13);       // 12.5
  EXPECT_EQ(FactorToShown(10, 32640), 128);  // 127.5
  EXPECT_EQ(FactorToShown(3, 500), 1);       // 0.5
}

TEST(FactorToShown, EveryTypedValueShowsAgainAsItself) {
  for (int i = 3; i < ColorFactorCount; ++i)
    for (int n = 0; n <= FactorMax(i); ++n) ASSERT_EQ(FactorToShown(i, ShownToFactor(i, n)), n) << "factor " << i;
}

// --- Whole-range properties ------------------------------------------------

// An intermediate that overflowed would be caught by the sanitizers of the
// native build while the sample below runs.
std::string CheckForward(int r, int g, int b) {
  const int max = std::max({r, g, b});
  const int min = std::min({r, g, b});
  const int d = max - min;

  int hue, sat, bri, hslHue, hslSat, hslBri, y, cb, cr;
  RGBToHSV(r, g, b, hue, sat, bri);
  RGBToHSL(r, g, b, hslHue, hslSat, hslBri);
  RGBToYCbCr(r * 256, g * 256, b * 256, y, cb, cr);
  const auto at = [&] { return RGBText(r, g, b); };
  if (hue < 0 || hue > 359999 || sat < 0 || sat > 256 || bri != max) return at() + ": HSV out of range";
  if (hslHue < 0 || hslHue > 6144 || hslSat < 0 || hslSat > 65280 || hslBri < 128 || hslBri > 65408)
    return at() + ": HSL out of range";
  if (y < 0 || y > 65280 || cb < 0 || cb > 65280 || cr < 0 || cr > 65280) return at() + ": YCbCr out of range";
  if ((hslHue == 6144) != (d > 0 && r == max && g == min && b == min))
    return at() + ": HSL hue 6144 where red is not alone at the maximum, or missing";

  // The derivation finds max and min once; it must agree with the routines.
  const TColorFactors f = FromRGB(r, g, b);
  const int separate[9] = {hue, sat, bri, hslHue, hslSat, hslBri, y, cb, cr};
  for (int i = 3; i < ColorFactorCount; ++i)
    if (Factor(f, i) != separate[i - 3]) return at() + ": DeriveFromRGB differs in factor " + std::to_string(i);
  if (f.Color != static_cast<TColor>(b << 16 | g << 8 | r)) return at() + ": Color";
  for (int i = 0; i < ColorFactorCount; ++i) {
    const int shown = FactorToShown(i, Factor(f, i));
    if (shown < 0 || shown > FactorMax(i))
      return at() + ": shown value outside 0..FactorMax of factor " + std::to_string(i);
  }

  // Round trips lose at most these many levels per channel.
  int back[3];
  HSVToRGB(hue, sat, bri, back[0], back[1], back[2]);
  const int rgb[3] = {r, g, b};
  for (int c = 0; c < 3; ++c)
    if (std::abs(back[c] - rgb[c]) > 1) return at() + ": HSV round trip";
  HSLToRGB(hslHue, hslSat, hslBri, back[0], back[1], back[2]);
  for (int c = 0; c < 3; ++c)
    if (std::abs(back[c] - rgb[c]) > 2) return at() + ": HSL round trip";
  YCbCrToRGB(y, cb, cr, back[0], back[1], back[2]);
  for (int c = 0; c < 3; ++c)
    if (std::abs(back[c] / 256 - rgb[c]) > 1) return at() + ": YCbCr round trip";
  return {};
}

// Every third level plus the ones next to the edges and the middle; runs in
// well under a second, also under the sanitizers and Wine.
std::vector<int> SampleLevels() {
  std::vector<int> levels;
  for (int v = 0; v < 256; v += 3) levels.push_back(v);
  for (int v : {1, 2, 126, 127, 128, 129, 253, 254, 255}) levels.push_back(v);
  std::sort(levels.begin(), levels.end());
  levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
  return levels;
}

TEST(ForwardConversions, DenseSampleStaysInRangeAndRoundTrips) {
  const std::vector<int> levels = SampleLevels();
  for (int r : levels)
    for (int g : levels)
      for (int b : levels) {
        const std::string problem = CheckForward(r, g, b);
        ASSERT_TRUE(problem.empty()) << problem;
      }
}

std::vector<int> Grid(int top, int step, std::initializer_list<int> extra) {
  std::vector<int> values;
  for (int v = 0; v <= top; v += step) values.push_back(v);
  values.insert(values.end(), extra);
  return values;
}

TEST(InverseConversions, StoredRangesGiveChannelsInRange) {
  // Sector edges, the lightness switch at 32640 and the derived lightness
  // limits are where the intermediates peak or change form.
  const auto hsvHue = Grid(360000, 4999, {59999, 60000, 119999, 120000, 299999, 300000, 300001, 359999, 360000});
  const auto sat = Grid(256, 1, {});
  const auto levels = Grid(255, 5, {1, 254, 255});
  for (int h : hsvHue)
    for (int s : sat)
      for (int v : levels) {
        int r, g, b;
        HSVToRGB(h, s, v, r, g, b);
        ASSERT_TRUE(r >= 0 && r <= 255 && g >= 0 && g <= 255 && b >= 0 && b <= 255)
            << "HSVToRGB" << RGBText(h, s, v) << " gives " << RGBText(r, g, b);
      }

  const auto hslHue = Grid(6144, 64, {1, 1023, 1024, 5119, 6143, 6144});
  const auto hslSat = Grid(65280, 1020, {1, 65279, 65280});
  const auto hslBri = Grid(65280, 1020, {1, 128, 32639, 32640, 32641, 65279, 65408});
  for (int h : hslHue)
    for (int s : hslSat)
      for (int l : hslBri) {
        int r, g, b;
        HSLToRGB(h, s, l, r, g, b);
        ASSERT_TRUE(r >= 0 && r <= 255 && g >= 0 && g <= 255 && b >= 0 && b <= 255)
            << "HSLToRGB" << RGBText(h, s, l) << " gives " << RGBText(r, g, b);
      }

  const auto chroma = Grid(65280, 1020, {1, 32639, 32640, 32641, 65279, 65280});
  for (int y : chroma)
    for (int cb : chroma)
      for (int cr : chroma) {
        int r, g, b;
        YCbCrToRGB(y, cb, cr, r, g, b);
        ASSERT_TRUE(r >= 0 && r <= 65280 && g >= 0 && g <= 65280 && b >= 0 && b <= 65280)
            << "YCbCrToRGB" << RGBText(y, cb, cr) << " gives " << RGBText(r, g, b);
      }
}

}  // namespace
