#include "framework/support/uAppMessage.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/Application.h"
#include "framework/Window.h"

namespace {

// What a message box showed, read from inside its own modal loop.
struct TSeenBox {
  bool Found = false;
  std::wstring Caption, Text;
  HWND Owner = nullptr;
  bool HasIcon = false;
  bool HasCancel = false;
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
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

void ArmInspector() {
  gSeen = TSeenBox{};
  ::SetTimer(nullptr, 0, 30, Inspect);
}

TEST(AppMessageTest, TheProbeSeesAnIconWhenThereIsOne) {
  ArmInspector();
  EXPECT_EQ(::MessageBoxW(nullptr, L"probe", L"cap", MB_OK | MB_ICONWARNING), IDOK);
  ASSERT_TRUE(gSeen.Found);
  EXPECT_TRUE(gSeen.HasIcon);
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

}  // namespace
