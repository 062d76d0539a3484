#include "core/colorlist/uColorListFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/colorlist/uColorListCell.h"
#include "core/colorlist/uCommaText.h"
#include "tests/core/ByteCodec.h"

namespace {

const TByteCodec kLatin1(0x100);
const TByteCodec kAscii(0x80);

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }
std::string Bytes(std::initializer_list<unsigned char> list) { return std::string(list.begin(), list.end()); }

struct TReadCase {
  const char* Name;
  std::string Input;
  std::vector<TColorListItem> Items;
};

const std::vector<TReadCase> kReadCases = {
    {"EmptyFile", "", {}},
    {"OneLine", "255,128,0,\"sky\"\r\n", {{255, 128, 0, L"sky"}}},
    {"DoubledQuote", "1,2,3,\"ab\"\"c\"\r\n", {{1, 2, 3, L"ab\"c"}}},
    {"CommaAndSpacesInQuotes", "1,2,3,\" a, b \"\r\n", {{1, 2, 3, L" a, b "}}},
    {"LastLineWithoutEnd", "1,2,3,\"a\"\r\n4,5,6,x", {{1, 2, 3, L"a"}, {4, 5, 6, L"x"}}},
    {"SpaceAfterEachComma", "1, 2, 3, \"c\"", {{1, 2, 3, L"c"}}},
    {"BlanksAroundFields", " \t1 ,2\t, 3 ,\"c\" ", {{1, 2, 3, L"c"}}},
    {"UnquotedCommentEndsAtSpace", "1,2,3,my comment", {{1, 2, 3, L"my"}}},
    {"BlanksAloneSeparate", "1 2\t3 c", {{1, 2, 3, L"c"}}},
    {"ItemRightAfterClosingQuote", "1,2,3,\"a\"b", {{1, 2, 3, L"a"}}},
    {"UnterminatedQuoteRunsToEnd", "1,2,3,\"a,b", {{1, 2, 3, L"a,b"}}},
    {"EmptyQuoted", "1,2,3,\"\"", {{1, 2, 3, L""}}},
    {"EmptyFourthBetweenCommas", "1,2,3,,\"c\"", {{1, 2, 3, L""}}},
    {"TrailingCommaAddsEmptyItem", "1,2,3,", {{1, 2, 3, L""}}},
    {"CommaThenBlankAtEndAddsNothing", "1,2,3, ", {}},
    {"ExtraFieldsIgnored", "1,2,3,\"c\",junk,\"more\"", {{1, 2, 3, L"c"}}},
    {"BadLinesSkippedWithoutGap",
     "1,2,3\r\nabc,2,3,\"x\"\r\n4,5,6,\"y\"\r\n\r\n7,8,9,\"z\"",
     {{4, 5, 6, L"y"}, {7, 8, 9, L"z"}}},
    {"NoClamping", "300,-5,2147483647,\"\"", {{300, -5, INT_MAX, L""}}},
    {"OutOfRangeSkipped", "2147483648,0,0,\"\"\n$FFFFFFFF,0,0,\"\"", {}},
    {"ConvertedForms", "007,$FF,0x10,c\n+5,-0X10,x1f,d", {{7, 255, 16, L"c"}, {5, -16, 31, L"d"}}},
    {"QuotedNumbers", "\"1\",\" 2\",3,c", {{1, 2, 3, L"c"}}},
    {"LfAndCrLines", "1,1,1,a\n2,2,2,b\r3,3,3,c", {{1, 1, 1, L"a"}, {2, 2, 2, L"b"}, {3, 3, 3, L"c"}}},
    {"LfCrGivesSkippedEmptyLine", "1,1,1,a\n\r2,2,2,b", {{1, 1, 1, L"a"}, {2, 2, 2, L"b"}}},
    {"Byte26EndsALine",
     "1,1,1,a\x1A"
     "2,2,2,b\x1A",
     {{1, 1, 1, L"a"}, {2, 2, 2, L"b"}}},
    {"ZeroEndsTheLine", std::string("1,2,3,\"ab\0cd\"\r\n4,5,6,\"e\"", 23), {{1, 2, 3, L"ab"}, {4, 5, 6, L"e"}}},
    {"ZeroBeforeFourthField", std::string("1,2,3\0,\"x\"", 10), {}},
    {"NotAColourList", "Hello, world\r\nThis is text.\r\n", {}},
    {"AnsiBytesDecoded", "1,2,3,\"caf\xE9\"", {{1, 2, 3, L"caf\u00E9"}}},
    {"Utf8Bom", U8(u8"\uFEFF1,2,3,\"日本\"\r\n4,5,6,a\u3000b"), {{1, 2, 3, L"日本"}, {4, 5, 6, L"a\u3000b"}}},
    {"Utf8BomMalformedLineDropped",
     "\xEF\xBB\xBF"
     "1,2,3,\"\xC3(\xF0\x9F\"\n4,5,6,ok",
     {{4, 5, 6, L"ok"}}},
    {"Utf8BomSupplementary", U8(u8"\uFEFF1,2,3,\"\U0001F600\""), {{1, 2, 3, L"\U0001F600"}}},
    {"Utf16LeBom",
     Bytes({0xFF, 0xFE, '1', 0, ',', 0, '2', 0, ',', 0, '3', 0, ',', 0, 0xE5, 0x65, 0x0D, 0, 0x0A, 0,
            '4',  0,    ',', 0, '5', 0, ',', 0, '6', 0, ',', 0, 'x', 0, 0x00, 0x30, 'y',  0, 0x0D, 0}),
     {{1, 2, 3, L"\u65E5"}, {4, 5, 6, L"x\u3000y"}}},
    {"Utf16LeZeroUnitEndsLine",
     Bytes({0xFF, 0xFE, '1', 0, ',', 0, '2', 0, ',', 0, '3', 0, ',', 0, 'a', 0, 0, 0, 'b', 0, '\n', 0, '7', 0}),
     {{1, 2, 3, L"a"}}},
};

