// Start-up and shutdown of the main window: the order of the steps, the
// settings in the registry, and what survives a failing step.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "framework/Cursors.h"
#include "framework/Handles.h"
#include "framework/support/uRegistry.h"

namespace {

const std::wstring kKey = L"SOFTWARE\\ZORVEK\\TintraLifecycleTest";
const std::wstring kVolatileKey = L"SOFTWARE\\ZORVEK\\TintraVolatileTest";

std::vector<std::wstring> gErrors;
void RecordError(const std::wstring& text) { gErrors.push_back(text); }

std::wstring Reg(const std::wstring& value) { return GetRegistryVal(HKEY_CURRENT_USER, kKey, value); }
void SetReg(const std::wstring& value, const std::wstring& text) {
  SetRegistryVal(HKEY_CURRENT_USER, kKey, value, text);
}

class Lifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey.c_str());
    gErrors.clear();
    FOldHook = fw::Application().OnExceptionHook;
    fw::Application().OnExceptionHook = RecordError;
  }
  void TearDown() override {
    fw::Application().OnExceptionHook = FOldHook;
    fw::Application().SetMainForm(nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey.c_str());
  }

  // Every hook records its name; the document has a file and the list a layout.
  void Record(TfrmTintra& form) {
    auto& h = form.Hooks;
    h.ListColumns = [&]() -> std::optional<TColumnLayout> {
      Calls.push_back(L"ListColumns");
      return Layout;
    };
    h.SetListColumns = [&](const TColumnLayout& l) {
      Calls.push_back(L"SetListColumns");
      Applied = l;
    };
    h.LoadRecentFiles = [&](const std::wstring&) { Calls.push_back(L"LoadRecentFiles"); };
    h.SaveRecentFiles = [&](const std::wstring&) { Calls.push_back(L"SaveRecentFiles"); };
    h.HexOrder = [&]() -> std::optional<std::uint8_t> {
      Calls.push_back(L"HexOrder");
      return std::uint8_t{1};
    };
    h.SetHexOrder = [&](std::uint8_t order) { Calls.push_back(L"SetHexOrder " + std::to_wstring(order)); };
    h.SetDocumentRegistryKey = [&](const std::wstring& key) { Calls.push_back(L"SetDocumentRegistryKey " + key); };
    h.DocumentClear = [&] { Calls.push_back(L"DocumentClear"); };
    h.DocumentLoadFromFile = [&](const std::wstring& path) {
      Calls.push_back(L"DocumentLoadFromFile " + path);
      if (LoadFails) throw Exception(L"cannot open " + path);
    };
    h.DocumentCloseQuery = [&] {
      Calls.push_back(L"DocumentCloseQuery");
      return MayClose;
    };
    h.DocumentFileName = [&] {
      Calls.push_back(L"DocumentFileName");
      return std::wstring(L"C:\\colors.txt");
    };
    h.RegisterDropTarget = [&] { Calls.push_back(L"RegisterDropTarget"); };
    h.RevokeDropTarget = [&] { Calls.push_back(L"RevokeDropTarget"); };
    form.AppMessage = [&](const std::wstring& text) { Calls.push_back(L"AppMessage " + text); };
    form.ScreenColorBits = [&] { return ColorBits; };
  }

  // Wine with no window manager waits about two seconds whenever a window
  // on the screen goes away; tests that make many forms keep them off it.
  static void KeepOffScreen(TfrmTintra& form) {
    SetReg(L"PosMain", L"0,0,507,304,1");
    form.RestorePos.WorkArea = [] { return TRectI{4000, 4000, 6000, 6000}; };
  }

  void Start(TfrmTintra& form, const std::wstring& key, std::vector<std::wstring> args = {}) {
    form.SettingsKey = key;
    form.Arguments = std::move(args);
    Record(form);
    form.CreateForm();
    form.Show();
  }

  std::vector<std::wstring> Calls;
  TColumnLayout Layout{{0, 2, 1, 3, 4, 5, 6}, {32, 70, 32, 32, 30, 30, 64}};
  std::optional<TColumnLayout> Applied;
  bool LoadFails = false, MayClose = true;
  int ColorBits = 32;

 private:
  void (*FOldHook)(const std::wstring&) = nullptr;
};

