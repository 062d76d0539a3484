// Start-up and shutdown of the main window with its real parts: what the
// user finds after a start from the settings in the registry, what the
// registry holds after a close, and what survives a failing step.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "framework/Cursors.h"
#include "framework/Handles.h"
#include "framework/support/uRegistry.h"
#include "tests/win/MainWindowFind.h"

namespace {

const std::wstring kKey = L"SOFTWARE\\ZORVEK\\TintraLifecycleTest";
const std::wstring kVolatileKey = L"SOFTWARE\\ZORVEK\\TintraVolatileTest";
const std::wstring kDepthWarning =
    L"デスクトップ画面の色数が２４ビット以下なので、表示されている色を正確に取得できない可能性があります。";

std::vector<std::wstring> gErrors;
void RecordError(const std::wstring& text) { gErrors.push_back(text); }

std::wstring Reg(const std::wstring& value, const std::wstring& key = kKey) {
  return GetRegistryVal(HKEY_CURRENT_USER, key, value);
}
void SetReg(const std::wstring& value, const std::wstring& text) {
  SetRegistryVal(HKEY_CURRENT_USER, kKey, value, text);
}

// The header captions from left to right, as the list shows them.
std::vector<std::wstring> Headers(const TfrmTintra& form) {
  std::vector<std::wstring> headers;
  for (int c = 0; c < form.ColorList.gridItem.ColCount(); ++c) headers.push_back(form.ColorList.gridItem.Cells(c, 0));
  return headers;
}

class Lifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey.c_str());
    gErrors.clear();
    FOldHook = fw::Application().OnExceptionHook;
    fw::Application().OnExceptionHook = RecordError;
    Dir = std::filesystem::temp_directory_path() / ("tintra_life_" + std::to_string(::GetCurrentProcessId()));
    std::filesystem::create_directory(Dir);
    File = (Dir / L"colors.txt").wstring();
    std::ofstream(Dir / L"colors.txt", std::ios::binary) << "255,128,0,\"orange\"\r\n18,52,86,\"blue\"\r\n";
  }
  void TearDown() override {
    fw::Application().OnExceptionHook = FOldHook;
    fw::Application().SetMainForm(nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(Dir, ignored);
  }

  // The settings key, the given arguments, a recorded warning box and the
  // given screen depth; off the screen unless a position is stored: Wine
  // with no window manager waits about two seconds whenever a window on the
  // screen goes away.
  TMainWindowOptions Options(std::vector<std::wstring> args = {}, const std::wstring& key = kKey) {
    TMainWindowOptions options;
    options.SettingsKey = key;
    options.Arguments = std::move(args);
    options.ShowMessage = [this](const std::wstring& text) { Messages.push_back(text); };
    options.ScreenColorBits = [this] { return ColorBits; };
    options.WorkArea = [] { return TRectI{4000, 4000, 6000, 6000}; };
    options.DocumentMessageBox = [this](HWND, const std::wstring& text, const std::wstring&, UINT) {
      Messages.push_back(text);
      return IDCANCEL;
    };
    return options;
  }
  void KeepOffScreen() { SetReg(L"PosMain", L"4000,4000,507,304,1"); }

  std::filesystem::path Dir;
  std::wstring File;
  std::vector<std::wstring> Messages;
  int ColorBits = 32;

 private:
  void (*FOldHook)(const std::wstring&) = nullptr;
};

