#include "app/uTrayIconPart.h"

#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "framework/Application.h"
#include "framework/Handles.h"
#include "framework/support/uRegistry.h"

namespace {

enum : UINT { kMenuPick = 1, kMenuShow, kMenuExit };

}  // namespace

TTrayIconPart::TTrayIconPart(fw::TActionList& actions) : actTrayIcon(actions.Add(L"actTrayIcon")) {
  actTrayIcon.SetCategory(L"070_設定");
  actTrayIcon.SetCaption(UiText(IDS_ACT_TRAY_ICON));
  actTrayIcon.OnExecute = [this](fw::TObject*) { SetShown(!FShown); };
}

void TTrayIconPart::LoadSettings(fw::TWindow& window, const std::wstring& key) {
  FWindow = &window;
  FKey = key;
  FShown = !key.empty() && GetRegistryVal(HKEY_CURRENT_USER, key, L"TrayIcon") == L"1";
  actTrayIcon.SetChecked(FShown);
  if (FShown) AddIcon();
}

void TTrayIconPart::AddIcon() {
  if (FWindow && FWindow->Handle())
    FIcon.Add(FWindow->Handle(), 1, kCallbackMessage, fw::Application().Icon(), fw::Application().Title());
}

void TTrayIconPart::SetShown(bool shown) {
  FShown = shown;
  actTrayIcon.SetChecked(shown);
  if (shown)
    AddIcon();
  else
    FIcon.Remove();
  // A window hidden to the icon comes back when the icon goes.
  if (!shown && FWindow && FWindow->Handle() && !::IsWindowVisible(FWindow->Handle())) Restore();
  if (!FKey.empty()) SetRegistryVal(HKEY_CURRENT_USER, FKey, L"TrayIcon", shown ? L"1" : L"0");
}

void TTrayIconPart::Restore() {
  const HWND wnd = FWindow->Handle();
  ::ShowWindow(wnd, ::IsIconic(wnd) ? SW_RESTORE : SW_SHOW);
  ::SetForegroundWindow(wnd);
}

void TTrayIconPart::ShowMenu() {
  const HWND wnd = FWindow->Handle();
  fw::TUniqueMenu menu(::CreatePopupMenu());
  if (!menu) return;
  ::AppendMenuW(menu.Get(), MF_STRING, kMenuPick, UiText(IDS_TRAY_PICK).c_str());
  ::AppendMenuW(menu.Get(), MF_STRING, kMenuShow, UiText(IDS_TRAY_SHOW).c_str());
  ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu.Get(), MF_STRING, kMenuExit, UiText(IDS_TRAY_EXIT).c_str());
  ::SetMenuDefaultItem(menu.Get(), kMenuPick, FALSE);
  POINT at{};
  ::GetCursorPos(&at);
  // Without it the menu stays open after a click elsewhere.
  ::SetForegroundWindow(wnd);
  const UINT id = static_cast<UINT>(
      ::TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, wnd, nullptr));
  ::PostMessageW(wnd, WM_NULL, 0, 0);
  if (id == kMenuPick && OnPick) OnPick(nullptr);
  if (id == kMenuShow) Restore();
  if (id == kMenuExit) {
    Restore();
    if (OnExit) OnExit(nullptr);
  }
}

bool TTrayIconPart::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!FWindow) return false;
  if (msg == kCallbackMessage) {
    const UINT mouse = LOWORD(lParam);
    if (mouse == WM_LBUTTONUP && OnPick) OnPick(nullptr);
    if (mouse == WM_RBUTTONUP || mouse == WM_CONTEXTMENU) ShowMenu();
    result = 0;
    return true;
  }
  if (msg == fw::TNotifyIcon::TaskbarCreatedMessage() && msg != 0) {
    if (FShown) AddIcon();
    result = 0;
    return true;
  }
  if (msg == WM_SIZE && wParam == SIZE_MINIMIZED && FShown && FIcon.Added()) ::ShowWindow(FWindow->Handle(), SW_HIDE);
  return false;
}
