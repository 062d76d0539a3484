// The plain message boxes as the user sees them: the start-up warning of
// the real main window, and a start-up that fails.
#include "framework/support/uAppMessage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/uRunMainForm.h"
#include "app/ufrmTintra.h"
#include "core/support/Exception.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Window.h"

namespace {

// What a message box showed, read from inside its own modal loop.
struct TSeenBox {
  bool Found = false;
  std::wstring Caption, Text;
  HWND Owner = nullptr;
  bool HasIcon = false;
  bool HasCancel = false;
  // The application's main form while the box is up.
  fw::TWindow* MainForm = nullptr;
  HWND MainWindow = nullptr;
  std::wstring OwnerText;
  // Closes the box's owner after the box, ending its message loop.
  bool CloseOwner = false;
};
TSeenBox gSeen;

BOOL CALLBACK FindBox(HWND wnd, LPARAM result) {
  wchar_t cls[32] = {};
  ::GetClassNameW(wnd, cls, 32);
  if (std::wstring(cls) != L"#32770" || !::IsWindowVisible(wnd)) return TRUE;
  *reinterpret_cast<HWND*>(result) = wnd;
  return FALSE;
}

void CALLBACK Inspect(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
  if (!box) return;  // not up yet: the timer comes again
  ::KillTimer(nullptr, id);
  gSeen.Found = true;
  wchar_t buf[512] = {};
  ::GetWindowTextW(box, buf, 512);
  gSeen.Caption = buf;
  ::GetDlgItemTextW(box, 0xFFFF, buf, 512);
  gSeen.Text = buf;
  gSeen.Owner = ::GetWindow(box, GW_OWNER);
  // The icon control is 20 on Windows and 0x440 in Wine; without an icon it
  // is missing or holds none.
  for (int idIcon : {20, 0x440})
    if (HWND icon = ::GetDlgItem(box, idIcon); icon && ::SendMessageW(icon, STM_GETICON, 0, 0)) gSeen.HasIcon = true;
  gSeen.HasCancel = ::GetDlgItem(box, IDCANCEL) != nullptr;
  gSeen.MainForm = fw::Application().MainForm();
  gSeen.MainWindow = fw::Application().MainFormHandle();
  if (gSeen.Owner) {
    ::GetWindowTextW(gSeen.Owner, buf, 512);
    gSeen.OwnerText = buf;
  }
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  if (gSeen.CloseOwner && gSeen.Owner) ::PostMessageW(gSeen.Owner, WM_CLOSE, 0, 0);
}

void ArmInspector(bool closeOwner = false) {
  gSeen = TSeenBox{};
  gSeen.CloseOwner = closeOwner;
  ::SetTimer(nullptr, 0, 30, Inspect);
}

TEST(AppMessageTest, TitleCaptionTextOkOnlyNoIcon) {
  fw::TApplication& app = fw::TApplication::Instance();
  const std::wstring oldTitle = app.Title();
  app.SetTitle(L"Tintra テスト");
  ArmInspector();
  ShowAppMessage(L"デスクトップ画面の色数が２４ビット以下です");
  app.SetTitle(oldTitle);
  ASSERT_TRUE(gSeen.Found);
  EXPECT_EQ(gSeen.Caption, L"Tintra テスト");
  EXPECT_EQ(gSeen.Text, L"デスクトップ画面の色数が２４ビット以下です");
  EXPECT_EQ(gSeen.Owner, app.MainFormHandle());
  EXPECT_FALSE(gSeen.HasIcon);
  EXPECT_FALSE(gSeen.HasCancel);
}

class TMainStandIn : public fw::TWindow {
 public:
  void Make() {
    TCreateParams params;
    params.Style = WS_OVERLAPPEDWINDOW;
    params.Text = L"main";
    CreateHandle(nullptr, params);
  }
};

TEST(AppMessageTest, OwnedByTheMainForm) {
  fw::TApplication& app = fw::TApplication::Instance();
  if (!app.Handle()) app.Initialize(::GetModuleHandleW(nullptr));
  TMainStandIn main;
  main.Make();
  ASSERT_NE(main.Handle(), nullptr);
  fw::TWindow* oldMain = app.MainForm();
  app.SetMainForm(&main);
  ArmInspector();
  ShowAppMessage(L"owned");
  app.SetMainForm(oldMain);
  ASSERT_TRUE(gSeen.Found);
  EXPECT_EQ(gSeen.Owner, main.Handle());
  EXPECT_EQ(gSeen.Text, L"owned");
}

TEST(AppMessageTest, AShallowScreenIsWarnedOfInABoxOwnedByTheMainWindow) {
  fw::TApplication& app = fw::Application();
  const std::wstring oldTitle = app.Title();
  ArmInspector(true);
  const int result = RunMainForm(app, [] {
    TMainWindowOptions options;
    options.ScreenColorBits = [] { return 16; };
    return std::make_unique<TfrmTintra>(std::move(options));
  });
  app.SetTitle(oldTitle);
  EXPECT_EQ(result, 0);
  ASSERT_TRUE(gSeen.Found);
  EXPECT_EQ(gSeen.Caption, L"Tintra");
  EXPECT_EQ(gSeen.Text,
            L"デスクトップ画面の色数が２４ビット以下なので、表示されている色を正確に取得できない可能性があります。");
  ASSERT_NE(gSeen.MainWindow, nullptr);
  EXPECT_EQ(gSeen.Owner, gSeen.MainWindow);
  EXPECT_EQ(gSeen.OwnerText, L"(無題) - Tintra");
  EXPECT_FALSE(gSeen.HasIcon);
  EXPECT_FALSE(gSeen.HasCancel);
}

class TFailingForm : public fw::TForm {
 public:
  void CreateForm() {
    Create(nullptr, WS_OVERLAPPEDWINDOW);
    throw Exception(L"起動に失敗しました");
  }
};

TEST(AppMessageTest, AFailedStartUpShowsItsMessageAfterTheMainFormHasGone) {
  fw::TApplication& app = fw::Application();
  ArmInspector();
  const int result = RunMainForm(app, [] { return std::make_unique<TFailingForm>(); });
  EXPECT_EQ(result, 1);
  ASSERT_TRUE(gSeen.Found);
  EXPECT_EQ(gSeen.Text, L"起動に失敗しました");
  EXPECT_TRUE(gSeen.HasIcon);  // an error box, unlike the plain ones above
  // The box asks the main form for its owner: that form must not be the one destroyed.
  EXPECT_EQ(gSeen.MainForm, nullptr);
  EXPECT_EQ(gSeen.Owner, nullptr);
  EXPECT_EQ(app.MainForm(), nullptr);
}

TEST(AppMessageTest, AFailureBeforeTheMainFormIsShownAndEndsWithItsOwnCode) {
  ArmInspector();
  const int result = RunStartUp(fw::Application(), []() -> int { throw Exception(L"設定を読めません"); });
  EXPECT_EQ(result, kStartUpFailed);
  ASSERT_TRUE(gSeen.Found);
  EXPECT_EQ(gSeen.Text, L"設定を読めません");
  EXPECT_TRUE(gSeen.HasIcon);
}

}  // namespace
