#include "framework/SpeedButton.h"

#include <optional>
#include <utility>

#include "framework/Application.h"
#include "framework/Image.h"

namespace fw {

void TSpeedButton::Create(TWindow* parent) {
  TCreateParams p;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  // Double clicks are two presses for a button: no CS_DBLCLKS.
  p.ClassStyle = 0;
  CreateHandle(parent, p);
}

void TSpeedButton::SetGlyph(HBITMAP glyph) {
  FGlyph.Reset(glyph);
  Invalidate();
}

void TSpeedButton::SetShownDown(bool down) {
  FState = down ? TButtonState::bsDown : (Enabled() ? TButtonState::bsUp : TButtonState::bsDisabled);
  Invalidate();
  Update();
}

void TSpeedButton::SetEnabled(bool enabled) {
  TWindow::SetEnabled(enabled);
  FState = enabled ? TButtonState::bsUp : TButtonState::bsDisabled;
  Invalidate();
}

void TSpeedButton::Click() {
  if (OnClick) OnClick(this);
}

bool TSpeedButton::Inside(int x, int y) const noexcept {
  return x >= 0 && y >= 0 && x < ClientWidth() && y < ClientHeight();
}

bool TSpeedButton::WMMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  MouseDown(button, shift, x, y);
  return true;
}

bool TSpeedButton::WMMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  MouseUp(button, shift, x, y);
  return true;
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  FPressAborted = false;
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
  // The handler may have run a modal loop and the press ended inside it.
  if (FPressAborted || !Handle() || !Enabled() || button != TMouseButton::mbLeft) return;
  FState = TButtonState::bsDown;
  FDragging = true;
  ::SetCapture(Handle());
  Invalidate();
  Update();
}

bool TSpeedButton::WMMouseMove(TShiftState, int x, int y) {
  if (!FDragging) return true;
  TButtonState state = Inside(x, y) ? TButtonState::bsDown : TButtonState::bsUp;
  if (state != FState) {
    FState = state;
    Invalidate();
    Update();
  }
  return true;
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const bool wasDragging = FDragging && button == TMouseButton::mbLeft;
  if (wasDragging) {
    FDragging = false;
    if (::GetCapture() == Handle()) ::ReleaseCapture();
  }
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  if (!wasDragging) return;
  const bool click = Inside(x, y) && FState == TButtonState::bsDown;
  FState = Enabled() ? TButtonState::bsUp : TButtonState::bsDisabled;
  Invalidate();
  Update();
  if (click) Click();
}

void TSpeedButton::WMCaptureChanged(HWND newCapture) {
  // Capture taken away mid-press (a window popped up, cancel mode): a release
  // off the button, so that whoever saw the press also sees it end.
  if (FDragging && newCapture != Handle()) MouseUp(TMouseButton::mbLeft, TShiftState{}, -1, -1);
}

bool TSpeedButton::Paint(HDC dc, const RECT&) {
  PaintButton(dc);
  return true;
}

void TSpeedButton::PaintButton(HDC dc) {
  RECT r = ClientRect();
  ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
  const bool down = FState == TButtonState::bsDown;
  ::DrawEdge(dc, &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  if (!FGlyph) return;
  BITMAP bm{};
  if (!::GetObjectW(FGlyph.Get(), sizeof(bm), &bm)) return;
  const int offset = down ? 1 : 0;
  const int x = (r.right - r.left - bm.bmWidth) / 2 + offset;
  const int y = (r.bottom - r.top - bm.bmHeight) / 2 + offset;
  DrawTransparentGlyph(dc, FGlyph.Get(), x, y, Enabled());
}

void DrawTransparentGlyph(HDC dc, HBITMAP glyph, int x, int y, bool enabled) {
  BITMAP bm{};
  if (!glyph || !::GetObjectW(glyph, sizeof(bm), &bm)) return;
  const int w = bm.bmWidth, h = bm.bmHeight;
  TUniqueMemDC image(::CreateCompatibleDC(dc));
  if (!image) return;
  std::optional<TSelectObject> selectImage(std::in_place, image.Get(), glyph);
  const COLORREF transparent = ::GetPixel(image.Get(), 0, h - 1);
  if (enabled) {
    // A bitmap is selected into one DC at a time: the blit selects it again.
    selectImage.reset();
    DrawTransparentBitmap(dc, x, y, glyph, transparent);
    return;
  }
  TUniqueMemDC maskDC(::CreateCompatibleDC(dc));
  TUniqueBitmap mask = CreateTransparencyMask(image.Get(), w, h, transparent);
  if (!maskDC || !mask) return;
  TSelectObject selectMask(maskDC.Get(), mask.Get());
  const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBk = ::SetBkColor(dc, RGB(255, 255, 255));
  // The glyph's shape twice: highlight one pixel down-right, shadow on top.
  constexpr DWORD kPSDPxax = 0x00B8074A;  // brush where the source is 0
  for (auto [dx, colour] : {std::pair{1, COLOR_BTNHIGHLIGHT}, std::pair{0, COLOR_BTNSHADOW}}) {
    HGDIOBJ old = ::SelectObject(dc, ::GetSysColorBrush(colour));
    ::BitBlt(dc, x + dx, y + dx, w, h, maskDC.Get(), 0, 0, kPSDPxax);
    ::SelectObject(dc, old);
  }
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBk);
}

}  // namespace fw
