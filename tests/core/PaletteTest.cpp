#include "core/colorout/uPalette.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include <string>
#include <vector>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uPaletteAse.h"
#include "core/colorout/uPaletteCss.h"
#include "core/colorout/uPaletteGpl.h"
#include "core/colorout/uPaletteJson.h"

namespace {

using Entries = std::vector<TPaletteEntry>;

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

const Entries kSmall = {
    {MakeColor(18, 52, 86), L"Dark blue"},
    {MakeColor(255, 128, 0), L""},
    {MakeColor(0, 0, 0), L"a\"b\\c\nd"},
};

// Comments with what each format must carry: CJK, a character beyond the
// BMP, quotes, a backslash, a tab.
const Entries kVaried = {
    {MakeColor(0, 0, 0), L"black"},
    {MakeColor(255, 255, 255), L"\u767D \u3057\u308D"},
    {MakeColor(255, 0, 0), L"\"quoted\" back\\slash"},
    {MakeColor(0, 255, 0), L"\U0001F600 emoji"},
    {MakeColor(0, 0, 255), L""},
    {MakeColor(18, 52, 86), L"same name"},
    {MakeColor(128, 128, 128), L"same name"},
    {MakeColor(1, 2, 3), L"tab\there"},
};

TEST(PaletteExport, GplIsWhatGimpWrites) {
  EXPECT_EQ(ExportGpl(kSmall, L"Test"),
            "GIMP Palette\nName: Test\nColumns: 0\n#\n"
            " 18  52  86\tDark blue\n"
            "255 128   0\n"
            "  0   0   0\ta\"b\\c d\n");
}

TEST(PaletteExport, CssNamesComeFromComments) {
  EXPECT_EQ(ExportCss(kSmall),
            ":root {\n"
            "  --dark-blue: #123456;\n"
            "  --color-2: #ff8000;\n"
            "  --a-b-c-d: #000000;\n"
            "}\n");
}

TEST(PaletteExport, CssNamesAreTrimmedAndUnique) {
  const Entries entries = {
      {0, L"  Primary -- Blue!! "}, {0, L"primary blue"}, {0, L"***"}, {0, L"color-4"},
      {0, L"\u8D64\u3000\u8272"},   {0, L"2nd"},          {0, L"CamelCase"}, {0, L"color 4"},
  };
  const std::vector<std::string> expected = {
      "primary-blue", "primary-blue-2", "color-3", "color-4",
      "\xE8\xB5\xA4-\xE8\x89\xB2",  // 赤 and 色 around an ideographic space
      "2nd", "camelcase", "color-4-2",
  };
  EXPECT_EQ(CssPropertyNames(entries), expected);
}

// Numbers go on past names taken by other entries, and a list of one shared
// comment as long as an import allows is named in linear time (it hung).
TEST(PaletteExport, CssNamesNumberOnPastTakenOnes) {
  const Entries entries = {{0, L"a-3"}, {0, L"a"}, {0, L"a"}, {0, L"a"}, {0, L"a-2"}, {0, L"a"}};
  const std::vector<std::string> expected = {"a-3", "a", "a-2", "a-4", "a-2-2", "a-5"};
  EXPECT_EQ(CssPropertyNames(entries), expected);

  const Entries same(kMaxPaletteEntries, TPaletteEntry{0, L"sky"});
  const std::vector<std::string> names = CssPropertyNames(same);
  ASSERT_EQ(names.size(), same.size());
  EXPECT_EQ(names[1], "sky-2");
  EXPECT_EQ(names.back(), "sky-" + std::to_string(kMaxPaletteEntries));
}

TEST(PaletteExport, JsonEscapesComments) {
  EXPECT_EQ(ExportJson(kSmall),
            "[\n"
            "  {\"r\":18,\"g\":52,\"b\":86,\"hex\":\"#123456\",\"comment\":\"Dark blue\"},\n"
            "  {\"r\":255,\"g\":128,\"b\":0,\"hex\":\"#ff8000\",\"comment\":\"\"},\n"
            "  {\"r\":0,\"g\":0,\"b\":0,\"hex\":\"#000000\",\"comment\":\"a\\\"b\\\\c\\nd\"}\n"
            "]\n");
  EXPECT_EQ(ExportJson({}), "[]\n");
  EXPECT_EQ(ExportJson(Entries{{0, std::wstring(L"\x01\x7F", 2)}}),
            "[\n  {\"r\":0,\"g\":0,\"b\":0,\"hex\":\"#000000\",\"comment\":\"\\u0001\\u007f\"}\n]\n");
}

TEST(PaletteExport, AseBytesAreBigEndianRgbFloats) {
  const Entries entries = {{MakeColor(255, 128, 18), L"A"}};
  // 1.0f is 3F800000; 128/255 and 18/255 as floats are 3F008081 and 3D909091.
  EXPECT_EQ(ExportAse(entries), Bytes({'A', 'S', 'E', 'F', 0, 1, 0, 0, 0, 0, 0, 1,            //
                                       0, 1, 0, 0, 0, 24, 0, 2, 0, 'A', 0, 0, 'R', 'G', 'B', ' ',  //
                                       0x3F, 0x80, 0, 0, 0x3F, 0, 0x80, 0x81, 0x3D, 0x90, 0x90, 0x91, 0, 2}));
  EXPECT_EQ(ExportAse({}), Bytes({'A', 'S', 'E', 'F', 0, 1, 0, 0, 0, 0, 0, 0}));
}

TEST(PaletteRoundTrip, EveryFormatGivesBackItsColours) {
  for (TPaletteFormat format : {TPaletteFormat::Gpl, TPaletteFormat::Css, TPaletteFormat::Json, TPaletteFormat::Ase}) {
    const TPaletteImport back = ImportPalette(format, ExportPalette(format, kVaried, L"Round trip"));
    ASSERT_TRUE(back.Ok()) << static_cast<int>(format);
    ASSERT_EQ(back.entries.size(), kVaried.size()) << static_cast<int>(format);
    for (std::size_t i = 0; i < kVaried.size(); ++i) EXPECT_EQ(back.entries[i].color, kVaried[i].color) << i;
  }
}

TEST(PaletteRoundTrip, CommentsSurviveWhereTheFormatKeepsThem) {
  // A list row holds one line, so a tab (like any control character) comes
  // back as a space; everything else survives, except in CSS, which keeps
  // the property name made from the comment.
  Entries expected = kVaried;
  expected.back().comment = L"tab here";
  for (TPaletteFormat format : {TPaletteFormat::Gpl, TPaletteFormat::Json, TPaletteFormat::Ase})
    EXPECT_EQ(ImportPalette(format, ExportPalette(format, kVaried, L"")).entries, expected) << static_cast<int>(format);
  const TPaletteImport css = ImportCss(ExportCss(kVaried));
  const std::vector<std::wstring> names = {L"black",      L"\u767D-\u3057\u308D", L"quoted-back-slash", L"\U0001F600-emoji",
                                           L"color-5",    L"same-name",            L"same-name-2",       L"tab-here"};
  ASSERT_EQ(css.entries.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(css.entries[i].comment, names[i]) << i;
  for (TPaletteFormat format : {TPaletteFormat::Gpl, TPaletteFormat::Json, TPaletteFormat::Ase}) {
    const TPaletteImport empty = ImportPalette(format, ExportPalette(format, {}, L""));
    EXPECT_TRUE(empty.Ok()) << static_cast<int>(format);
    EXPECT_TRUE(empty.entries.empty());
  }
}

TEST(PaletteRoundTrip, EveryChannelValueSurvivesAse) {
  Entries ramp;
  for (int v = 0; v < 256; ++v) ramp.push_back({MakeColor(v, 255 - v, v ^ 0x55), L""});
  EXPECT_EQ(ImportAse(ExportAse(ramp)).entries, ramp);
}

TEST(ImportGpl, ReadsWhatOtherProgramsWrite) {
  const std::string file =
      "\xEF\xBB\xBFGIMP Palette\r\nName: Web\r\nColumns: 16\r\n# a comment\r\n\r\n"
      "255   0   0\tRed\r\n  0 128 0 Green  \r\n0\t0\t255\r\n  1 2 3\tUntitled\r\n";
  const TPaletteImport r = ImportGpl(file);
  ASSERT_TRUE(r.Ok()) << std::string(r.error.begin(), r.error.end()).size();
  EXPECT_EQ(r.entries, (Entries{{MakeColor(255, 0, 0), L"Red"},
                                {MakeColor(0, 128, 0), L"Green"},
                                {MakeColor(0, 0, 255), L""},
                                {MakeColor(1, 2, 3), L"Untitled"}}));
}

TEST(ImportGpl, ControlCharactersBecomeSpacesAndAreTrimmed) {
  // Found by fuzzing: a control character at the end of a name, cleaned to
  // a space, did not come back through export and import.
  const TPaletteImport r = ImportGpl("GIMP Palette\n1 2 3 \x01na\x7Fme\x02\n4 5 6\t\x03\n");
  EXPECT_EQ(r.entries, (Entries{{MakeColor(1, 2, 3), L"na me"}, {MakeColor(4, 5, 6), L""}}));
}

TEST(ImportGpl, RefusesWholeFilesItCannotRead) {
  const std::string bad[] = {
      "",
      "JASC-PAL\n0100\n",
      "GIMP Palette\n1 2\n",
      "GIMP Palette\n1 2 3\n1 2 256\n",  // nothing of a half-read file
      "GIMP Palette\n1 2 3x\n",
      "GIMP Palette\n-1 2 3\n",
      "GIMP Palette\nred green blue\n",
      "GIMP Palette\n99999999999999999999 0 0\n",
  };
  for (const std::string& file : bad) {
    const TPaletteImport r = ImportGpl(file);
    EXPECT_FALSE(r.Ok()) << file;
    EXPECT_TRUE(r.entries.empty()) << file;
  }
}

TEST(ImportCss, FindsHexColoursInAnyText) {
  const std::string file =
      ":root {\n  --brand: #123456;\n  --accent:#F80;\n}\n"
      "a { color: #abcdef; border: 1px solid #ABCDEF80; }\n"
      "#header { background: #fff } /* #1234567 #12 #abcdefg */\n";
  const TPaletteImport r = ImportCss(file);
  ASSERT_TRUE(r.Ok());
  EXPECT_EQ(r.entries, (Entries{{MakeColor(0x12, 0x34, 0x56), L"brand"},
                                {MakeColor(0xFF, 0x88, 0x00), L"accent"},
                                {MakeColor(0xAB, 0xCD, 0xEF), L""},
                                {MakeColor(0xAB, 0xCD, 0xEF), L""},
                                {MakeColor(0xFF, 0xFF, 0xFF), L""}}));
}

TEST(ImportCss, ReadsEveryNotationAndCountsTheLinesItSkipped) {
  const std::string file =
      "/* brand */\n:root {\n  --brand: rgb(18 52 86);\n  --warm: hsl(30, 100%, 50%) !important;\n"
      "  --deep: lab(44.12 10.95 -59.09);\n  --none: transparent;\n  --gap: 4px;\n}\n"
      "a { color: RebeccaPurple; background: oklch(0.7 0.4 150) }\nnavy\nnot a colour\n";
  const TPaletteImport r = ImportCss(file);
  ASSERT_TRUE(r.Ok());
  EXPECT_EQ(r.entries, (Entries{{MakeColor(18, 52, 86), L"brand"},
                                {MakeColor(255, 128, 0), L"warm"},
                                {MakeColor(0x33, 0x66, 0xCC), L"deep"},
                                {MakeColor(0x66, 0x33, 0x99), L""},
                                {MakeColor(0x00, 0xBE, 0x58), L""},
                                {MakeColor(0, 0, 128), L""}}));
  EXPECT_EQ(r.skippedLines, 3u);  // transparent, 4px, the prose
}

TEST(ImportCss, ReadsUtf16WithItsMark) {
  const std::string file = Bytes({0xFF, 0xFE, '#', 0, '1', 0, '2', 0, '3', 0, '4', 0, '5', 0, '6', 0, '\n', 0});
  EXPECT_EQ(ImportCss(file).entries, (Entries{{MakeColor(0x12, 0x34, 0x56), L""}}));
}

TEST(ImportCss, NoColourIsAnError) {
  for (const std::string file : {"", "body { color: currentcolor; }", "#1234567 #ab", "\xFF\xFE"}) {
    const TPaletteImport r = ImportCss(file);
    EXPECT_FALSE(r.Ok()) << file;
    EXPECT_TRUE(r.entries.empty());
  }
}

TEST(ImportJson, ReadsTheShapeLeniently) {
  const std::string file =
      "\xEF\xBB\xBF [ {\"hex\":\"#A0b1C2\"},\n"
      "{\"r\":1,\"g\":2,\"b\":3,\"comment\":\"caf\\u00e9 \\ud83d\\ude00 \\/\",\"extra\":{\"deep\":[1,2.5e3,null,true,false,\"s\"]}},"
      "{\"comment\":\"both\",\"r\":255,\"g\":0,\"b\":0,\"hex\":\"#FF0000\"},"
      "{\"r\":0,\"g\":0,\"b\":0,\"comment\":\"lone \\ud800 surrogate\"} ] \n";
  const TPaletteImport r = ImportJson(file);
  ASSERT_TRUE(r.Ok()) << r.error.size();
  EXPECT_EQ(r.entries, (Entries{{MakeColor(0xA0, 0xB1, 0xC2), L""},
                                {MakeColor(1, 2, 3), L"caf\u00E9 \U0001F600 /"},
                                {MakeColor(255, 0, 0), L"both"},
                                {MakeColor(0, 0, 0), L"lone \uFFFD surrogate"}}));
  EXPECT_TRUE(ImportJson("[]").Ok());
}

TEST(ImportJson, RefusesWholeFilesItCannotRead) {
  const std::string bad[] = {
      "",
      "{}",
      "[",
      "[{\"r\":1,\"g\":2,\"b\":3},]",
      "[{\"r\":1,\"g\":2,\"b\":3}] x",
      "[{\"r\":256,\"g\":0,\"b\":0}]",
      "[{\"r\":-1,\"g\":0,\"b\":0}]",
      "[{\"r\":1.5,\"g\":0,\"b\":0}]",
      "[{\"r\":01,\"g\":0,\"b\":0}]",
      "[{\"r\":1,\"g\":2}]",
      "[{\"r\":1,\"g\":2,\"b\":3,\"hex\":\"#010204\"}]",
      "[{\"hex\":\"#12345\"}]",
      "[{\"hex\":\"123456\"}]",
      "[{\"hex\":\"#123456\",\"comment\":\"unterminated}]",
      "[{\"hex\":\"#123456\",\"comment\":\"bad \\x escape\"}]",
      "[{\"hex\":\"#123456\",\"comment\":5}]",
      "[{\"hex\":\"#123456\" \"comment\":\"\"}]",
      "[{\"hex\":\"#123456\",\"x\":tru}]",
      "[{\"hex\":\"#123456\",\"comment\":\"raw\ttab\"}]",
      "[{\"r\":1,\"g\":2,\"b\":3}][]",
      "[1]",
      "[{\"hex\":\"#123456\",\"x\":" + std::string(40, '[') + std::string(40, ']') + "}]",
  };
  for (const std::string& file : bad) {
    const TPaletteImport r = ImportJson(file);
    EXPECT_FALSE(r.Ok()) << file;
    EXPECT_TRUE(r.entries.empty()) << file;
  }
}

TEST(ImportJson, EveryCutOfAFileFails) {
  const std::string file = ExportJson(kVaried);
  for (std::size_t n = 0; n + 2 < file.size(); ++n) EXPECT_FALSE(ImportJson(file.substr(0, n)).Ok()) << n;
}

TEST(ImportAse, ReadsGroupsGrayAndCmyk) {
  // A group around a Gray 0.5 swatch named "G", then CMYK (0, 1, 1, 0) as red.
  const std::string file = Bytes({'A', 'S', 'E', 'F', 0, 1, 0, 0, 0, 0, 0, 4,
                                  0xC0, 0x01, 0, 0, 0, 6, 0, 2, 0, 'g', 0, 0,  // group "g"
                                  0, 1, 0, 0, 0, 16, 0, 2, 0, 'G', 0, 0, 'G', 'r', 'a', 'y', 0x3F, 0, 0, 0, 0, 0,
                                  0xC0, 0x02, 0, 0, 0, 0,
                                  0, 1, 0, 0, 0, 26, 0, 1, 0, 0, 'C', 'M', 'Y', 'K',
                                  0, 0, 0, 0, 0x3F, 0x80, 0, 0, 0x3F, 0x80, 0, 0, 0, 0, 0, 0, 0, 2});
  const TPaletteImport r = ImportAse(file);
  ASSERT_TRUE(r.Ok());
  EXPECT_EQ(r.entries, (Entries{{MakeColor(128, 128, 128), L"G"}, {MakeColor(255, 0, 0), L""}}));
}

// One unnamed ASE file of a single swatch in the given model.
std::string AseSwatch(const char* model, std::initializer_list<float> values) {
  std::string out = Bytes({'A', 'S', 'E', 'F', 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0,
                           static_cast<int>(2 + 2 + 4 + 4 * values.size() + 2), 0, 1, 0, 0});
  out += model;
  for (float v : values) {
    const auto bits = std::bit_cast<std::uint32_t>(v);
    out += Bytes({static_cast<int>(bits >> 24), static_cast<int>(bits >> 16 & 0xFF), static_cast<int>(bits >> 8 & 0xFF),
                  static_cast<int>(bits & 0xFF)});
  }
  return out + Bytes({0, 2});
}

TEST(ImportAse, ConvertsLabFromD50) {
  struct Case {
    float L, a, b;  // L as the file keeps it, 0..1
    int red, green, blue;
  };
  // sRGB primaries and greys in CIE Lab (D50) as published for CSS Color 4;
  // L* 50 is the well-known #777777.
  const Case cases[] = {
      {1.0f, 0, 0, 255, 255, 255},          {0, 0, 0, 0, 0, 0},
      {0.5f, 0, 0, 119, 119, 119},          {0.5429f, 80.81f, 69.89f, 255, 0, 0},
      {0.8782f, -79.27f, 80.99f, 0, 255, 0}, {0.2957f, 68.29f, -112.03f, 0, 0, 255},
  };
  for (const Case& c : cases) {
    const TPaletteImport r = ImportAse(AseSwatch("LAB ", {c.L, c.a, c.b}));
    ASSERT_TRUE(r.Ok());
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0].color, MakeColor(c.red, c.green, c.blue)) << c.L << " " << c.a << " " << c.b;
  }
  EXPECT_EQ(ImportAse(AseSwatch("Gray", {1.0f})).entries[0].color, MakeColor(255, 255, 255));
  EXPECT_EQ(ImportAse(AseSwatch("CMYK", {0, 0, 0, 1.0f})).entries[0].color, MakeColor(0, 0, 0));
  EXPECT_EQ(ImportAse(AseSwatch("RGB ", {2.0f, -1.0f, 0.5f})).entries[0].color, MakeColor(255, 0, 128));
  EXPECT_FALSE(ImportAse(AseSwatch("HSB ", {0, 0, 0})).Ok());
}

