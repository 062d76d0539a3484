#include "controls/PaintBoxVel.h"

#include <commctrl.h>
#include <windowsx.h>

#include "framework/Application.h"
#include "framework/Handles.h"

TPaintBoxVel::~TPaintBoxVel() { DestroyHandle(); }

void TPaintBoxVel::Create(fw::TWindow* parent) {
  fw::TPaintBox::Create(parent);
  UpdateHintTool();
}

void TPaintBoxVel::SetOpaque(bool opaque) {
  if (FOpaque == opaque) return;
  FOpaque = opaque;
  Invalidate(!opaque);
}

bool TPaintBoxVel::WMEraseBkgnd(HDC dc) {
  if (FOpaque) return true;  // handled: leave the pixels for the paint to cover
  return fw::TPaintBox::WMEraseBkgnd(dc);
}

void TPaintBoxVel::Repaint() {
  if (!HandleAllocated()) return;
  if (!FOpaque) {
    Invalidate(true);
    Update();
    return;
  }
  fw::TWindowDC dc(Handle());
  if (!dc) return;
  Paint(dc.Get(), ClientRect());
}

void TPaintBoxVel::SetHint(std::wstring hint) {
  FHint = std::move(hint);
  UpdateHintTool();
}

void TPaintBoxVel::UpdateHintTool() {
  if (!HandleAllocated() || FHint.empty() || FHintWindow) return;
  FHintWindow = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                  fw::Application().Handle(), nullptr);
  if (!FHintWindow) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(Handle());
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  ::SendMessageW(FHintWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// Asked just before the tip shows; an empty text keeps it hidden.
void TPaintBoxVel::HintText(NMTTDISPINFOW& info) {
  FShownHint = FHint;
  bool canShow = true;
  if (OnShowHint) {
    fw::THintInfo hintInfo;
    hintInfo.HintControl = this;
    ::GetCursorPos(&hintInfo.CursorPos);
    ::ScreenToClient(Handle(), &hintInfo.CursorPos);
    hintInfo.CursorRect = ClientRect();
    hintInfo.HintMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    OnShowHint(this, FShownHint, canShow, hintInfo);
  }
  if (!canShow) FShownHint.clear();
  info.lpszText = FShownHint.data();
  info.szText[0] = L'\0';
  info.hinst = nullptr;
}

void TPaintBoxVel::SetMouseInside(bool inside) {
  if (FMouseInside == inside) return;
  FMouseInside = inside;
  if (inside) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
    ::TrackMouseEvent(&track);
    if (OnMouseEnter) OnMouseEnter(this);
  } else if (OnMouseLeave) {
    OnMouseLeave(this);
  }
}

bool TPaintBoxVel::MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  const fw::TShiftState shift = fw::TShiftState::FromKeyFlags(wParam);
  fw::TMouseButton button = fw::TMouseButton::mbLeft;
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
      button = fw::TMouseButton::mbRight;
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      button = fw::TMouseButton::mbMiddle;
      break;
    default:
      break;
  }
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Every later move and the release reach the box, wherever the pointer goes.
      ::SetCapture(Handle());
      [[fallthrough]];
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
      return true;
    case WM_MOUSEMOVE: {
      const RECT r = ClientRect();
      SetMouseInside(x >= r.left && x < r.right && y >= r.top && y < r.bottom);
      if (OnMouseMove) OnMouseMove(this, shift, x, y);
      return true;
    }
    case WM_LBUTTONUP:
      if (::GetCapture() == Handle()) ::ReleaseCapture();
      [[fallthrough]];
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
      return true;
    default:
      return false;
  }
}

LRESULT TPaintBoxVel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (MouseMessage(msg, wParam, lParam)) return 0;
      break;
    case WM_MOUSELEAVE:
      SetMouseInside(false);
      return 0;
    case WM_MOUSEWHEEL:
      // Wheel positions are screen coordinates already; the parent scrolls.
      if (fw::TWindow* parent = Parent(); parent && parent->HandleAllocated())
        return ::SendMessageW(parent->Handle(), msg, wParam, lParam);
      break;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      if (FHintWindow && hdr->hwndFrom == FHintWindow && hdr->code == TTN_GETDISPINFOW) {
        HintText(*reinterpret_cast<NMTTDISPINFOW*>(hdr));
        return 0;
      }
      break;
    }
    default:
      break;
  }
  return fw::TPaintBox::WndProc(msg, wParam, lParam);
}

void TPaintBoxVel::HandleDestroying() {
  if (FHintWindow) ::DestroyWindow(FHintWindow);
  FHintWindow = nullptr;
  FMouseInside = false;
  fw::TPaintBox::HandleDestroying();
}