TEST_F(Lifecycle, AStartShowsWhatTheRegistryHoldsAndAStopWritesWhatTheUserLeft) {
  SetReg(L"LastFile", File);
  SetReg(L"HexOrder", L"1");
  SetReg(L"Columns", L"0,32,2,70,1,32,3,40,4,30,5,30,6,64");
  SetRegistryVal(HKEY_CURRENT_USER, kKey + L"\\History", L"H1", L"C:\\older.txt");
  {
    TMainWindowOptions options = Options();
    options.WorkArea = [] { return TRectI{0, 0, 1280, 1000}; };
    TfrmTintra form(options);
    form.CreateForm();
    form.Show();
    // The last file, its rows in the stored column order and byte order.
    EXPECT_EQ(form.Text(), L"colors - Tintra");
    EXPECT_EQ(Headers(form), (std::vector<std::wstring>{L"行", L"16進(BGR)", L"色", L"赤", L"緑", L"青", L"コメント"}));
    EXPECT_EQ(form.ColorList.gridItem.Cells(1, 1), L"#0080FF");
    EXPECT_EQ(form.ColorList.gridItem.Cells(6, 2), L"blue");
    EXPECT_EQ(form.ColorList.gridItem.ColWidths(3), 40);
    EXPECT_TRUE(form.Sampler.pnlZoom.Visible());
    EXPECT_EQ(Messages.size(), 0u);
    // The recent files: the last file in front of the stored one.
    ASSERT_EQ(form.Documents.TBXMRUList.Items().size(), 2u);
    EXPECT_EQ(form.Documents.TBXMRUList.Items()[0], File);

    form.actRGB.Execute();
    form.actZoom.Execute();
    form.ColorList.gridItem.SetColWidths(4, 45);
    form.Close();
    EXPECT_FALSE(form.HandleAllocated());
  }
  EXPECT_EQ(Reg(L"ZoomWindow"), L"0");
  // The comment column's width follows the window; the others are the user's.
  EXPECT_TRUE(Reg(L"Columns").starts_with(L"0,32,2,70,1,32,3,40,4,45,5,30,6,"))
      << testing::PrintToString(Reg(L"Columns"));
  EXPECT_EQ(Reg(L"LastFile"), File);
  EXPECT_EQ(Reg(L"HexOrder"), L"0");
  EXPECT_EQ(Reg(L"PosMain"), L"331,57,580,304,1");
  EXPECT_EQ(Reg(L"H1", kKey + L"\\History"), File);
  EXPECT_EQ(Reg(L"H2", kKey + L"\\History"), L"C:\\older.txt");
  EXPECT_TRUE(gErrors.empty());
}

TEST_F(Lifecycle, WithoutSettingsTheListStartsAsDesignedAndNothingIsWritten) {
  {
    TMainWindowOptions options = Options({}, L"");
    TfrmTintra form(options);
    form.CreateForm();
    EXPECT_EQ(Headers(form), (std::vector<std::wstring>{L"行", L"色", L"16進(RGB)", L"赤", L"緑", L"青", L"コメント"}));
    const int designed[] = {32, 32, 70, 32, 30, 30};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(form.ColorList.gridItem.ColWidths(c), designed[c]) << c;
    EXPECT_EQ(form.Text(), L"(無題) - Tintra");
  }
  EXPECT_EQ(Reg(L"Columns"), L"");
  EXPECT_EQ(Reg(L"PosMain"), L"");
}

TEST_F(Lifecycle, OnlyMinusNInAnyCaseAsFirstArgumentSkipsTheLastFile) {
  struct Case {
    std::vector<std::wstring> args;
    bool loads;
  } cases[] = {
      {{}, true},       {{L"-n"}, false}, {{L"-N"}, false}, {{L"C:\\other.txt"}, true}, {{L"x", L"-n"}, true},
      {{L"-nx"}, true},
  };
  SetReg(L"LastFile", File);
  for (const Case& c : cases) {
    KeepOffScreen();
    TfrmTintra form(Options(c.args));
    form.CreateForm();
    form.Show();
    const std::string arg = c.args.empty() ? std::string("none") : testing::PrintToString(c.args[0]);
    EXPECT_EQ(form.ColorList.ItemCount(), c.loads ? 2 : 0) << arg;
    EXPECT_EQ(form.Text(), c.loads ? L"colors - Tintra" : L"(無題) - Tintra") << arg;
  }
}

TEST_F(Lifecycle, AStaleLastFileIsReportedAndTheRestOfTheStartUpRuns) {
  const std::wstring gone = (Dir / L"gone.txt").wstring();
  SetReg(L"LastFile", gone);
  SetReg(L"ZoomWindow", L"0");
  KeepOffScreen();
  ColorBits = 16;
  TfrmTintra form(Options());
  form.CreateForm();
  form.Show();
  ASSERT_EQ(gErrors.size(), 1u);
  EXPECT_NE(gErrors[0].find(gone), std::wstring::npos) << testing::PrintToString(gErrors[0]);
  EXPECT_EQ(form.Text(), L"(無題) - Tintra");
  EXPECT_FALSE(form.Sampler.pnlZoom.Visible());
  EXPECT_FALSE(form.actZoom.Checked());
  EXPECT_EQ(form.Sampler.pboxZoom.Cursor(), fw::CursorEntry(crSpoit));
  EXPECT_EQ(Messages, std::vector<std::wstring>{kDepthWarning});
}