TEST(ColorListRead, Cases) {
  for (const TReadCase& c : kReadCases) EXPECT_EQ(ColorListRead(c.Input, kLatin1), c.Items) << c.Name;
}

// What the reader says about a file besides its items: nothing for an empty
// one, "not a colour list" when nothing was accepted, and the lines a save
// would lose otherwise.
struct TCheckCase {
  const char* Name;
  std::string Input;
  const TAnsiCodec& Codec;
  std::size_t ItemCount;
  std::size_t UnreadableCount;
  std::vector<std::size_t> Lines;
  TColorListReadNotice Notice;
};

const auto kNone = TColorListReadNotice::None;
const auto kNotAList = TColorListReadNotice::NotAColorList;
const auto kSomeLost = TColorListReadNotice::UnreadableLines;
const std::string kPngStart("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x02\0\0\0\x90\x91h6", 33);

const std::vector<TCheckCase> kCheckCases = {
    {"ZeroBytes", "", kLatin1, 0, 0, {}, kNone},
    {"Utf8BomOnly", "\xEF\xBB\xBF", kLatin1, 0, 0, {}, kNone},
    {"Utf16LeBomOnly", "\xFF\xFE", kLatin1, 0, 0, {}, kNone},
    {"Utf16BeBomOnly", "\xFE\xFF", kLatin1, 0, 0, {}, kNone},
    {"BlanksAndLineEndsOnly", " \t\r\n\r\n\n\x1A", kLatin1, 0, 0, {}, kNone},
    {"BomThenBlanks", "\xEF\xBB\xBF \r\n", kLatin1, 0, 0, {}, kNone},
    {"Utf16BomThenBlanks", Bytes({0xFF, 0xFE, ' ', 0, 0x0D, 0, 0x0A, 0}), kLatin1, 0, 0, {}, kNone},
    {"PictureIsNotAList", kPngStart, kLatin1, 0, 3, {1, 4, 5}, kNotAList},
    {"ProseIsNotAList", "Hello, world\r\nThis is text.\r\n", kLatin1, 0, 2, {1, 2}, kNotAList},
    {"ZerosOnlyAreNotAList", std::string(4, '\0'), kLatin1, 0, 1, {1}, kNotAList},
    {"AllGood", "1,2,3,a\r\n4,5,6,b\r\n", kLatin1, 2, 0, {}, kNone},
    // Line 3 is empty: nothing is lost there.
    {"SomeBadLinesNamed", "1,2,3,a\r\nabc\r\n\r\n4,5,6,b\r\n1,2\r\n", kLatin1, 2, 2, {2, 5}, kSomeLost},
    {"BlankLineWithSpacesIsNotBad", "1,2,3,a\r\n   \t\r\n", kLatin1, 1, 0, {}, kNone},
    {"FirstFiveNamedAllCounted",
     "x\n1,1,1,a\nx\nx\n\nx\nx\nx\nx\n2,2,2,b",
     kLatin1,
     2,
     7,
     {1, 3, 4, 6, 7},
     kSomeLost},
    // LF CR ends two lines: line 2 is the empty one between them.
    {"LfCrNumbersTwoLines", "x\n\ry\n1,2,3,a", kLatin1, 1, 2, {1, 3}, kSomeLost},
    {"ZeroCutsAGoodLineShort", std::string("1,2,3,\"ab\0cd\"\r\n4,5,6,e", 22), kLatin1, 2, 1, {1}, kSomeLost},
    {"ZeroBeforeTheComment", std::string("1,2,3\0,\"x\"\n4,5,6,e", 18), kLatin1, 1, 1, {1}, kSomeLost},
    {"AnsiBytesOutsideTheCodePage", "1,2,3,caf\xE9\r\n4,5,6,x", kAscii, 1, 1, {1}, kSomeLost},
    {"AnsiBytesInsideTheCodePage", "1,2,3,caf\xE9\r\n4,5,6,x", kLatin1, 2, 0, {}, kNone},
    {"Utf8Truncated", "\xEF\xBB\xBF" "1,1,1,\"\xE6\x97\"\n2,2,2,ok", kLatin1, 1, 1, {1}, kSomeLost},
    {"Utf8Overlong", "\xEF\xBB\xBF" "2,2,2,ok\n1,1,1,\xC0\xAF", kLatin1, 1, 1, {2}, kSomeLost},
    {"Utf8EncodedSurrogate", "\xEF\xBB\xBF" "2,2,2,ok\n1,1,1,\xED\xA0\x80", kLatin1, 1, 1, {2}, kSomeLost},
    {"Utf8PastTheLastCodePoint", "\xEF\xBB\xBF" "2,2,2,ok\n1,1,1,\xF4\x90\x80\x80", kLatin1, 1, 1, {2}, kSomeLost},
    {"Utf8LiteralReplacementCharacterIsGood", "\xEF\xBB\xBF" "1,1,1,\xEF\xBF\xBD", kLatin1, 1, 0, {}, kNone},
    {"Utf16LeLoneSurrogate",
     Bytes({0xFF, 0xFE, '1', 0, ',', 0, '2', 0, ',', 0, '3', 0, ',', 0, 0x00, 0xD8, '\n', 0, '7', 0, ',', 0, '8', 0, ',',
            0, '9', 0, ',', 0, 'x', 0}),
     kLatin1,
     1,
     1,
     {1},
     kSomeLost},
    {"Utf16LeStrayLastByte",
     Bytes({0xFF, 0xFE, '1', 0, ',', 0, '2', 0, ',', 0, '3', 0, ',', 0, 'a', 0, '\n', 0, '7', 0, ',', 0, '8', 0, ',', 0,
            '9', 0, ',', 0, 'x', 0, 'y'}),
     kLatin1,
     1,
     1,
     {2},
     kSomeLost},
    // UTF-16 text without a mark is full of zero bytes.
    {"Utf16WithoutBomIsNotAList", Bytes({'1', 0, ',', 0, '2', 0, ',', 0, '3', 0, ',', 0, 'a', 0}), kLatin1, 0, 1, {1},
     kNotAList},
};

