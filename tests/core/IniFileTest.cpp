#include "core/support/uIniFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

const std::wstring kHigh{static_cast<wchar_t>(0xD83C)};
const std::wstring kLow{static_cast<wchar_t>(0xDFA8)};

TIniFile Parse(const std::string& bytes) {
  std::optional<TIniFile> ini = TIniFile::FromBytes(bytes);
  EXPECT_TRUE(ini.has_value());
  return ini.value_or(TIniFile{});
}

// What a file written by hand (or by another editor) holds.
TEST(IniFileReadTest, Table) {
  struct TCase {
    std::string File;
    std::wstring Section, Key;
    std::optional<std::wstring> Expected;
  };
  const TCase cases[] = {
      {"[Tintra]\r\nZoomWindow=0\r\n", L"Tintra", L"ZoomWindow", L"0"},
      {"[Tintra]\nZoomWindow=0\n", L"Tintra", L"ZoomWindow", L"0"},
      {"[Tintra]\rZoomWindow=0\r", L"Tintra", L"ZoomWindow", L"0"},
      {"[tintra]\r\nzoomwindow=0", L"TINTRA", L"ZoomWindow", L"0"},
      {"  [ Tintra ]  trailing\r\n\t ZoomWindow \t=\t 0 \t\r\n", L"Tintra", L"ZoomWindow", L"0"},
      {"[Tintra]\r\nHexOrder=1\r\nHexOrder=2\r\n", L"Tintra", L"HexOrder", L"2"},
      {"[Tintra]\r\nA=1\r\n[History]\r\nH1=x\r\n[TINTRA]\r\nA=3\r\n", L"Tintra", L"A", L"3"},
      {"[Tintra]\r\nT=a=b = c\r\n", L"Tintra", L"T", L"a=b = c"},
      {"[Tintra]\r\nT=  inner  spaces  \r\n", L"Tintra", L"T", L"inner  spaces"},
      {"[Tintra]\r\nT=a ; not a comment\r\n", L"Tintra", L"T", L"a ; not a comment"},
      {"[Tintra]\r\nDataDir=C:\\new\\table\\\r\n", L"Tintra", L"DataDir", L"C:\\new\\table\\"},
      {"[Tintra]\r\nT=\"  padded \"\r\n", L"Tintra", L"T", L"  padded "},
      {"[Tintra]\r\nT=\"a\\nb\\r\\tc\\\\d\\\"e\"\r\n", L"Tintra", L"T", L"a\nb\r\tc\\d\"e"},
      {"[Tintra]\r\nT=\"\\q\\u12\\uXYZW\\\"\r\n", L"Tintra", L"T", L"\\q\\u12\\uXYZW\\"},  // not escapes
      {"[Tintra]\r\nT=\"only opening\r\n", L"Tintra", L"T", L"\"only opening"},
      {"Top=1\r\n[Tintra]\r\n", L"", L"Top", L"1"},
      {"[]\r\nE=1\r\n", L"", L"E", L"1"},
      // Lines that are neither entries nor headers hide nothing after them.
      {"[Tintra]\r\n;Zoom=1\r\n#Zoom=2\r\n[broken\r\nZoom\r\nZoom=3\r\n", L"Tintra", L"Zoom", L"3"},
      {"[Tintra]\r\n[broken=1\r\n", L"Tintra", L"[broken", std::nullopt},
      {"[Tintra]\r\nZoom=1\r\n", L"History", L"Zoom", std::nullopt},
      {"[Tintra]\r\nN=a\0b\r\n"s, L"Tintra", L"N", L"a\0b"s},
      {"[Tintra]\r\nLastFile=C:\\\xE8\x89\xB2\\\xE8\xA6\x8B\xE6\x9C\xAC.txt\r\n", L"Tintra", L"LastFile",
       L"C:\\色\\見本.txt"},
  };
  for (const TCase& c : cases) {
    const TIniFile ini = Parse(c.File);
    EXPECT_EQ(ini.Value(c.Section, c.Key), c.Expected) << c.File;
  }
}