TEST_F(Lifecycle, AShownWindowIsADropTargetRightAfterItsFirstPaint) {
  KeepOffScreen();
  TfrmTintra form(Options());
  form.CreateForm();
  form.Show();
  // OLE keeps one target a window; the window's own comes with a timer,
  // after the paint messages.
  struct TNullTarget : IDropTarget {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return E_NOTIMPL; }
  } other;
  HRESULT hr = S_OK;
  for (int i = 0; i < 200 && (hr = ::RegisterDragDrop(form.Handle(), &other)) == S_OK; ++i) {
    ::RevokeDragDrop(form.Handle());
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    fw::Application().ProcessMessages();
  }
  EXPECT_EQ(hr, DRAGDROP_E_ALREADYREGISTERED);
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
    KeepOffScreen();
    Messages.clear();
    ColorBits = c.bits;
    TfrmTintra form(Options());
    form.CreateForm();
    form.Show();
    EXPECT_EQ(form.Sampler.pnlZoom.Visible(), c.shown) << testing::PrintToString(std::wstring(c.zoom));
    EXPECT_EQ(Messages.size(), c.warned ? 1u : 0u) << c.bits;
  }
}

TEST_F(Lifecycle, RefusedCloseWritesNothing) {
  KeepOffScreen();
  TfrmTintra form(Options());
  form.CreateForm();
  form.Show();
  form.actInsert.Execute();
  form.Close();
  EXPECT_EQ(Messages, std::vector<std::wstring>{L"(無題) は変更されています。保存しますか？"});
  EXPECT_TRUE(form.HandleAllocated());
  EXPECT_EQ(Reg(L"ZoomWindow"), L"");
  EXPECT_EQ(Reg(L"Columns"), L"");
  EXPECT_EQ(Reg(L"LastFile"), L"");
  form.Documents.Document.SetModified(false);
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
    TfrmTintra form(Options({}, broken));
    form.CreateForm();
    form.Show();
    form.Documents.Document.LoadFromFile(File);
    fw::Application().SetMainForm(&form);
    form.Close();
    EXPECT_FALSE(form.HandleAllocated());
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  }
  // At the close: ZoomWindow, Columns, LastFile, the recent files, the
  // contrast readout, HexOrder, PosMain and the eyedropper's six values; at
  // the open: LastFile and the recent files, written as they changed. Each reported.
  EXPECT_EQ(gErrors.size(), 15u);
  for (const auto& e : gErrors) EXPECT_EQ(e, L"SetRegistryVal: RegCreateKeyEx failed");
  parent.Reset();
  ::RegDeleteKeyW(HKEY_CURRENT_USER, kVolatileKey.c_str());
}

TEST_F(Lifecycle, StayOnTopTogglesTheTopmostBandAndItsCheckMark) {
  TfrmTintra form(Options({}, L""));
  form.CreateForm();
  form.Show();
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
  TMainWindowOptions options = Options();
  options.WorkArea = [] { return TRectI{0, 0, 1280, 1000}; };
  TfrmTintra form(options);
  form.CreateForm();
  EXPECT_FALSE(::IsWindowVisible(form.Handle()));
  EXPECT_FALSE(::IsZoomed(form.Handle()));
  form.Show();
  EXPECT_TRUE(::IsZoomed(form.Handle()));
  WINDOWPLACEMENT wp{sizeof(wp)};
  ASSERT_TRUE(::GetWindowPlacement(form.Handle(), &wp));
  EXPECT_EQ(wp.rcNormalPosition.left, -4);
  EXPECT_EQ(wp.rcNormalPosition.right - wp.rcNormalPosition.left, 507);
}

TEST(AppProperty, GivesTheTitleAndHintTimesToTheToolBarsTips) {
  TfrmTintra form;
  form.CreateForm();
  EXPECT_EQ(fw::Application().Title(), L"Tintra");
  HWND tips =
      reinterpret_cast<HWND>(::SendMessageW(FindControl(form.Handle(), ControlIds::ToolBar), TB_GETTOOLTIPS, 0, 0));
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
  ASSERT_NE(form.actsmRGBOrder.LinkSubitems(), nullptr);
  EXPECT_EQ(form.actsmRGBOrder.LinkSubitems()->SubmenuHandle(), ::GetSubMenu(settings, 0));
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
