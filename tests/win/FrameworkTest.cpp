// The windowing framework and the main window frame, with real windows,
// menus and messages.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/ufrmTintra.h"
#include "framework/Action.h"
#include "framework/Application.h"
#include "core/support/Exception.h"
#include "framework/Menu.h"
#include "tests/win/MainWindowFind.h"

namespace {

std::wstring MenuText(HMENU menu, UINT pos) {
  wchar_t buf[256] = {};
  MENUITEMINFOW mii{sizeof(mii)};
  mii.fMask = MIIM_STRING;
  mii.dwTypeData = buf;
  mii.cch = 255;
  GetMenuItemInfoW(menu, pos, TRUE, &mii);
  return buf;
}

UINT MenuState(HMENU menu, UINT pos) {
  MENUITEMINFOW mii{sizeof(mii)};
  mii.fMask = MIIM_STATE | MIIM_FTYPE;
  GetMenuItemInfoW(menu, pos, TRUE, &mii);
  return mii.fState | mii.fType;
}

// Items of a popup as "text" or "-" for separators.
std::vector<std::wstring> MenuItems(HMENU menu) {
  std::vector<std::wstring> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    items.push_back((MenuState(menu, i) & MFT_SEPARATOR) ? L"-" : MenuText(menu, i));
  return items;
}

}  // namespace

TEST(ShortCut, TextAsMenusShowIt) {
  struct {
    fw::TShortCut sc;
    const wchar_t* text;
  } cases[] = {
      {{'N', true}, L"Ctrl+N"},         {{'S', true, true}, L"Ctrl+Shift+S"},      {{VK_INSERT, true}, L"Ctrl+Ins"},
      {{VK_DELETE, true}, L"Ctrl+Del"}, {{'R', true, false, true}, L"Ctrl+Alt+R"}, {{}, L""},
  };
  for (auto& c : cases) EXPECT_EQ(c.sc.Text(), c.text);
}

TEST(Action, RadioGroupClearsOnlyItsOwnGroup) {
  fw::TActionList list;
  fw::TAction& a = list.Add(L"a");
  fw::TAction& b = list.Add(L"b");
  fw::TAction& c = list.Add(L"c");
  a.SetGroupIndex(1);
  b.SetGroupIndex(1);
  c.SetChecked(true);
  a.SetChecked(true);
  b.SetChecked(true);
  EXPECT_FALSE(a.Checked());
  EXPECT_TRUE(b.Checked());
  EXPECT_TRUE(c.Checked());
}

TEST(Action, DisabledActionDoesNotRun) {
  fw::TActionList list;
  fw::TAction& a = list.Add(L"a");
  int runs = 0;
  a.OnExecute = [&](fw::TObject* sender) {
    EXPECT_EQ(sender, &a);
    ++runs;
  };
  EXPECT_TRUE(a.Execute());
  a.SetEnabled(false);
  EXPECT_FALSE(a.Execute());
  EXPECT_EQ(runs, 1);
}

TEST(Action, AcceleratorsCoverEveryShortcut) {
  fw::TActionList list;
  list.Add(L"a").SetShortCut({'N', true});
  list.Add(L"b");
  list.Add(L"c").SetShortCut({VK_DELETE, true});
  fw::TUniqueAccel accel(list.CreateAccelerators());
  ASSERT_TRUE(accel);
  EXPECT_EQ(CopyAcceleratorTableW(accel.Get(), nullptr, 0), 2);
}

TEST(MainMenu, FollowsActionChanges) {
  fw::TActionList list;
  fw::TAction& a = list.Add(L"a");
  a.SetCaption(L"開く(&O)...");
  a.SetShortCut({'O', true});
  fw::TMainMenu menu(list);
  menu.Add(L"ファイル(&F)").AddAction(a);
  fw::TUniqueMenu bar(menu.Build());
  HMENU file = GetSubMenu(bar.Get(), 0);
  EXPECT_EQ(MenuText(bar.Get(), 0), L"ファイル(&F)");
  EXPECT_EQ(MenuText(file, 0), L"開く(&O)...\tCtrl+O");
  a.SetChecked(true);
  EXPECT_TRUE(MenuState(file, 0) & MFS_CHECKED);
  a.SetEnabled(false);
  EXPECT_TRUE(MenuState(file, 0) & MFS_DISABLED);
  a.SetCaption(L"閉じる(&C)");
  EXPECT_EQ(MenuText(file, 0), L"閉じる(&C)\tCtrl+O");
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override { form.CreateForm(); }
  TfrmTintra form;
};

TEST_F(MainWindow, FrameAsDesigned) {
  EXPECT_EQ(form.Text(), L"(無題) - Tintra");
  RECT r;
  GetWindowRect(form.Handle(), &r);
  EXPECT_EQ(r.left, 331);
  EXPECT_EQ(r.top, 57);
  EXPECT_EQ(r.right - r.left, 580);
  EXPECT_EQ(r.bottom - r.top, 304);
  // The editors' panel on the right, the list and its button bar on the rest.
  RECT client, right, left;
  GetClientRect(form.Handle(), &client);
  HWND panel2 = FindControl(form.Handle(), ControlIds::Panel2), panel3 = FindControl(form.Handle(), ControlIds::Panel3);
  ASSERT_TRUE(panel2 && panel3);
  GetWindowRect(panel2, &right);
  GetWindowRect(panel3, &left);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&right), 2);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&left), 2);
  EXPECT_EQ(right.right - right.left, 205);
  EXPECT_EQ(right.right, client.right);
  EXPECT_EQ(left.left, 0);
  EXPECT_EQ(left.right, client.right - 205);
}