TEST(ImportAse, RefusesWholeFilesItCannotRead) {
  const std::string valid = ExportAse(kVaried);
  // Every cut of a valid file, short of its last swatch type, fails.
  for (std::size_t n = 0; n + 2 < valid.size(); ++n) EXPECT_FALSE(ImportAse(valid.substr(0, n)).Ok()) << n;
  const std::string shortLab = Bytes({'A', 'S', 'E', 'F', 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 18, 0, 1, 0, 0,
                                      'L', 'A', 'B', ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0, 2});
  const std::string nan = Bytes({'A', 'S', 'E', 'F', 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 12, 0, 1, 0, 0,
                                 'G', 'r', 'a', 'y', 0x7F, 0xC0, 0, 0, 0, 2});
  const std::string overlong = Bytes({'A', 'S', 'E', 'F', 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF});
  const std::string nameOverrun = Bytes({'A', 'S', 'E', 'F', 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 6, 0xFF, 0xFF,
                                         'G', 'r', 'a', 'y'});
  for (const std::string& file : {shortLab, nan, overlong, nameOverrun, std::string("ASEF"), std::string("GIMP Palette")}) {
    const TPaletteImport r = ImportAse(file);
    EXPECT_FALSE(r.Ok());
    EXPECT_TRUE(r.entries.empty());
  }
}

