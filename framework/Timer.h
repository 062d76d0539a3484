#pragma once
// A window timer owned by an object: its ticks arrive as WM_TIMER with Id()
// at the window's WMTimer handler, and it is killed with its owner.
#include <windows.h>

namespace fw {

class TWindowTimer {
 public:
  explicit TWindowTimer(UINT_PTR id) noexcept : FId(id) {}
  ~TWindowTimer() { Stop(); }
  TWindowTimer(const TWindowTimer&) = delete;
  TWindowTimer& operator=(const TWindowTimer&) = delete;

  UINT_PTR Id() const noexcept { return FId; }
  UINT Interval() const noexcept { return FInterval; }
  bool Enabled() const noexcept { return FWnd != nullptr; }

  // (Re)starts the timer on the window; setting a running timer again restarts its period.
  void Start(HWND wnd, UINT interval) noexcept;
  // Changes the period; a running timer takes it from now on.
  void SetInterval(UINT interval) noexcept;
  void Stop() noexcept;

 private:
  UINT_PTR FId;
  UINT FInterval = 1000;
  HWND FWnd = nullptr;
};

}  // namespace fw