TEST_F(MainWindow, MenuBarLists) {
  HMENU bar = GetMenu(form.Handle());
  ASSERT_NE(bar, nullptr);
  std::vector<std::vector<std::wstring>> expected = {
      {L"新規作成(&N)\tCtrl+N", L"開く(&O)...\tCtrl+O", L"上書き保存(&S)\tCtrl+S",
       L"名前をつけて保存(&A)...\tCtrl+Shift+S", L"-", L"インポート(&I)...", L"エクスポート(&E)...", L"-",
       L"終了(&X)"},
      {L"元に戻す(&U)\tCtrl+Z", L"やり直し(&R)\tCtrl+Y", L"-", L"画面から取得(&S)\tCtrl+K", L"-", L"コピー(&C)",
       L"現在の色をコピー(&N)\tCtrl+Shift+C", L"形式を指定してコピー(&F)", L"貼り付け(&P)\tCtrl+V", L"比較色に設定(&K)", L"配色...\tCtrl+H", L"-",
       L"追加(&A)\tCtrl+Ins", L"削除(&D)\tCtrl+Del",
       L"一行上に移動(&U)\tCtrl+U", L"一行下に移動(&D)\tCtrl+D"},
      {L"常に手前に表示(&S)", L"拡大ウィンドウの表示", L"コントラストの表示(&T)", L"色覚シミュレーション"},
      {L"１６進数表記の並び順(&O)", L"取得範囲(&P)", L"ホットキー(&K)...", L"画面を固定して取得(&F)", L"取得時にコピー(&C)",
       L"通知領域に表示(&T)", L"言語(&L)"},
      {L"作者のホームページ(&H)...", L"バージョン情報(&A)..."},
  };
  const wchar_t* titles[] = {L"ファイル(&F)", L"編集(&E)", L"表示(&V)", L"設定(&S)", L"ヘルプ(&H)"};
  ASSERT_EQ(GetMenuItemCount(bar), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(MenuText(bar, i), titles[i]);
    EXPECT_EQ(MenuItems(GetSubMenu(bar, i)), expected[static_cast<size_t>(i)]) << i;
  }
  HMENU hex = GetSubMenu(GetSubMenu(bar, 3), 0);
  EXPECT_EQ(MenuItems(hex), (std::vector<std::wstring>{L"赤緑青(&R)\tCtrl+Alt+R", L"青緑赤(&B)\tCtrl+Alt+B"}));
  EXPECT_TRUE(MenuState(hex, 0) & MFT_RADIOCHECK);
  EXPECT_TRUE(MenuState(GetSubMenu(bar, 2), 1) & MFS_CHECKED);
  HMENU cvd = GetSubMenu(GetSubMenu(bar, 2), 3);
  EXPECT_EQ(MenuItems(cvd), (std::vector<std::wstring>{L"なし", L"1型 (P)", L"2型 (D)", L"3型 (T)", L"全色盲"}));
  EXPECT_TRUE((MenuState(cvd, 0) & MFT_RADIOCHECK) && (MenuState(cvd, 0) & MFS_CHECKED));
}

// The tip a button shows, asked for as the bar's tool tip control asks.
std::wstring ButtonTip(HWND toolBar, int command) {
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(toolBar, TB_GETTOOLTIPS, 0, 0));
  info.hdr.idFrom = static_cast<UINT_PTR>(command);
  info.hdr.code = TTN_GETDISPINFOW;
  SendMessageW(GetParent(toolBar), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
  return info.lpszText ? info.lpszText : L"";
}

