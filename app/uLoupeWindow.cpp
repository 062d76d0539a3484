#include "app/uLoupeWindow.h"

#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "framework/Theme.h"
#include "core/sampling/uMonitorLayout.h"

namespace {

COLORREF ToRef(TColor c) { return static_cast<COLORREF>(c & 0xFFFFFFu); }

}  // namespace

void TLoupeWindow::Create(const std::wstring& title) {
  TCreateParams p;
  p.Style = WS_POPUP;
  p.ExStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
  p.Text = title;
  SetVisible(false);
  CreateHandle(nullptr, p);
}

TZoomGeometry TLoupeWindow::ViewGeometry(int dpi, int zoom) {
  return ZoomGeometry(LogicalToPhysical(kWidth, dpi), LogicalToPhysical(kViewHeight, dpi), ZoomCellSize(zoom, dpi));
}

int TLoupeWindow::Px(int designed) const noexcept { return LogicalToPhysical(designed, FDpi); }

void TLoupeWindow::PlaceAt(const TRectI& bounds, int dpi, bool raise) {
  FDpi = dpi > 0 ? dpi : 96;
  const bool resized = bounds.Width() != FBounds.Width() || bounds.Height() != FBounds.Height();
  const bool moved = bounds.Left != FBounds.Left || bounds.Top != FBounds.Top;
  FBounds = bounds;
  UINT flags = SWP_NOACTIVATE;
  if (!moved) flags |= SWP_NOMOVE;
  if (!resized) flags |= SWP_NOSIZE;
  // Reordering costs as much as the move itself under Wine: only when asked.
  if (!raise) flags |= SWP_NOZORDER;
  if (raise || !::IsWindowVisible(Handle())) flags |= SWP_SHOWWINDOW;
  if ((flags & (SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER)) == (SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER) &&
      !(flags & SWP_SHOWWINDOW))
    return;
  ::SetWindowPos(Handle(), HWND_TOPMOST, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), flags);
}

void TLoupeWindow::PaintNow() {
  if (!Handle()) return;
  fw::TWindowDC dc(Handle());
  if (dc) PaintLoupe(dc.Get());
}

bool TLoupeWindow::Paint(HDC dc, const RECT&) {
  PaintLoupe(dc);
  return true;
}

LRESULT TLoupeWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A click cannot land here (the pick takes it first), and it must never activate.
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return fw::TWindow::WndProc(msg, wParam, lParam);
}

void TLoupeWindow::PaintLoupe(HDC target) {
  const int w = FBounds.Width(), h = FBounds.Height();
  if (w <= 0 || h <= 0) return;
  if (!FBufferDC || FBufferSize.cx != w || FBufferSize.cy != h) {
    FBufferDC.Reset();
    FBuffer.Reset(::CreateCompatibleBitmap(target, w, h));
    FBufferDC.Reset(::CreateCompatibleDC(target));
    if (!FBuffer || !FBufferDC) return;
    ::SelectObject(FBufferDC.Get(), FBuffer.Get());
    FBufferSize = SIZE{w, h};
  }
  if (FFontDpi != FDpi) {
    LOGFONTW lf = UiFont(IDS_FONT_UI, 12);
    lf.lfHeight = -Px(12);
    FFont.Reset(::CreateFontIndirectW(&lf));
    FFontDpi = FDpi;
  }
  HDC dc = FBufferDC.Get();
  const RECT all{0, 0, w, h};
  const auto shown = [&](TColor c) { return ToRef(DisplayColor ? DisplayColor(c) : c); };
  ::FillRect(dc, &all, fw::ThemeBrush(fw::TThemeRole::InfoBack));
  const int viewH = std::min(Px(kViewHeight), h);
  Capture.Paint(dc, w, viewH, SampleSize, DisplayColor);

  const int text = viewH + Px(5);
  const RECT swatch{Px(6), text + Px(2), Px(46), text + Px(42)};
  {
    fw::TUniqueBrush brush(::CreateSolidBrush(Color ? shown(*Color) : fw::ThemeColor(fw::TThemeRole::InfoBack)));
    ::FillRect(dc, &swatch, brush.Get());
    ::FrameRect(dc, &swatch, fw::ThemeBrush(fw::TThemeRole::InfoText));
  }
  fw::TSelectObject font(dc, FFont.Get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, fw::ThemeColor(fw::TThemeRole::InfoText));
  const std::wstring* lines[] = {&ColorText, &NameText, &PositionText};
  for (int i = 0; i < 3; ++i) {
    RECT r{Px(52), text + Px(1 + 16 * i), w - Px(4), text + Px(17 + 16 * i)};
    ::DrawTextW(dc, lines[i]->c_str(), static_cast<int>(lines[i]->size()), &r,
                DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_VCENTER);
  }
  if (!Marker.empty()) {
    RECT r{Px(52), text + Px(33), w - Px(4), text + Px(49)};
    ::DrawTextW(dc, Marker.c_str(), static_cast<int>(Marker.size()), &r,
                DT_SINGLELINE | DT_NOPREFIX | DT_RIGHT | DT_VCENTER);
  }
  ::FrameRect(dc, &all, fw::ThemeBrush(fw::TThemeRole::WindowText));
  ::BitBlt(target, 0, 0, w, h, dc, 0, 0, SRCCOPY);
}