TEST_F(Lifecycle, RunsEveryStepInOrderAndStoresWhatComesBack) {
  SetReg(L"LastFile", L"C:\\old.txt");
  SetReg(L"HexOrder", L"1");
  SetReg(L"Columns", L"0,32,2,70,1,32,3,32,4,30,5,30,6,64");
  {
    TfrmTintra form;
    Start(form, kKey);
    form.Close();
    EXPECT_FALSE(form.HandleAllocated());
  }
  const std::vector<std::wstring> expected = {
      L"ListColumns",
      L"LoadRecentFiles",
      L"SetHexOrder 1",
      L"SetListColumns",
      L"SetDocumentRegistryKey " + kKey,
      L"DocumentClear",
      L"DocumentLoadFromFile C:\\old.txt",
      L"RegisterDropTarget",
      L"DocumentCloseQuery",
      L"ListColumns",
      L"DocumentFileName",
      L"SaveRecentFiles",
      L"HexOrder",
      L"RevokeDropTarget",
  };
  EXPECT_EQ(Calls, expected);
  ASSERT_TRUE(Applied);
  EXPECT_EQ(Applied->Ids, Layout.Ids);
  EXPECT_EQ(Reg(L"ZoomWindow"), L"1");
  EXPECT_EQ(Reg(L"Columns"), L"0,32,2,70,1,32,3,32,4,30,5,30,6,64");
  EXPECT_EQ(Reg(L"LastFile"), L"C:\\colors.txt");
  EXPECT_EQ(Reg(L"HexOrder"), L"1");
  EXPECT_EQ(Reg(L"PosMain"), L"331,57,507,304,1");
  EXPECT_TRUE(gErrors.empty());
}

TEST_F(Lifecycle, OnlyMinusNInAnyCaseAsFirstArgumentSkipsTheLastFile) {
  struct Case {
    std::vector<std::wstring> args;
    bool loads;
  } cases[] = {
      {{}, true},       {{L"-n"}, false}, {{L"-N"}, false}, {{L"C:\\other.txt"}, true}, {{L"x", L"-n"}, true},
      {{L"-nx"}, true},
  };
  SetReg(L"LastFile", L"C:\\old.txt");
  for (const Case& c : cases) {
    Calls.clear();
    TfrmTintra form;
    KeepOffScreen(form);
    Start(form, kKey, c.args);
    const bool loaded = std::find(Calls.begin(), Calls.end(), L"DocumentLoadFromFile C:\\old.txt") != Calls.end();
    EXPECT_EQ(loaded, c.loads) << (c.args.empty() ? std::string("none") : testing::PrintToString(c.args[0]));
  }
}

TEST_F(Lifecycle, AStaleLastFileIsReportedAndTheRestOfTheStartUpRuns) {
  SetReg(L"LastFile", L"C:\\gone.txt");
  SetReg(L"ZoomWindow", L"0");
  LoadFails = true;
  ColorBits = 16;
  TfrmTintra form;
  KeepOffScreen(form);
  Start(form, kKey);
  ASSERT_EQ(gErrors.size(), 1u);
  EXPECT_EQ(gErrors[0], L"cannot open C:\\gone.txt");
  EXPECT_FALSE(form.Sampler.pnlZoom.Visible());
  EXPECT_FALSE(form.actZoom.Checked());
  EXPECT_EQ(form.Sampler.pboxZoom.Cursor(), fw::CursorEntry(crSpoit));
  EXPECT_EQ(Calls.back(),
            L"AppMessage "
            L"デスクトップ画面の色数が２４ビット以下なので、表示されている色を正確に取得できない可能性があります。");
  EXPECT_EQ(Calls[Calls.size() - 2], L"RegisterDropTarget");
}

TEST_F(Lifecycle, OnlyZoomWindowZeroHidesTheMagnifierAndOnlyShallowScreensWarn) {
  struct Case {
    const wchar_t* zoom;
    int bits;
    bool shown, warned;
  } cases[] = {
      {L"0", 24, false, false},
      {L"1", 32, true, false},
      {L"", 16, true, true},
      {L" 0", 8, true, true},
  };
  for (const Case& c : cases) {
    SetReg(L"ZoomWindow", c.zoom);
    Calls.clear();
    ColorBits = c.bits;
    TfrmTintra form;
    KeepOffScreen(form);
    Start(form, kKey);
    EXPECT_EQ(form.Sampler.pnlZoom.Visible(), c.shown) << testing::PrintToString(std::wstring(c.zoom));
    EXPECT_EQ(Calls.back().starts_with(L"AppMessage"), c.warned) << c.bits;
  }
}

TEST_F(Lifecycle, RefusedCloseWritesNothing) {
  TfrmTintra form;
  MayClose = false;
  KeepOffScreen(form);
  Start(form, kKey);
  form.Close();
  EXPECT_TRUE(form.HandleAllocated());
  EXPECT_EQ(Reg(L"ZoomWindow"), L"");
  EXPECT_EQ(Reg(L"Columns"), L"");
  EXPECT_EQ(Reg(L"LastFile"), L"");
}

