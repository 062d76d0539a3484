// The recent-files list: order, limit, duplicates, menu captions and the
// registry values, also those an earlier version left.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/document/TBXMRUList.h"
#include "framework/support/uRegistry.h"

namespace {

using TPaths = std::vector<std::wstring>;

const wchar_t kKey[] = L"SOFTWARE\\ZORVEK\\TintraMRUTest";
const wchar_t kHistory[] = L"SOFTWARE\\ZORVEK\\TintraMRUTest\\History";

class RecentFiles : public testing::Test {
 protected:
  void SetUp() override {
    for (TTBXMRUList* l : {&list, &next}) {
      l->SetMaxItems(5);
      l->SetPrefix(L"H");
      l->SetHidePathExtension(false);
    }
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
  static bool Has(const wchar_t* name) { return GetRegistryVal(HKEY_CURRENT_USER, kHistory, name) != L""; }
  TTBXMRUList list, next;
};

TEST_F(RecentFiles, NewestFirstAtMostFiveAbsoluteSameFileIgnoringCaseMovesUp) {
  for (const wchar_t* p : {L"C:\\1.txt", L"C:\\2.txt", L"C:\\A\\x.txt", L"C:\\4.txt", L"C:\\5.txt"}) list.Add(p);
  list.Add(L"c:\\a\\X.TXT");
  EXPECT_EQ(list.Items(), (TPaths{L"c:\\a\\X.TXT", L"C:\\5.txt", L"C:\\4.txt", L"C:\\2.txt", L"C:\\1.txt"}));
  list.Add(L"C:\\b\\..\\6.txt");
  EXPECT_EQ(list.Items(), (TPaths{L"C:\\6.txt", L"c:\\a\\X.TXT", L"C:\\5.txt", L"C:\\4.txt", L"C:\\2.txt"}));
}

TEST_F(RecentFiles, CaptionsNumberTheEntriesAndShowAmpersandsLiterally) {
  list.SetMaxItems(40);
  for (int i = 39; i >= 0; --i) list.Add(L"C:\\R&D\\" + std::to_wstring(i) + L".txt");
  const std::pair<std::size_t, const wchar_t*> cases[] = {{0, L"&1 C:\\R&&D\\0.txt"},
                                                          {8, L"&9 C:\\R&&D\\8.txt"},
                                                          {9, L"&A C:\\R&&D\\9.txt"},
                                                          {34, L"&Z C:\\R&&D\\34.txt"},
                                                          {35, L"C:\\R&&D\\35.txt"}};
  for (const auto& [index, caption] : cases) EXPECT_EQ(list.Caption(index), caption);
}

TEST_F(RecentFiles, TheMenuShowsTheEntriesAndAClickMovesOneUpBeforeItOpens) {
  fw::TActionList actions;
  fw::TMainMenu menu(actions);
  fw::TMenuItem& file = menu.Add(L"F");
  fw::TMenuItem& first = file.AddSeparator();
  fw::TUniqueMenu bar(menu.Build());
  HMENU sub = ::GetSubMenu(bar.Get(), 0);
  list.SetMenu(&menu, &first);
  list.Add(L"C:\\a.txt");
  list.Add(L"C:\\b&c.txt");
  auto text = [&](UINT pos) {
    wchar_t buf[64] = {};
    ::GetMenuStringW(sub, pos, buf, 64, MF_BYPOSITION);
    return std::wstring(buf);
  };
  // The entries bring their own closing separator.
  EXPECT_EQ(::GetMenuItemCount(sub), 4);
  EXPECT_TRUE(::GetMenuState(sub, 3, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(text(1), L"&1 C:\\b&&c.txt");
  EXPECT_EQ(text(2), L"&2 C:\\a.txt");
  TPaths seen;
  list.OnClick = [&](fw::TObject*, const std::wstring& name) { seen = {name, list.Items().front()}; };
  ASSERT_TRUE(menu.Click(static_cast<WORD>(::GetMenuItemID(sub, 2))));
  EXPECT_EQ(seen, (TPaths{L"C:\\a.txt", L"C:\\a.txt"}));
  EXPECT_EQ(text(1), L"&1 C:\\a.txt");
  list.Clear();
  EXPECT_EQ(::GetMenuItemCount(sub), 1);
  list.SetMenu(nullptr, nullptr);  // the menu goes first
}

TEST_F(RecentFiles, EarlierVersionsH0BecomesNewestGapsCloseAndLongPathsSurvive) {
  const std::wstring longPath = L"C:\\" + std::wstring(300, L'd') + L"\\colors.txt";
  SetRegistryVal(HKEY_CURRENT_USER, kHistory, L"H0", L"C:\\old.txt");
  SetRegistryVal(HKEY_CURRENT_USER, kHistory, L"H1", longPath);
  SetRegistryVal(HKEY_CURRENT_USER, kHistory, L"H3", L"C:\\three.txt");
  SetRegistryVal(HKEY_CURRENT_USER, kHistory, L"H5", L"C:\\five.txt");
  SetRegistryVal(HKEY_CURRENT_USER, kHistory, L"Count", L"2");
  list.LoadFromRegIni(HKEY_CURRENT_USER, kKey, L"History");
  EXPECT_EQ(list.Items(), (TPaths{L"C:\\old.txt", longPath, L"C:\\three.txt", L"C:\\five.txt"}));
  EXPECT_FALSE(Has(L"H0"));
  EXPECT_FALSE(Has(L"Count"));
  list.SaveToRegIni(HKEY_CURRENT_USER, kKey, L"History");
  EXPECT_FALSE(Has(L"H5"));
  next.LoadFromRegIni(HKEY_CURRENT_USER, kKey, L"History");
  EXPECT_EQ(next.Items(), list.Items());
}

}  // namespace
