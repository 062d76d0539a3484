// The resources linked into the program (and into this test exe).
#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

TEST(Resources, JapaneseVersionStringsCarryTheBuildNumber) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path, &handle);
  ASSERT_GT(size, 0u);
  std::vector<unsigned char> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
  wchar_t* text = nullptr;
  UINT len = 0;
  ASSERT_TRUE(
      VerQueryValueW(data.data(), L"\\StringFileInfo\\041103a4\\FileVersion", reinterpret_cast<void**>(&text), &len));
  std::wstring version(text);
  EXPECT_TRUE(std::regex_match(version, std::wregex(L"1\\.0\\.0\\.[0-9]+"))) << version.c_str();
  wchar_t* desc = nullptr;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\041103a4\\FileDescription",
                             reinterpret_cast<void**>(&desc), &len));
  EXPECT_EQ(std::wstring(desc), L"Tintra カラーピッカー");
}

TEST(Resources, IconAndManifestArePresent) {
  HMODULE self = GetModuleHandleW(nullptr);
  EXPECT_NE(FindResourceW(self, L"MAINICON", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */), nullptr);
  EXPECT_NE(FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */), nullptr);
}
