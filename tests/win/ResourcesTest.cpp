// The resources linked into the program (and into this test exe).
#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

// A Japanese and an English block, both with the build number; the
// Japanese one comes first, as the about box reads it.
TEST(Resources, VersionStringsInJapaneseAndEnglishCarryTheBuildNumber) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path, &handle);
  ASSERT_GT(size, 0u);
  std::vector<unsigned char> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
  const struct {
    const wchar_t* block;
    const wchar_t* description;
  } blocks[] = {{L"041103a4", L"Tintra カラーピッカー"}, {L"040904b0", L"Tintra colour picker"}};
  for (const auto& b : blocks) {
    wchar_t* text = nullptr;
    UINT len = 0;
    const std::wstring base = std::wstring(L"\\StringFileInfo\\") + b.block + L"\\";
    ASSERT_TRUE(VerQueryValueW(data.data(), (base + L"FileVersion").c_str(), reinterpret_cast<void**>(&text), &len));
    EXPECT_TRUE(std::regex_match(std::wstring(text), std::wregex(L"1\\.0\\.0\\.[0-9]+"))) << text;
    ASSERT_TRUE(
        VerQueryValueW(data.data(), (base + L"FileDescription").c_str(), reinterpret_cast<void**>(&text), &len));
    EXPECT_EQ(std::wstring(text), b.description);
  }
  DWORD* translations = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &len));
  ASSERT_EQ(len, 8u);
  EXPECT_EQ(translations[0], MAKELONG(0x411, 932));
  EXPECT_EQ(translations[1], MAKELONG(0x409, 1200));
}

TEST(Resources, IconAndManifestArePresent) {
  HMODULE self = GetModuleHandleW(nullptr);
  EXPECT_NE(FindResourceW(self, L"MAINICON", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */), nullptr);
  EXPECT_NE(FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */), nullptr);
}