TEST_F(MainWindow, ButtonBarLists) {
  HWND tb = FindControl(form.Handle(), ControlIds::ToolBar);
  ASSERT_TRUE(tb);
  // Image numbers as ButtonImages lays them out: open, save, copy, add,
  // delete, up, down, stay on top, magnifier, paste, undo, redo, pick.
  const struct {
    const wchar_t* Tip;  // nullptr: a separator
    int Image;
  } expected[] = {
      {L"開く (Ctrl+O)", 0},         {L"上書き保存 (Ctrl+S)", 1},
      {nullptr, 0},                  {L"元に戻す (Ctrl+Z)", 10},
      {L"やり直し (Ctrl+Y)", 11},    {nullptr, 0},
      {L"画面から取得 (Ctrl+K)", 12}, {L"コピー", 2},
      {L"貼り付け (Ctrl+V)", 9},     {nullptr, 0},
      {L"追加 (Ctrl+Ins)", 3},       {L"削除 (Ctrl+Del)", 4},
      {L"一行上に移動 (Ctrl+U)", 5}, {L"一行下に移動 (Ctrl+D)", 6},
      {nullptr, 0},         {L"常に手前に表示", 7},
      {nullptr, 0},         {L"拡大ウィンドウの表示", 8},
  };
  ASSERT_EQ(SendMessageW(tb, TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(std::size(expected)));
  HMENU bar = GetMenu(form.Handle());
  for (int i = 0; i < static_cast<int>(std::size(expected)); ++i) {
    TBBUTTON b{};
    SendMessageW(tb, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    if (!expected[i].Tip) {
      EXPECT_TRUE(b.fsStyle & BTNS_SEP) << i;
      continue;
    }
    EXPECT_FALSE(b.fsStyle & BTNS_SEP) << i;
    EXPECT_EQ(ButtonTip(tb, b.idCommand), expected[i].Tip) << i;
    EXPECT_EQ(b.iBitmap, expected[i].Image) << i;
    // The button runs the menu's command of the same name.
    wchar_t item[128] = {};
    ASSERT_GT(GetMenuStringW(bar, static_cast<UINT>(b.idCommand), item, 128, MF_BYCOMMAND), 0) << i;
    const std::wstring tip = expected[i].Tip;
    EXPECT_TRUE(std::wstring(item).starts_with(tip.substr(0, tip.find(L" (")))) << i;
  }
  const int zoom = static_cast<int>(std::size(expected)) - 1, save = 1;
  TBBUTTON zoomButton{}, saveButton{};
  SendMessageW(tb, TB_GETBUTTON, zoom, reinterpret_cast<LPARAM>(&zoomButton));
  SendMessageW(tb, TB_GETBUTTON, save, reinterpret_cast<LPARAM>(&saveButton));
  EXPECT_TRUE(SendMessageW(tb, TB_ISBUTTONCHECKED, zoomButton.idCommand, 0));
  form.actZoom.SetChecked(false);
  EXPECT_FALSE(SendMessageW(tb, TB_ISBUTTONCHECKED, zoomButton.idCommand, 0));
  form.actSave.SetEnabled(false);
  EXPECT_FALSE(SendMessageW(tb, TB_ISBUTTONENABLED, saveButton.idCommand, 0));
}

TEST_F(MainWindow, ActionsInOrderWithHintsFromCaptions) {
  const wchar_t* names[] = {L"actNew", L"actOpen", L"actSave", L"actSaveAs", L"actExit", L"actUndo", L"actRedo", L"actCopy", L"actInsert",
                            L"actDelete", L"act1Up", L"act1Down", L"actStayOnTop", L"actZoom", L"actAbout",
                            L"actHomePage", L"actsmRGBOrder", L"actRGB", L"actBGR", L"actPaste",
                            L"actsmLanguage", L"actLangAuto", L"actLangJapanese", L"actLangEnglish",
                            // The parts' own: copy formats, contrast, the eyedropper's settings, palettes.
                            L"actEditCopyFormats", L"actCopyCurrent", L"actSetCompareColor", L"actShowContrast",
                            L"actsmSampling", L"actHotKey", L"actSampling0", L"actSampling1", L"actSampling2",
                            L"actSampling3", L"actSampling4", L"actExportPalette", L"actImportPalette",
                            L"actPickFromScreen", L"actPickFreeze", L"actTrayIcon", L"actHarmonies",
                            L"actsmCvdSimulation", L"actCvd0", L"actCvd1", L"actCvd2", L"actCvd3", L"actCvd4"};
  ASSERT_EQ(form.ActionList.Actions().size(), std::size(names));
  for (size_t i = 0; i < std::size(names); ++i) EXPECT_EQ(form.ActionList.Actions()[i]->Name(), names[i]);
  EXPECT_EQ(form.actOpen.Hint(), L"開く");
  EXPECT_EQ(form.actNew.Hint(), L"新規作成");
  EXPECT_EQ(form.actZoom.Hint(), L"拡大ウィンドウの表示");
  EXPECT_EQ(form.actStayOnTop.Category(), L"030_表示");
}

TEST_F(MainWindow, ExitClosesTheWindow) {
  HWND wnd = form.Handle();
  SendMessageW(wnd, WM_COMMAND, form.actExit.Id(), 0);
  EXPECT_FALSE(IsWindow(wnd));
  // The main form posts WM_QUIT only when it is the application's main form.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

TEST(Form, ExceptionInACommandIsShownAndTheWindowLives) {
  std::wstring shown;
  static std::wstring* sink;
  sink = &shown;
  fw::TActionList list;
  fw::TAction& failing = list.Add(L"failing");
  failing.OnExecute = [](fw::TObject*) { throw Exception(L"boom"); };
  fw::TForm form;
  form.SetActionList(&list);
  form.Create(nullptr, WS_OVERLAPPEDWINDOW);
  fw::Application().OnExceptionHook = [](const std::wstring& text) { *sink = text; };
  SendMessageW(form.Handle(), WM_COMMAND, failing.Id(), 0);
  fw::Application().OnExceptionHook = nullptr;
  EXPECT_EQ(shown, L"boom");
  EXPECT_TRUE(IsWindow(form.Handle()));
}