TEST(ColorListReadChecked, SaysWhatASaveWouldLose) {
  for (const TCheckCase& c : kCheckCases) {
    const TColorListReadResult r = ColorListReadChecked(c.Input, c.Codec);
    EXPECT_EQ(r.Items.size(), c.ItemCount) << c.Name;
    EXPECT_EQ(r.UnreadableCount, c.UnreadableCount) << c.Name;
    EXPECT_EQ(r.UnreadableLines, c.Lines) << c.Name;
    EXPECT_EQ(ColorListReadNoticeOf(r), c.Notice) << c.Name;
    EXPECT_EQ(r.NotAColorList, c.Notice == kNotAList) << c.Name;
  }
}

// A platform codec that only marks what it cannot decode, as Windows does
// without MB_ERR_INVALID_CHARS: the reader still counts the line.
class TMarkingCodec : public TAnsiCodec {
 public:
  bool EncodeExact(std::wstring_view, std::string&) const override { return false; }
  std::wstring Decode(std::string_view bytes) const override {
    std::wstring text;
    for (char c : bytes) text += static_cast<unsigned char>(c) < 0x80 ? static_cast<wchar_t>(c) : L'\uFFFD';
    return text;
  }
};

TEST(ColorListReadChecked, ACodecThatMarksUndecodableBytesStillCountsTheLine) {
  const TColorListReadResult r = ColorListReadChecked("1,2,3,\"\x81\"\r\n4,5,6,x\r\n", TMarkingCodec());
  EXPECT_EQ(r.Items, (std::vector<TColorListItem>{{4, 5, 6, L"x"}}));
  EXPECT_EQ(r.UnreadableLines, std::vector<std::size_t>{1});
}

