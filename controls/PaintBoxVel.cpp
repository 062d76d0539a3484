#include "controls/PaintBoxVel.h"

#include <commctrl.h>

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

// A double click arrives here too, as the second press of a pair.
bool TPaintBoxVel::WMMouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  // Every later move and the release reach the box, wherever the pointer goes.
  if (button == fw::TMouseButton::mbLeft) ::SetCapture(Handle());
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
  return true;
}

bool TPaintBoxVel::WMMouseMove(fw::TShiftState shift, int x, int y) {
  const RECT r = ClientRect();
  SetMouseInside(x >= r.left && x < r.right && y >= r.top && y < r.bottom);
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
  return true;
}

bool TPaintBoxVel::WMMouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  if (button == fw::TMouseButton::mbLeft && ::GetCapture() == Handle()) ::ReleaseCapture();
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  return true;
}

LRESULT TPaintBoxVel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
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
