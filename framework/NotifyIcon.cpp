#include "framework/NotifyIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "framework/support/uSystemProc.h"

namespace fw {

namespace {

// shell32 is loaded when the icon is first shown, not at start-up.
BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW& data) {
  static auto* const notify = SystemProc<decltype(::Shell_NotifyIconW)>(L"shell32.dll", "Shell_NotifyIconW");
  return notify && notify(message, &data);
}

}  // namespace

bool TNotifyIcon::Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::wstring& tip) {
  Remove();
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = owner;
  data.uID = id;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callbackMessage;
  data.hIcon = icon;
  const std::size_t n = std::min(tip.size(), std::size(data.szTip) - 1);
  tip.copy(data.szTip, n);
  if (!NotifyIcon(NIM_ADD, data)) return false;
  FOwner = owner;
  FId = id;
  return true;
}

void TNotifyIcon::Remove() noexcept {
  if (!FOwner) return;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = FOwner;
  data.uID = FId;
  NotifyIcon(NIM_DELETE, data);
  FOwner = nullptr;
}

UINT TNotifyIcon::TaskbarCreatedMessage() noexcept {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

}  // namespace fw