TEST(ColorListReadChecked, Utf16BigEndianMarkReadsAsSuch) {
  // 日 is U+65E5: bytes 65 E5 in big-endian order, E5 65 in little-endian.
  const std::string be = Bytes({0xFE, 0xFF, 0, '1', 0, ',', 0, '2', 0, ',', 0, '3', 0, ',', 0, '"', 0x65, 0xE5, 0, '"',
                                0, 0x0D, 0, 0x0A, 0, '4', 0, ',', 0, '5', 0, ',', 0, '6', 0, ',', 0xD8, 0x3D, 0xDE,
                                0x00, 0, 0x0D});
  const TColorListReadResult r = ColorListReadChecked(be, kLatin1);
  const std::vector<TColorListItem> expected = {{1, 2, 3, L"\u65E5"}, {4, 5, 6, L"\U0001F600"}};
  EXPECT_EQ(r.Items, expected);
  EXPECT_EQ(r.UnreadableCount, 0u);
}

TEST(ColorListReadChecked, LatinTextStartingLikeABigEndianMarkIsWrittenAsUtf8) {
  // Latin-1 "\u00FE\u00FF" would be bytes FE FF, read back as UTF-16BE.
  const std::vector<TColorListRow> rows = {{L"\u00FE\u00FF1", L"2", L"3", L""}};
  const std::string bytes = ColorListWrite(rows, kLatin1);
  EXPECT_EQ(bytes, U8(u8"\uFEFF\u00FE\u00FF1,2,3,\"\"\r\n"));
}

const TColorListReadTexts kJapanese{L"ﾌｧｲﾙ {0} は色ﾘｽﾄのﾌｧｲﾙではありません。",
                                    L"ﾌｧｲﾙ {0} には読み込めない行が {1} 行あります ({2} 行目{3})。\r\n"
                                    L"保存すると、これらの行の内容は失われます。開きますか？",
                                    L"ほか"};

TEST(ColorListReadMessage, NamesTheFileTheCountAndTheFirstLines) {
  TColorListReadResult notAList;
  notAList.UnreadableCount = 3;
  notAList.UnreadableLines = {1, 2, 3};
  notAList.NotAColorList = true;
  EXPECT_EQ(ColorListReadMessage(notAList, L"C:\\絵\\photo.png", kJapanese),
            L"ﾌｧｲﾙ C:\\絵\\photo.png は色ﾘｽﾄのﾌｧｲﾙではありません。");

  TColorListReadResult some;
  some.Items.resize(4);
  some.UnreadableCount = 2;
  some.UnreadableLines = {3, 9};
  EXPECT_EQ(ColorListReadMessage(some, L"a.txt", kJapanese),
            L"ﾌｧｲﾙ a.txt には読み込めない行が 2 行あります (3, 9 行目)。\r\n"
            L"保存すると、これらの行の内容は失われます。開きますか？");
  some.UnreadableCount = 12;
  some.UnreadableLines = {1, 2, 4, 8, 16};
  EXPECT_EQ(ColorListReadMessage(some, L"a.txt", kJapanese),
            L"ﾌｧｲﾙ a.txt には読み込めない行が 12 行あります (1, 2, 4, 8, 16 行目ほか)。\r\n"
            L"保存すると、これらの行の内容は失われます。開きますか？");

  TColorListReadResult fine;
  fine.Items.resize(1);
  EXPECT_EQ(ColorListReadMessage(fine, L"a.txt", kJapanese), L"");
  EXPECT_EQ(ColorListReadMessage(TColorListReadResult{}, L"empty.txt", kJapanese), L"");
}

struct TWriteCase {
  const char* Name;
  std::vector<TColorListRow> Rows;
  const TAnsiCodec& Codec;
  std::string Bytes;
};

