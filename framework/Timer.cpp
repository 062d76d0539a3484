#include "framework/Timer.h"

namespace fw {

void TWindowTimer::Start(HWND wnd, UINT interval) noexcept {
  if (FWnd && FWnd != wnd) Stop();
  FInterval = interval;
  if (wnd && ::SetTimer(wnd, FId, interval, nullptr)) FWnd = wnd;
}

void TWindowTimer::SetInterval(UINT interval) noexcept {
  if (interval == FInterval) return;
  FInterval = interval;
  if (FWnd) ::SetTimer(FWnd, FId, interval, nullptr);
}

void TWindowTimer::Stop() noexcept {
  // The window may be gone already, and its timers with it.
  if (FWnd && ::IsWindow(FWnd)) ::KillTimer(FWnd, FId);
  FWnd = nullptr;
}

}  // namespace fw