TEST(PaletteImport, RefusesFilesOverTheSizeLimit) {
  const std::string huge = "GIMP Palette\n" + std::string(kMaxPaletteBytes, '\n');
  for (TPaletteFormat format : {TPaletteFormat::Gpl, TPaletteFormat::Css, TPaletteFormat::Json, TPaletteFormat::Ase})
    EXPECT_FALSE(ImportPalette(format, huge).Ok()) << static_cast<int>(format);
  EXPECT_TRUE(ImportGpl(huge.substr(0, kMaxPaletteBytes)).Ok());
}

TEST(PaletteImport, RefusesTooManyColours) {
  std::string gpl = "GIMP Palette\n";
  for (std::size_t i = 0; i <= kMaxPaletteEntries; ++i) gpl += "1 2 3\n";
  EXPECT_FALSE(ImportGpl(gpl).Ok());
  std::string css;
  for (std::size_t i = 0; i <= kMaxPaletteEntries; ++i) css += "#123\n";
  EXPECT_FALSE(ImportCss(css).Ok());
}

TEST(PaletteFormatFromFileName, ByExtensionIgnoringCase) {
  EXPECT_EQ(PaletteFormatFromFileName(L"C:\\a\\web.GPL"), TPaletteFormat::Gpl);
  EXPECT_EQ(PaletteFormatFromFileName(L"x.css"), TPaletteFormat::Css);
  EXPECT_EQ(PaletteFormatFromFileName(L"x.Txt"), TPaletteFormat::Css);
  EXPECT_EQ(PaletteFormatFromFileName(L"x.json"), TPaletteFormat::Json);
  EXPECT_EQ(PaletteFormatFromFileName(L"x.ase"), TPaletteFormat::Ase);
  EXPECT_FALSE(PaletteFormatFromFileName(L"x.aco"));
  EXPECT_FALSE(PaletteFormatFromFileName(L"gpl"));
  EXPECT_FALSE(PaletteFormatFromFileName(L""));
}

}  // namespace