// A volatile key refuses lasting subkeys, so every write below it fails.
TEST_F(Lifecycle, RegistryErrorsAtShutdownNeitherKeepTheWindowNorTheProcess) {
  fw::TUniqueKey parent;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kVolatileKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, parent.Put(), nullptr),
            ERROR_SUCCESS);
  const std::wstring broken = kVolatileKey + L"\\Tintra";
  ASSERT_THROW(SetRegistryVal(HKEY_CURRENT_USER, broken, L"x", L"y"), ERegistryError);
  {
    TfrmTintra form;
    Start(form, broken);
    fw::Application().SetMainForm(&form);
    form.Close();
    EXPECT_FALSE(form.HandleAllocated());
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  }
  EXPECT_EQ(Calls.back(), L"RevokeDropTarget");
  // ZoomWindow, Columns, LastFile, HexOrder and PosMain each reported.
  EXPECT_EQ(gErrors.size(), 5u);
  for (const auto& e : gErrors) EXPECT_EQ(e, L"SetRegistryVal: RegCreateKeyEx failed");
  parent.Reset();
  ::RegDeleteKeyW(HKEY_CURRENT_USER, kVolatileKey.c_str());
}

TEST_F(Lifecycle, StayOnTopTogglesTheTopmostBandAndItsCheckMark) {
  TfrmTintra form;
  Start(form, L"");
  // Under Wine a window becomes topmost only when the topmost band already
  // holds another window; this one, off the screen, is that window.
  HWND above = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 4000, 4000, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
  ::SetWindowPos(above, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (bool on : {true, false, true}) {
    form.actStayOnTop.Execute();
    EXPECT_EQ(form.StayOnTop(), on);
    EXPECT_EQ(form.actStayOnTop.Checked(), on);
    EXPECT_EQ((::GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, on);
  }
  ::DestroyWindow(above);
}

TEST_F(Lifecycle, MaximizedRecordMaximizesAtShowAndKeepsTheNormalBounds) {
  SetReg(L"PosMain", L"-4,0,507,304,3");
  TfrmTintra form;
  form.RestorePos.WorkArea = [] { return TRectI{0, 0, 1280, 1000}; };
  form.SettingsKey = kKey;
  Record(form);
  form.CreateForm();
  EXPECT_FALSE(::IsWindowVisible(form.Handle()));
  EXPECT_FALSE(::IsZoomed(form.Handle()));
  form.Show();
  EXPECT_TRUE(::IsZoomed(form.Handle()));
  WINDOWPLACEMENT wp{sizeof(wp)};
  ASSERT_TRUE(::GetWindowPlacement(form.Handle(), &wp));
  EXPECT_EQ(wp.rcNormalPosition.left, -4);
  EXPECT_EQ(wp.rcNormalPosition.right - wp.rcNormalPosition.left, 507);
  EXPECT_FALSE(form.RestorePos.RestorePending());
}

TEST(AppProperty, GivesTheTitleAndHintTimesToTheToolBarsTips) {
  TfrmTintra form;
  form.CreateForm();
  EXPECT_EQ(fw::Application().Title(), L"Tintra");
  HWND tips = form.ToolBar.ToolTips();
  ASSERT_TRUE(tips);
  EXPECT_EQ(::SendMessageW(tips, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
  EXPECT_EQ(::SendMessageW(tips, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2500);
  EXPECT_EQ(::SendMessageW(tips, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 0);
}

TEST(ActionSubMenu, StaysEnabledWithoutAHandlerWhereAPlainActionWouldNot) {
  fw::TActionList list;
  fw::TAction& plain = list.Add(L"plain");
  TActionSubMenu& sub = list.Add<TActionSubMenu>(L"sub");
  EXPECT_FALSE(plain.Enabled());
  EXPECT_TRUE(sub.Enabled());
  EXPECT_FALSE(sub.Execute());

  TfrmTintra form;
  form.CreateForm();
  HMENU settings = ::GetSubMenu(::GetMenu(form.Handle()), 3);
  EXPECT_FALSE(::GetMenuState(settings, 0, MF_BYPOSITION) & MF_DISABLED);
  EXPECT_EQ(form.actsmRGBOrder.LinkSubitems(), form.tbsmiHexOrder);
}

TEST(ActionSubMenu, FreeingTheLinkedItemClearsTheLink) {
  fw::TActionList list;
  TActionSubMenu& sub = list.Add<TActionSubMenu>(L"sub");
  {
    auto item = fw::TMenuItem::Submenu(L"x");
    sub.SetLinkSubitems(item.get());
    EXPECT_EQ(sub.LinkSubitems(), item.get());
  }
  EXPECT_EQ(sub.LinkSubitems(), nullptr);
  // And the other way round: an item outliving the action keeps no call into it.
  auto item = fw::TMenuItem::Submenu(L"y");
  {
    fw::TActionList other;
    other.Add<TActionSubMenu>(L"sub").SetLinkSubitems(item.get());
  }
  EXPECT_FALSE(item->OnFree);
}

}  // namespace
