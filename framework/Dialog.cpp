#include "framework/Dialog.h"

#include <algorithm>
#include <vector>

#include "core/shell/uFitToWorkArea.h"
#include "core/support/uStrings.h"
#include "framework/Panel.h"

namespace fw {

namespace {

TRectI ToRectI(const RECT& r) { return TRectI{r.left, r.top, r.right, r.bottom}; }

}  // namespace

void TDialog::Create(TWindow* owner, int clientWidth, int clientHeight) {
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle | WS_EX_CONTROLPARENT);
  TWindow* root = owner && owner->HandleAllocated() ? FromHandle(::GetAncestor(owner->Handle(), GA_ROOT)) : owner;
  // Placed before the window exists, so that it takes the DPI of the owner's monitor.
  const TPointI at = PlaceOn(root && root->HandleAllocated() ? root->Handle() : nullptr, frame.right - frame.left,
                             frame.bottom - frame.top);
  SetBounds(at.X, at.Y, frame.right - frame.left, frame.bottom - frame.top);
  TForm::Create(root, kStyle, kExStyle);
  // Grown to the monitor's DPI: centred again.
  const TPointI grown = PlaceOn(::GetWindow(Handle(), GW_OWNER), Width(), Height());
  SetBounds(grown.X, grown.Y, Width(), Height());
}

TPointI TDialog::PlaceOn(HWND owner, int width, int height) {
  // On the window it belongs to, as a dialog of the program; on the screen
  // when that window is hidden or minimized.
  const bool onOwner = owner && ::IsWindowVisible(owner) && !::IsIconic(owner);
  MONITORINFO info{sizeof(info)};
  const HMONITOR monitor = onOwner ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                                   : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  if (!::GetMonitorInfoW(monitor, &info))
    info.rcWork = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  RECT ownerRect = info.rcWork;
  if (onOwner) ::GetWindowRect(owner, &ownerRect);
  return CentreOn(ToRectI(ownerRect), width, height, ToRectI(info.rcWork));
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

bool TDialog::PressAccessKey(wchar_t key) {
  // In creation order, which is the tab order: a label's key goes to the
  // control after it.
  std::vector<TWindow*> controls;
  std::vector<TWindow*> pending(Children().rbegin(), Children().rend());
  while (!pending.empty()) {
    TWindow* w = pending.back();
    pending.pop_back();
    controls.push_back(w);
    pending.insert(pending.end(), w->Children().rbegin(), w->Children().rend());
  }
  // The control's own visibility: the dialog may still be hidden while it is built.
  const auto usable = [](TWindow* w) {
    return w->HandleAllocated() && (::GetWindowLongW(w->Handle(), GWL_STYLE) & WS_VISIBLE) &&
           ::IsWindowEnabled(w->Handle());
  };
  for (std::size_t i = 0; i < controls.size(); ++i) {
    TWindow* w = controls[i];
    const bool button = dynamic_cast<TButton*>(w) != nullptr;
    if (!(button || dynamic_cast<TLabel*>(w)) || !usable(w) || AccessKeyOf(w->Text()) != key) continue;
    if (button) {
      static_cast<TButton*>(w)->Click();
      return true;
    }
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      if (usable(controls[j]) && (::GetWindowLongW(controls[j]->Handle(), GWL_STYLE) & WS_TABSTOP)) {
        controls[j]->SetFocus();
        return true;
      }
    }
  }
  return false;
}

bool TDialog::PreTranslateMessage(MSG& msg) {
  // Alt and a letter: the button or the labelled control that shows it underlined.
  if (msg.message == WM_SYSKEYDOWN && Handle() && (msg.hwnd == Handle() || ::IsChild(Handle(), msg.hwnd)) &&
      ::GetKeyState(VK_CONTROL) >= 0 &&
      ((msg.wParam >= 'A' && msg.wParam <= 'Z') || (msg.wParam >= '0' && msg.wParam <= '9')) &&
      PressAccessKey(static_cast<wchar_t>(msg.wParam)))
    return true;
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