TEST(IniFileEncodingTest, Table) {
  // "色=1" under [A], in each form a file may come in.
  struct TCase {
    const char* Name;
    std::string Bytes;
    bool Readable;
  };
  const TCase cases[] = {
      {"UTF-8", "[A]\r\n\xE8\x89\xB2=1", true},
      {"UTF-8 with BOM", "\xEF\xBB\xBF[A]\r\n\xE8\x89\xB2=1", true},
      {"UTF-16LE with BOM", "\xFF\xFE[\0A\0]\0\r\0\n\0\x72\x82=\0001\0"s, true},
      {"UTF-16LE cut short", "\xFF\xFE[\0A\0]\0\r\0\n\0\x72\x82=\0001\0\n"s, false},
      {"UTF-16BE", "\xFE\xFF\0[\0A\0]\0\r\0\n\x82\x72\0=\0001"s, false},
      {"Shift_JIS", "[A]\r\n\x90\x46=1", false},
      {"overlong UTF-8", "[A]\r\n\xC0\xAF=1", false},
      {"empty", "", true},
  };
  for (const TCase& c : cases) {
    const std::optional<TIniFile> ini = TIniFile::FromBytes(c.Bytes);
    ASSERT_EQ(ini.has_value(), c.Readable) << c.Name;
    if (c.Readable && c.Bytes.size() > 3) {
      EXPECT_EQ(ini->Value(L"A", L"色"), L"1") << c.Name;
    }
  }
  // A replacement character written on purpose is text like any other.
  EXPECT_EQ(Parse("[A]\r\nX=\xEF\xBF\xBD").Value(L"A", L"X"), L"\uFFFD");
}

TEST(IniFileWriteTest, KeepsOrderCommentsAndSpellingAndAppendsNewOnes) {
  TIniFile ini = Parse(
      "; written by hand\r\n"
      "[tintra]\r\n"
      "  Zoomwindow = 0  \r\n"
      "# keep me\r\n"
      "stray line\r\n"
      "Columns=1\r\n"
      "\r\n\r\n"
      "[History]\r\n"
      "H2=b\r\n"
      "H1=a\r\n"
      "[Tintra]\r\n"
      "Columns=2\r\n");
  ASSERT_TRUE(ini.SetValue(L"TINTRA", L"ZOOMWINDOW", L"1"));
  ASSERT_TRUE(ini.SetValue(L"Tintra", L"LastFile", L"x.txt"));
  ASSERT_TRUE(ini.SetValue(L"Other", L"V", L"v"));
  EXPECT_TRUE(ini.DeleteValue(L"history", L"h2"));
  EXPECT_EQ(ini.ToText(),
            L"; written by hand\r\n"
            L"\r\n"
            L"[tintra]\r\n"
            L"Zoomwindow=1\r\n"
            L"# keep me\r\n"
            L"stray line\r\n"
            L"Columns=2\r\n"
            L"LastFile=x.txt\r\n"
            L"\r\n"
            L"[History]\r\n"
            L"H1=a\r\n"
            L"\r\n"
            L"[Other]\r\n"
            L"V=v\r\n");
}

// Every text a setting may hold reads back exactly, and plain ones stay
// plain for whoever opens the file in an editor.
TEST(IniFileWriteTest, ValuesRoundTrip) {
  struct TCase {
    std::wstring Value;
    std::wstring Line;  // as written after "K="
  };
  const TCase cases[] = {
      {L"", L""},
      {L"C:\\new\\table\\", L"C:\\new\\table\\"},
      {L"C:\\データ\\色見本.txt", L"C:\\データ\\色見本.txt"},
      {L"say \"hi\"", L"say \"hi\""},
      {L"\"quoted\"", L"\"\"quoted\"\""},
      {L" lead", L"\" lead\""},
      {L"trail\t", L"\"trail\\t\""},
      {L"#{R}{G}{B}\nrgb({r}, {g}, {b})\n", L"\"#{R}{G}{B}\\nrgb({r}, {g}, {b})\\n\""},
      {L"C:\\x\r\nD:\\y", L"\"C:\\\\x\\r\\nD:\\\\y\""},
      {L"nul\0here"s, L"\"nul\\u0000here\""},
      {L"\\u0041", L"\\u0041"},
      {L"; looks like a comment", L"; looks like a comment"},
      {L"\u3000wide spaces\u3000", L"\u3000wide spaces\u3000"},
      {kHigh + L"x", L"\"\\uD83Cx\""},
      {kLow + kHigh, L"\"\\uDFA8\\uD83C\""},
  };
  for (const TCase& c : cases) {
    TIniFile ini;
    ASSERT_TRUE(ini.SetValue(L"S", L"K", c.Value));
    EXPECT_EQ(ini.ToText(), L"[S]\r\nK=" + c.Line + L"\r\n") << c.Line;
    EXPECT_EQ(Parse(ini.ToBytes()).Value(L"S", L"K"), c.Value) << c.Line;
  }
  if constexpr (sizeof(wchar_t) == 2) {  // a whole pair is plain text
    TIniFile ini;
    ASSERT_TRUE(ini.SetValue(L"S", L"K", kHigh + kLow));
    EXPECT_EQ(ini.ToBytes(), "\xEF\xBB\xBF[S]\r\nK=\xF0\x9F\x8E\xA8\r\n");
  }
}

