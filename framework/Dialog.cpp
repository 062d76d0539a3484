#include "framework/Dialog.h"

#include <algorithm>
#include <vector>

namespace fw {

void TDialog::Create(TWindow* owner, int clientWidth, int clientHeight) {
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle | WS_EX_CONTROLPARENT);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  SetBounds((::GetSystemMetrics(SM_CXSCREEN) - w) / 2, (::GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h);
  TWindow* root = owner && owner->HandleAllocated() ? FromHandle(::GetAncestor(owner->Handle(), GA_ROOT)) : owner;
  TForm::Create(root, kStyle, kExStyle);
  // Grown to the monitor's DPI: centred again.
  SetBounds((::GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (::GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, Width(),
            Height());
}

void TDialog::CenterOnOwner() {
  const HWND owner = Handle() ? ::GetWindow(Handle(), GW_OWNER) : nullptr;
  RECT o{};
  if (!owner || !::GetWindowRect(owner, &o)) return;
  MONITORINFO monitor{sizeof(monitor)};
  if (!::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& work = monitor.rcWork;
  int left = (o.left + o.right - Width()) / 2, top = (o.top + o.bottom - Height()) / 2;
  left = std::max(std::min(left, static_cast<int>(work.right) - Width()), static_cast<int>(work.left));
  top = std::max(std::min(top, static_cast<int>(work.bottom) - Height()), static_cast<int>(work.top));
  SetBounds(left, top, Width(), Height());
}

TButton* TDialog::FindButton(bool cancel) const {
  std::vector<TWindow*> pending(Children().begin(), Children().end());
  while (!pending.empty()) {
    TWindow* w = pending.back();
    pending.pop_back();
    if (auto* b = dynamic_cast<TButton*>(w); b && (cancel ? b->Cancel() : b->Default())) return b;
    pending.insert(pending.end(), w->Children().begin(), w->Children().end());
  }
  return nullptr;
}

bool TDialog::PreTranslateMessage(MSG& msg) {
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) && Handle() &&
      (msg.hwnd == Handle() || ::IsChild(Handle(), msg.hwnd))) {
    // A control that takes the key itself (a multi-line edit) keeps it.
    const LRESULT code = ::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (!(code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) {
      TButton* button = nullptr;
      if (msg.wParam == VK_ESCAPE)
        button = FindButton(true);
      else if (auto* focused = dynamic_cast<TButton*>(FromHandle(msg.hwnd)))
        button = focused;
      else
        button = FindButton(false);
      if (button) {
        if (button->Enabled()) button->Click();
        return true;
      }
    }
  }
  return TForm::PreTranslateMessage(msg);
}

}  // namespace fw
