#include "framework/InputHook.h"

namespace fw {

namespace {

TInputHook* gHook = nullptr;

}  // namespace

bool TInputHook::Install() {
  if (Installed()) return true;
  if (gHook) return false;
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  FMouse = ::SetWindowsHookExW(WH_MOUSE_LL, &MouseProc, module, 0);
  FKeys = ::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyProc, module, 0);
  if (!FMouse || !FKeys) {
    Remove();
    return false;
  }
  gHook = this;
  return true;
}

void TInputHook::Remove() noexcept {
  if (FMouse) ::UnhookWindowsHookEx(FMouse);
  if (FKeys) ::UnhookWindowsHookEx(FKeys);
  FMouse = FKeys = nullptr;
  if (gHook == this) gHook = nullptr;
}

LRESULT CALLBACK TInputHook::MouseProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && gHook && gHook->OnMouse) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    const UINT message = static_cast<UINT>(wParam);
    const int delta = message == WM_MOUSEWHEEL ? static_cast<short>(HIWORD(info->mouseData)) : 0;
    try {
      if (gHook->OnMouse(message, info->pt, delta)) return 1;
    } catch (...) {
      // The system's input must go on; the event passes as if unhooked.
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TInputHook::KeyProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && gHook && gHook->OnKey) {
    const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    try {
      if (gHook->OnKey(static_cast<UINT>(wParam), info->vkCode)) return 1;
    } catch (...) {
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace fw