TEST(IniFileNamesTest, NamesTheFormCannotHoldAreRefused) {
  struct TCase {
    std::wstring Section, Key;
    bool Accepted;
  };
  const TCase cases[] = {
      {L"Tintra", L"LastFile", true},
      {L"", L"Top", true},
      {L"A\\B", L"x]y", true},
      {L"[A", L"H1", true},
      {L"Tintra", L"a=b", false},
      {L"Tintra", L" Lead", false},
      {L"Tintra", L"[Key", false},
      {L"Tintra", L";Key", false},
      {L"Tintra", L"line\nbreak", false},
      {L"Tintra", L"x" + kHigh, false},
      {L"A]B", L"K", false},
      {L"A\rB", L"K", false},
  };
  for (const TCase& c : cases) {
    TIniFile ini;
    EXPECT_EQ(ini.SetValue(c.Section, c.Key, L"v"), c.Accepted) << c.Section << L"/" << c.Key;
    if (c.Accepted) {
      EXPECT_EQ(Parse(ini.ToBytes()).Value(c.Section, c.Key), L"v") << c.Section << L"/" << c.Key;
    } else {
      EXPECT_EQ(ini.ToText(), L"");
    }
  }
}

TEST(IniFileGarbageTest, HostileFilesReadWithoutHarm) {
  // A very long line, a lone surrogate in a name, control characters and
  // many repeated keys.
  std::string huge = "[A]\r\nLong=" + std::string(1 << 20, 'x') + "\r\n";
  EXPECT_EQ(Parse(huge).Value(L"A", L"Long")->size(), std::size_t{1} << 20);

  const std::string utf16 = "\xFF\xFE[\0A\0]\0\n\0\x3C\xD8=\0v\0"s;  // key is a lone U+D83C
  const TIniFile mended = Parse(utf16);
  EXPECT_EQ(mended.KeyNames(L"A"), std::vector<std::wstring>{L"\uFFFD"});
  EXPECT_EQ(mended.ToBytes(), "\xEF\xBB\xBF[A]\r\n\xEF\xBF\xBD=v\r\n");

  const std::string binary = "\x01\x02[\x7F]\x00\x00=\x00\r\r\n\n\xEF\xBB\xBF=\t"s;
  const TIniFile odd = Parse(binary);
  EXPECT_EQ(Parse(odd.ToBytes()), odd);
}

TEST(IniFileGarbageTest, ReadingWhatWasWrittenChangesNothing) {
  const std::string files[] = {
      "",
      "Top=1\r\n;c\r\n",
      "[A]\r\nK=\"\\u0000\"\r\n[]\r\nX=1",
      "[A]\nK=1\n[a]\nk=2\n[B]\n\n\n",
      "[A]\r\nv=\"a\\\"\r\n[broken\r\n=\r\n",
      "\xEF\xBB\xBF\xEF\xBB\xBF=1",  // a second BOM is a key's first character
  };
  for (const std::string& file : files) {
    const TIniFile first = Parse(file);
    const TIniFile second = Parse(first.ToBytes());
    EXPECT_EQ(second, first) << file;
    EXPECT_EQ(second.ToBytes(), first.ToBytes()) << file;
  }
}

}  // namespace
