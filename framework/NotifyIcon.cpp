#include "framework/NotifyIcon.h"

#include <shellapi.h>

#include <algorithm>

namespace fw {

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
  if (!::Shell_NotifyIconW(NIM_ADD, &data)) return false;
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
  ::Shell_NotifyIconW(NIM_DELETE, &data);
  FOwner = nullptr;
}

UINT TNotifyIcon::TaskbarCreatedMessage() noexcept {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

}  // namespace fw
