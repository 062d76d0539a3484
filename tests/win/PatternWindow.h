#pragma once
// Known pixels on the screen: a topmost window that shows a pattern,
// for the tests that read the real screen.
#include <windows.h>

#include "framework/Application.h"
#include "tests/win/DibCanvas.h"

// A distinct colour for every screen pixel of the pattern window.
inline COLORREF Pattern(int x, int y) { return RGB((x * 37) & 0xFF, (y * 53) & 0xFF, (x * 11 + y * 29) & 0xFF); }

// Black and white squares of one pixel, white at the window's top-left.
inline COLORREF Checker(int x, int y) { return (x + y) % 2 == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0); }

// A top-level window that shows pattern(x, y) at client pixel (x, y).
class TPatternWindow {
 public:
  TPatternWindow(int left, int top, int width, int height, COLORREF (*pattern)(int, int) = Pattern)
      : FCanvas(width, height) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) FCanvas.Set(x, y, pattern(x, y));
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TintraTestPattern";
    ::RegisterClassW(&wc);
    // Never activated: under Wine without a window manager that waits two seconds for the X focus.
    FWnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"TintraTestPattern", L"", WS_POPUP | WS_VISIBLE, left,
                             top, width, height, nullptr, nullptr, wc.hInstance, this);
    ::SetWindowLongPtrW(FWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::InvalidateRect(FWnd, nullptr, FALSE);
    ::UpdateWindow(FWnd);
    fw::Application().ProcessMessages();
    ::Sleep(100);
    fw::Application().ProcessMessages();
  }
  ~TPatternWindow() { ::DestroyWindow(FWnd); }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TPatternWindow*>(::GetWindowLongPtrW(w, GWLP_USERDATA));
    if (m == WM_PAINT && self) {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(w, &ps);
      ::BitBlt(dc, 0, 0, self->FCanvas.Width(), self->FCanvas.Height(), self->FCanvas.DC(), 0, 0, SRCCOPY);
      ::EndPaint(w, &ps);
      return 0;
    }
    if (m == WM_ERASEBKGND) return 1;
    return ::DefWindowProcW(w, m, wp, lp);
  }
  TDibCanvas FCanvas;
  HWND FWnd = nullptr;
};