const std::vector<TWriteCase> kWriteCases = {
    {"EmptyListNoBytes", {}, kLatin1, ""},
    {"OneRow", {{L"255", L"128", L"0", L"sky"}}, kLatin1, "255,128,0,\"sky\"\r\n"},
    {"QuoteDoubled", {{L"1", L"2", L"3", L"ab\"c"}}, kLatin1, "1,2,3,\"ab\"\"c\"\r\n"},
    {"NothingElseEscaped", {{L"1", L"2", L"3", L" a, b "}}, kLatin1, "1,2,3,\" a, b \"\r\n"},
    {"CellsAsTyped",
     {{L"abc", L"007", L"", L""}, {L"1", L"2", L"3", L"x"}},
     kLatin1,
     "abc,007,,\"\"\r\n1,2,3,\"x\"\r\n"},
    {"LineBreaksBecomeSpaces",
     {{L"1", L"2", L"3",
       std::wstring(L"a\r\nb\x1A"
                    L"c\0d",
                    8)}},
     kLatin1,
     "1,2,3,\"a  b c d\"\r\n"},
    {"CodePageTextExact", {{L"1", L"2", L"3", L"caf\u00E9"}}, kLatin1, "1,2,3,\"caf\xE9\"\r\n"},
    // One character outside the code page puts the whole file in UTF-8.
    {"OutsideCodePageWholeFileUtf8",
     {{L"1", L"2", L"3", L"caf\u00E9"}, {L"4", L"5", L"6", L"\u65E5\u672C"}},
     kLatin1,
     U8(u8"\uFEFF1,2,3,\"caf\u00E9\"\r\n4,5,6,\"\u65E5\u672C\"\r\n")},
    {"AsciiCodecUtf8ForLatin", {{L"1", L"2", L"3", L"caf\u00E9"}}, kAscii, U8(u8"\uFEFF1,2,3,\"caf\u00E9\"\r\n")},
    // Latin-1 bytes EF BB BF at the start would read back as a UTF-8 mark.
    {"BomLookalikeGoesUtf8",
     {{L"\u00EF\u00BB\u00BF1", L"2", L"3", L""}},
     kLatin1,
     U8(u8"\uFEFF\u00EF\u00BB\u00BF1,2,3,\"\"\r\n")},
};

TEST(ColorListWrite, Cases) {
  for (const TWriteCase& c : kWriteCases) EXPECT_EQ(ColorListWrite(c.Rows, c.Codec), c.Bytes) << c.Name;
}

TEST(ColorListWrite, ReadsBackEveryComment) {
  const std::vector<std::wstring> comments = {
      L"",
      L"plain",
      L"\"",
      L"\"\"quoted\"\"",
      L"a,b",
      L"  lead and trail  ",
      L"caf\u00E9",
      L"\u65E5\u672C\u8A9E",
      L"a\u3000b",
      L"\U0001F600",
      L"x\"\u3000\",y",
      L"tab\there",
  };
  for (const TByteCodec* codec : {&kLatin1, &kAscii}) {
    std::vector<TColorListRow> rows;
    std::vector<TColorListItem> expected;
    int n = 0;
    for (const std::wstring& comment : comments) {
      rows.push_back({std::to_wstring(n), std::to_wstring(255 - n), std::to_wstring(-n), comment});
      expected.push_back({n, 255 - n, -n, comment});
      ++n;
    }
    EXPECT_EQ(ColorListRead(ColorListWrite(rows, *codec), *codec), expected);
    // Each comment alone too: the encoding is chosen per file.
    for (std::size_t i = 0; i < rows.size(); ++i)
      EXPECT_EQ(ColorListRead(ColorListWrite({rows[i]}, *codec), *codec), std::vector{expected[i]}) << i;
  }
}

TEST(ColorListWrite, NonNumberCellIsDroppedOnReading) {
  const std::string bytes = ColorListWrite({{L"abc", L"1", L"2", L"lost"}, {L"3", L"4", L"5", L"kept"}}, kLatin1);
  EXPECT_EQ(bytes, "abc,1,2,\"lost\"\r\n3,4,5,\"kept\"\r\n");
  EXPECT_EQ(ColorListRead(bytes, kLatin1), (std::vector<TColorListItem>{{3, 4, 5, L"kept"}}));
}

TEST(ColorListStream, SavesAtAndLoadsFromThePosition) {
  TMemoryStream stream;
  stream.WriteBuffer("HDR", 3);
  ColorListSaveToStream(stream, {{L"1", L"2", L"3", L"a"}}, kLatin1);
  stream.SetPosition(3);
  EXPECT_EQ(ColorListLoadFromStream(stream, kLatin1), (std::vector<TColorListItem>{{1, 2, 3, L"a"}}));
}

