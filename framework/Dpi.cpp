#include "framework/Dpi.h"

#include "framework/Handles.h"

namespace fw {

namespace {

template <typename F>
F UserProc(const char* name) noexcept {
  HMODULE user = ::GetModuleHandleW(L"user32.dll");
  return user ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(user, name))) : nullptr;
}

using TGetDpiForWindow = UINT(WINAPI*)(HWND);
// GetDpiForMonitor's MDT_EFFECTIVE_DPI.
using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

TGetDpiForMonitor MonitorDpiProc() noexcept {
  // Loaded once and kept: the module stays for the process anyway.
  static const TGetDpiForMonitor proc = []() noexcept -> TGetDpiForMonitor {
    HMODULE shcore = ::LoadLibraryW(L"shcore.dll");
    return shcore ? reinterpret_cast<TGetDpiForMonitor>(reinterpret_cast<void*>(::GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  return proc;
}

TRectI ToRect(const RECT& r) { return TRectI{r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoW(monitor, &info)) return TRUE;
  try {
    reinterpret_cast<TMonitorLayout*>(data)->push_back({ToRect(info.rcMonitor), ToRect(info.rcWork),
                                                        MonitorDpi(monitor),
                                                        (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  } catch (...) {
    return FALSE;  // nothing may cross the callback
  }
  return TRUE;
}

}  // namespace

int SystemDpi() noexcept {
  TWindowDC screen(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : kDefaultDpi;
}

int WindowDpi(HWND wnd) noexcept {
  static const TGetDpiForWindow proc = UserProc<TGetDpiForWindow>("GetDpiForWindow");
  if (proc && wnd) {
    if (const UINT dpi = proc(wnd); dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

int MonitorDpi(HMONITOR monitor) noexcept {
  if (TGetDpiForMonitor proc = MonitorDpiProc(); proc && monitor) {
    UINT x = 0, y = 0;
    if (SUCCEEDED(proc(monitor, 0, &x, &y)) && x > 0) return static_cast<int>(x);
  }
  return SystemDpi();
}

SIZE FrameSize(DWORD style, DWORD exStyle, bool menu, int dpi) noexcept {
  using TAdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const TAdjustForDpi proc = UserProc<TAdjustForDpi>("AdjustWindowRectExForDpi");
  RECT r{0, 0, 0, 0};
  if (proc && proc(&r, style, menu, exStyle, static_cast<UINT>(dpi)))
    return SIZE{r.right - r.left, r.bottom - r.top};
  // Older systems measure at the system DPI only.
  r = RECT{0, 0, 0, 0};
  ::AdjustWindowRectEx(&r, style, menu, exStyle);
  const int system = SystemDpi();
  return SIZE{MulDivRound(r.right - r.left, dpi, system), MulDivRound(r.bottom - r.top, dpi, system)};
}

TMonitorLayout DisplayMonitors() {
  TMonitorLayout layout;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&layout));
  return layout;
}

HBITMAP StretchBitmapNearest(HBITMAP bitmap, int width, int height) noexcept {
  BITMAP info{};
  if (!bitmap || width <= 0 || height <= 0 || !::GetObjectW(bitmap, sizeof(info), &info)) return nullptr;
  TWindowDC screen(nullptr);
  TUniqueMemDC src(::CreateCompatibleDC(screen.Get())), dst(::CreateCompatibleDC(screen.Get()));
  if (!src || !dst) return nullptr;
  TUniqueBitmap result(::CreateCompatibleBitmap(screen.Get(), width, height));
  if (!result) return nullptr;
  {
    TSelectObject selectSrc(src.Get(), bitmap);
    TSelectObject selectDst(dst.Get(), result.Get());
    ::SetStretchBltMode(dst.Get(), COLORONCOLOR);
    if (!::StretchBlt(dst.Get(), 0, 0, width, height, src.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY))
      return nullptr;
  }
  return result.Release();
}

}  // namespace fw
