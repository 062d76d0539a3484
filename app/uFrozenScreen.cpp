#include "app/uFrozenScreen.h"

#include <algorithm>

bool TScreenSnapshot::Take(const TMonitorLayout& monitors) {
  if (monitors.empty()) return false;
  TRectI all = monitors.front().Bounds;
  for (const TMonitor& m : monitors)
    all = TRectI{std::min(all.Left, m.Bounds.Left), std::min(all.Top, m.Bounds.Top), std::max(all.Right, m.Bounds.Right),
                 std::max(all.Bottom, m.Bounds.Bottom)};
  fw::TWindowDC screen(nullptr);
  if (!screen) return false;
  // The same screens again: the section of the last copy takes the new one,
  // with its pages already in memory.
  if (Taken() && all == FBounds) {
    CopyScreenRect(FDC.Get(), POINT{0, 0}, TPixelSource{screen.Get(), {}}, all, monitors);
    ::GdiFlush();
    return true;
  }
  Free();
  // A section the same depth as the pixels it holds: no conversion on the
  // copy, nor on the reads from it.
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), all.Width(), -all.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  FBitmap.Reset(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  FDC.Reset(::CreateCompatibleDC(screen.Get()));
  if (!FBitmap || !FDC) {
    Free();
    return false;
  }
  FOld = ::SelectObject(FDC.Get(), FBitmap.Get());
  FBounds = all;
  CopyScreenRect(FDC.Get(), POINT{0, 0}, TPixelSource{screen.Get(), {}}, all, monitors);
  ::GdiFlush();
  return true;
}

void TScreenSnapshot::Free() noexcept {
  if (FDC && FOld) ::SelectObject(FDC.Get(), FOld);
  FOld = nullptr;
  FDC.Reset();
  FBitmap.Reset();
}

bool TFrozenScreen::Freeze(const TMonitorLayout& monitors, HCURSOR cursor, const std::wstring& title) {
  Thaw();
  if (!FSnapshot.Take(monitors)) return false;
  if (!Handle()) {
    TCreateParams p;
    p.Style = WS_POPUP;
    p.ExStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
    p.Text = title;
    p.Cursor = cursor;
    SetVisible(false);
    CreateHandle(nullptr, p);
  }
  const TRectI& b = FSnapshot.Bounds();
  ::SetWindowPos(Handle(), HWND_TOPMOST, b.Left, b.Top, b.Width(), b.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // Shown at once, not after the paint message: the pick reads nothing
  // from the live screen in between anyway.
  ::UpdateWindow(Handle());
  return true;
}

void TFrozenScreen::Thaw() noexcept {
  if (Handle()) ::ShowWindow(Handle(), SW_HIDE);
  FSnapshot.Free();
}

std::optional<TPixelSource> TFrozenScreen::Source() const {
  if (!FSnapshot.Taken()) return std::nullopt;
  return FSnapshot.Source();
}

bool TFrozenScreen::Paint(HDC dc, const RECT& clip) {
  if (!FSnapshot.Taken()) return true;
  const TPixelSource s = FSnapshot.Source();
  ::BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, s.DC, clip.left, clip.top, SRCCOPY);
  return true;
}

LRESULT TFrozenScreen::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return fw::TWindow::WndProc(msg, wParam, lParam);
}
