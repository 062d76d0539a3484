#pragma once
// 通知領域に表示 ("TrayIcon", written when it changes): an icon in the
// notification area whose click starts a pick and whose menu has 取得,
// 表示 and 終了; while it is shown, minimising the window hides it there.
#include <windows.h>

#include <string>

#include "framework/Action.h"
#include "framework/NotifyIcon.h"
#include "framework/Window.h"

class TTrayIconPart {
 public:
  explicit TTrayIconPart(fw::TActionList& actions);

  fw::TAction& actTrayIcon;

  // window: the main window, whose messages the icon's come in.
  void LoadSettings(fw::TWindow& window, const std::wstring& key);
  void SetShown(bool shown);
  bool Shown() const noexcept { return FShown; }
  bool IconAdded() const noexcept { return FIcon.Added(); }
  // The main window's messages; true when the part took it (result set).
  bool WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  static constexpr UINT kCallbackMessage = WM_APP + 0x60;

  fw::TNotifyEvent OnPick;
  // 終了: the main window closes as usual, asking about a modified list.
  fw::TNotifyEvent OnExit;

 private:
  void Restore();
  void ShowMenu();
  void AddIcon();

  fw::TWindow* FWindow = nullptr;
  fw::TNotifyIcon FIcon;
  std::wstring FKey;
  bool FShown = false;
};
