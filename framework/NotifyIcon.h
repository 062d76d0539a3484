#pragma once
// One icon in the notification area, removed with its owner. The shell
// reports clicks on it to the owner window as callbackMessage, with the
// mouse message in the low word of lParam.
#include <windows.h>

#include <string>

namespace fw {

class TNotifyIcon {
 public:
  TNotifyIcon() = default;
  ~TNotifyIcon() { Remove(); }
  TNotifyIcon(const TNotifyIcon&) = delete;
  TNotifyIcon& operator=(const TNotifyIcon&) = delete;

  // False when the shell refuses (no notification area, for one).
  bool Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::wstring& tip);
  void Remove() noexcept;
  bool Added() const noexcept { return FOwner != nullptr; }
  // The message the shell broadcasts when its task bar comes back
  // (explorer restarted): the icon must be added again.
  static UINT TaskbarCreatedMessage() noexcept;

 private:
  HWND FOwner = nullptr;
  UINT FId = 0;
};

}  // namespace fw