struct TIntCase {
  const wchar_t* Text;
  bool Ok;
  std::int32_t Value;
};

TEST(ColorListToInt, Forms) {
  const TIntCase cases[] = {
      {L"0", true, 0},
      {L"007", true, 7},
      {L"+5", true, 5},
      {L"-5", true, -5},
      {L"  12", true, 12},
      {L"$FF", true, 255},
      {L"$ff", true, 255},
      {L"x1F", true, 31},
      {L"X1f", true, 31},
      {L"0x10", true, 16},
      {L"0X10", true, 16},
      {L"-$10", true, -16},
      {L"2147483647", true, INT_MAX},
      {L"-2147483648", true, INT_MIN},
      {L"$7FFFFFFF", true, INT_MAX},
      {L"-$80000000", true, INT_MIN},
      {L"0000000000002147483647", true, INT_MAX},
      {L"2147483648", false, 0},
      {L"-2147483649", false, 0},
      {L"$80000000", false, 0},
      {L"$FFFFFFFF", false, 0},
      {L"99999999999999999999", false, 0},
      {L"", false, 0},
      {L" ", false, 0},
      {L"12 ", false, 0},
      {L"\t12", false, 0},
      {L"1a", false, 0},
      {L"abc", false, 0},
      {L"$", false, 0},
      {L"0x", false, 0},
      {L"x", false, 0},
      {L"+", false, 0},
      {L"--1", false, 0},
      {L"$-1", false, 0},
      {L"- 1", false, 0},
      {L"0x0x1", false, 0},
      {L"$$1", false, 0},
      {L"1.0", false, 0},
      {L"\uFF11\uFF12", false, 0},  // full-width digits
  };
  for (const TIntCase& c : cases) {
    std::int32_t value = -777;
    EXPECT_EQ(ColorListToInt(c.Text, value), c.Ok) << "'" << testing::PrintToString(std::wstring(c.Text)) << "'";
    EXPECT_EQ(value, c.Ok ? c.Value : -777) << testing::PrintToString(std::wstring(c.Text));
  }
}

TEST(ColorListCell, ChannelIsDecimalLimitedToByte) {
  const std::pair<const wchar_t*, std::int32_t> cases[] = {
      {L"0", 0},   {L"128", 128},       {L"255", 255}, {L"256", 255}, {L"300", 255}, {L"-5", 0},  {L"+7", 7},
      {L"007", 7}, {L"abc", 0},         {L"", 0},      {L"$FF", 0},   {L"0x10", 0},  {L" 12", 0}, {L"12 ", 0},
      {L"-", 0},   {L"99999999999", 0}, {L"18", 18},   {L"12a", 0},
  };
  for (const auto& [text, channel] : cases)
    EXPECT_EQ(CellToChannel(text), channel) << testing::PrintToString(std::wstring(text));
}

TEST(ColorListCell, CommentStaysOneLine) {
  EXPECT_EQ(SanitizeCommentText(std::wstring(L"a\rb\nc\x1A"
                                             L"d\0e\u3000f\t",
                                             12)),
            L"a b c d e\u3000f\t");
}

}  // namespace

namespace {

// The same rule serves the saved column layout, where every item counts.
TEST(SplitCommaText, KeepsEveryItemUpToTheLimit) {
  const struct {
    const wchar_t* Text;
    std::size_t Max;
    std::vector<std::wstring> Items;
  } cases[] = {
      {L"0,25,1,30,2,40", 100, {L"0", L"25", L"1", L"30", L"2", L"40"}},
      {L"0,25,1,30,2,40", 3, {L"0", L"25", L"1"}},
      {L" a , \"b,\"\"c\"\" \" ,,d,", 100, {L"a", L"b,\"c\" ", L"", L"d", L""}},
      {L"\u3000x\u3000y", 100, {L"\u3000x\u3000y"}},
      {L"", 100, {}},
      {L" \t ", 100, {}},
      {L"a,b", 0, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::wstring> items = {L"stale", L"stale", L"stale", L"stale", L"stale", L"stale", L"stale"};
    EXPECT_EQ(SplitCommaText(c.Text, items, c.Max), c.Items.size()) << testing::PrintToString(std::wstring(c.Text));
    EXPECT_EQ(items, c.Items) << testing::PrintToString(std::wstring(c.Text));
  }
}

}  // namespace
