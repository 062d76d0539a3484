#pragma once
// The system's low-level mouse and keyboard hooks for one scope: every
// button, wheel and key event of the session passes the handlers first, so
// a pick can take its clicks and keys from over any program's window
// without that window seeing them. One hook object at a time.
#include <windows.h>

#include <functional>

namespace fw {

class TInputHook {
 public:
  // message is WM_MOUSEMOVE, WM_LBUTTONDOWN, ..., WM_MOUSEWHEEL (delta in
  // wheel units), at a screen point in physical pixels. True swallows it.
  // The handlers run inside the system's input path: they decide and post,
  // and leave longer work for later.
  std::function<bool(UINT message, POINT screen, int wheelDelta)> OnMouse;
  // message is WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP.
  std::function<bool(UINT message, DWORD virtualKey)> OnKey;

  // True when both hooks are in place (false when another hook object is).
  bool Install();
  void Remove() noexcept;
  bool Installed() const noexcept { return FMouse != nullptr; }

  TInputHook() = default;
  ~TInputHook() { Remove(); }
  TInputHook(const TInputHook&) = delete;
  TInputHook& operator=(const TInputHook&) = delete;

 private:
  static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK KeyProc(int code, WPARAM wParam, LPARAM lParam);

  HHOOK FMouse = nullptr;
  HHOOK FKeys = nullptr;
};

}  // namespace fw
