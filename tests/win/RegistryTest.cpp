#include "framework/support/uRegistry.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/Handles.h"

namespace {

const wchar_t kKey[] = L"SOFTWARE\\ZORVEK\\TintraTest";

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
  void TearDown() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    fw::TUniqueKey gone;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, gone.Put()), ERROR_SUCCESS);
  }
  // Writes raw data, bypassing SetRegistryVal, to see how reads treat it.
  static void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    fw::TUniqueKey key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, key.Put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(key.Get(), name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
  }
};

TEST_F(RegistryTest, WrittenTextsReadBack) {
  const std::wstring pair{static_cast<wchar_t>(0xD83C), static_cast<wchar_t>(0xDFA8)};
  const std::wstring texts[] = {
      L"", L"abc", L"C:\\データ\\色見本.txt", L"0,1,2,3,4,5,6", pair + L"x", std::wstring(255, L'w'),
  };
  for (const std::wstring& text : texts) {
    SetRegistryVal(HKEY_CURRENT_USER, kKey, L"Value", text);
    EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Value"), text) << text.size();
  }
}

TEST_F(RegistryTest, SetWritesRegSzWithItsZero) {
  SetRegistryVal(HKEY_CURRENT_USER, kKey, L"LastFile", L"abc");
  fw::TUniqueKey key;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, key.Put()), ERROR_SUCCESS);
  DWORD type = 0, bytes = 0;
  ASSERT_EQ(::RegQueryValueExW(key.Get(), L"LastFile", nullptr, &type, nullptr, &bytes), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, 4 * sizeof(wchar_t));
}

TEST_F(RegistryTest, SetCreatesNestedKeysAndOverwrites) {
  const std::wstring sub = std::wstring(kKey) + L"\\History\\Deeper";
  SetRegistryVal(HKEY_CURRENT_USER, sub, L"0", L"first");
  SetRegistryVal(HKEY_CURRENT_USER, sub, L"0", L"second");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, sub, L"0"), L"second");
}

TEST_F(RegistryTest, TheDefaultValueIsAValueToo) {
  SetRegistryVal(HKEY_CURRENT_USER, kKey, L"", L"default");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L""), L"default");
}

TEST_F(RegistryTest, ProblemsReadAsEmpty) {
  SetRegistryVal(HKEY_CURRENT_USER, kKey, L"Present", L"here");
  struct TCase {
    const char* Name;
    std::wstring Key, Value;
  };
  const TCase cases[] = {
      {"missing value", kKey, L"Absent"},
      {"missing key", std::wstring(kKey) + L"\\Nope", L"Present"},
      {"empty path", L"", L"Present"},
  };
  for (const TCase& c : cases) EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, c.Key, c.Value), L"") << c.Name;
  EXPECT_EQ(GetRegistryVal(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)), kKey, L"Present"), L"");
}

TEST_F(RegistryTest, ValuesThatDoNotFitTheBufferReadAsEmpty) {
  for (std::size_t length : {256u, 300u, 5000u}) {
    SetRegistryVal(HKEY_CURRENT_USER, kKey, L"Long", std::wstring(length, L'x'));
    EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Long"), L"") << length;
  }
}

TEST_F(RegistryTest, TheTypeIsIgnoredAndTheTextEndsAtTheFirstZero) {
  const DWORD number = 0x41;  // bytes 41 00 00 00: "A", then a zero
  PutRaw(L"Dword", REG_DWORD, &number, sizeof(number));
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Dword"), L"A");

  const wchar_t expand[] = L"%TEMP%\\x";
  PutRaw(L"Expand", REG_EXPAND_SZ, expand, sizeof(expand));
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Expand"), L"%TEMP%\\x");  // not expanded

  const wchar_t embedded[] = L"ab\0cd";
  PutRaw(L"Embedded", REG_SZ, embedded, sizeof(embedded));
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Embedded"), L"ab");
}

TEST_F(RegistryTest, DataWithoutAZeroIsNotReadPastItsEnd) {
  const wchar_t unterminated[] = {L'a', L'b'};
  PutRaw(L"Raw", REG_BINARY, unterminated, sizeof(unterminated));
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Raw"), L"ab");

  const unsigned char odd[] = {'a', 0, 'b'};  // a half unit at the end is dropped
  PutRaw(L"Odd", REG_BINARY, odd, sizeof(odd));
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Odd"), L"a");
}

TEST_F(RegistryTest, CreateFailureRaisesWithItsText) {
  try {
    SetRegistryVal(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)), kKey, L"v", L"t");
    FAIL();
  } catch (const ERegistryError& e) {
    EXPECT_EQ(e.Message(), L"SetRegistryVal: RegCreateKeyEx failed");
  }
}

TEST_F(RegistryTest, SetValueFailureRaisesWithItsText) {
  // No registry accepts a value name this long.
  const std::wstring name(20000, L'n');
  try {
    SetRegistryVal(HKEY_CURRENT_USER, kKey, name, L"t");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_NE(dynamic_cast<const ERegistryError*>(&e), nullptr);
    EXPECT_EQ(e.Message(), L"SetRegistryVal: RegSetValueEx failed");
  }
}

TEST_F(RegistryTest, LongReaderReadsPathsOfAnyLengthByTheSameRules) {
  for (std::size_t length : {0u, 255u, 256u, 5000u, 40000u}) {
    const std::wstring path = L"C:\\色\\" + std::wstring(length, L'p');
    SetRegistryVal(HKEY_CURRENT_USER, kKey, L"LastFile", path);
    EXPECT_EQ(GetRegistryLongVal(HKEY_CURRENT_USER, kKey, L"LastFile"), path) << length;
    EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"LastFile"), path.size() < 256 ? path : L"") << length;
  }
  const wchar_t embedded[] = L"ab\0cd";
  PutRaw(L"Embedded", REG_SZ, embedded, sizeof(embedded));
  EXPECT_EQ(GetRegistryLongVal(HKEY_CURRENT_USER, kKey, L"Embedded"), L"ab");
  EXPECT_EQ(GetRegistryLongVal(HKEY_CURRENT_USER, kKey, L"Absent"), L"");
  EXPECT_EQ(GetRegistryLongVal(HKEY_CURRENT_USER, L"", L"LastFile"), L"");
  DeleteRegistryVal(HKEY_CURRENT_USER, kKey, L"LastFile");
  DeleteRegistryVal(HKEY_CURRENT_USER, kKey, L"LastFile");  // absent: no error
  EXPECT_EQ(GetRegistryLongVal(HKEY_CURRENT_USER, kKey, L"LastFile"), L"");
}

}  // namespace
