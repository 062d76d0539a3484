// The recent-files list: order, limit, duplicates, menu captions and the
// registry values, also those an earlier version left.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/TBXMRUList.h"
#include "framework/Handles.h"
#include "support/uRegistry.h"

namespace {

using TPaths = std::vector<std::wstring>;

const wchar_t kKey[] = L"SOFTWARE\\ZORVEK\\TintraMRUTest";
const wchar_t kHistory[] = L"SOFTWARE\\ZORVEK\\TintraMRUTest\\History";

class RecentFiles : public testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    list.SetMaxItems(5);
    list.SetPrefix(L"H");
    list.SetHidePathExtension(false);
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
  static bool HasValue(const wchar_t* name) {
    fw::TUniqueKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kHistory, 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return false;
    return ::RegQueryValueExW(key.Get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  }
  TTBXMRUList list;
};

TEST_F(RecentFiles, NewestFirstAtMostFiveSameFileIgnoringCaseMovesUp) {
  for (const wchar_t* p : {L"C:\\1.txt", L"C:\\2.txt", L"C:\\A\\x.txt", L"C:\\4.txt", L"C:\\5.txt"}) list.Add(p);
  list.Add(L"c:\\a\\X.TXT");
  EXPECT_EQ(list.Items(), (TPaths{L"c:\\a\\X.TXT", L"C:\\5.txt", L"C:\\4.txt", L"C:\\2.txt", L"C:\\1.txt"}));
  list.Add(L"C:\\6.txt");
  EXPECT_EQ(list.Items(), (TPaths{L"C:\\6.txt", L"c:\\a\\X.TXT", L"C:\\5.txt", L"C:\\4.txt", L"C:\\2.txt"}));
  list.Add(L"");
  EXPECT_EQ(list.Items().size(), 5u);
}

TEST_F(RecentFiles, PathsAreMadeAbsolute) {
  wchar_t cwd[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, cwd);
  std::wstring dir = cwd;
  if (dir.back() != L'\\') dir += L'\\';
  list.Add(L"colors.txt");
  list.Add(L"C:\\a\\..\\b\\c.txt");
  EXPECT_EQ(list.Items(), (TPaths{L"C:\\b\\c.txt", dir + L"colors.txt"}));
}

TEST_F(RecentFiles, CaptionsNumberTheEntriesAndShowAmpersandsLiterally) {
  list.SetMaxItems(40);
  for (int i = 39; i >= 0; --i) list.Add(L"C:\\R&D\\" + std::to_wstring(i) + L".txt");
  EXPECT_EQ(list.Caption(0), L"&1 C:\\R&&D\\0.txt");
  EXPECT_EQ(list.Caption(8), L"&9 C:\\R&&D\\8.txt");
  EXPECT_EQ(list.Caption(9), L"&A C:\\R&&D\\9.txt");
  EXPECT_EQ(list.Caption(34), L"&Z C:\\R&&D\\34.txt");
  EXPECT_EQ(list.Caption(35), L"C:\\R&&D\\35.txt");
}

TEST_F(RecentFiles, MenuShowsTheEntriesBetweenTheSeparatorsAndAClickReopens) {
  fw::TActionList actions;
  fw::TMainMenu menu(actions);
  fw::TMenuItem& file = menu.Add(L"F");
  fw::TMenuItem& first = file.AddSeparator();
  file.AddSeparator();
  fw::TUniqueMenu bar(menu.Build());
  HMENU sub = ::GetSubMenu(bar.Get(), 0);
  list.SetMenu(&menu, &first);
  list.Add(L"C:\\a.txt");
  list.Add(L"C:\\b&c.txt");
  ASSERT_EQ(::GetMenuItemCount(sub), 4);
  wchar_t text[64] = {};
  ::GetMenuStringW(sub, 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&1 C:\\b&&c.txt");
  ::GetMenuStringW(sub, 2, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&2 C:\\a.txt");

  TPaths clicked;
  TPaths orderSeen;
  list.OnClick = [&](fw::TObject*, const std::wstring& name) {
    clicked.push_back(name);
    orderSeen = list.Items();
  };
  ASSERT_TRUE(menu.Click(static_cast<WORD>(::GetMenuItemID(sub, 2))));
  EXPECT_EQ(clicked, (TPaths{L"C:\\a.txt"}));
  EXPECT_EQ(orderSeen, (TPaths{L"C:\\a.txt", L"C:\\b&c.txt"}));  // already at the top
  ::GetMenuStringW(sub, 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&1 C:\\a.txt");
  list.Clear();
  EXPECT_EQ(::GetMenuItemCount(sub), 2);
}

TEST_F(RecentFiles, EarlierVersionsH0BecomesNewestAndItsValuesGo) {
  SetRegistryVal(HKEY_CURRENT_USER, kHistory, L"H0", L"C:\\old.txt");
  SetRegistryVal(HKEY_CURRENT_USER, kHistory, L"H1", L"C:\\one.txt");
  SetRegistryVal(HKEY_CURRENT_USER, kHistory, L"H3", L"C:\\three.txt");  // H2 missing: the gap closes
  SetRegistryVal(HKEY_CURRENT_USER, kHistory, L"Count", L"2");
  list.LoadFromRegIni(HKEY_CURRENT_USER, kKey, L"History");
  EXPECT_EQ(list.Items(), (TPaths{L"C:\\old.txt", L"C:\\one.txt", L"C:\\three.txt"}));
  EXPECT_FALSE(HasValue(L"H0"));
  EXPECT_FALSE(HasValue(L"Count"));

  list.SaveToRegIni(HKEY_CURRENT_USER, kKey, L"History");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kHistory, L"H1"), L"C:\\old.txt");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kHistory, L"H3"), L"C:\\three.txt");
  EXPECT_FALSE(HasValue(L"H4"));
  EXPECT_FALSE(HasValue(L"H5"));
}

TEST_F(RecentFiles, LongPathsSurviveARestart) {
  const std::wstring longPath = L"C:\\" + std::wstring(300, L'd') + L"\\colors.txt";
  SetRegistryVal(HKEY_CURRENT_USER, kHistory, L"H5", L"C:\\stale.txt");
  list.Add(L"C:\\short.txt");
  list.Add(longPath);
  list.SaveToRegIni(HKEY_CURRENT_USER, kKey, L"History");
  EXPECT_FALSE(HasValue(L"H5"));

  TTBXMRUList next;
  next.SetMaxItems(5);
  next.SetPrefix(L"H");
  next.LoadFromRegIni(HKEY_CURRENT_USER, kKey, L"History");
  EXPECT_EQ(next.Items(), (TPaths{longPath, L"C:\\short.txt"}));
}

}  // namespace
