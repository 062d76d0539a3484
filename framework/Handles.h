#pragma once
// Move-only owners for Win32 handles, so every path (also under exceptions)
// releases what it acquired.
#include <windows.h>

#include <utility>

namespace fw {

template <typename Traits>
class TUniqueHandle {
 public:
  using THandle = typename Traits::THandle;

  TUniqueHandle() noexcept = default;
  explicit TUniqueHandle(THandle h) noexcept : FHandle(h) {}
  ~TUniqueHandle() { Reset(); }

  TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(other.Release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;

  THandle Get() const noexcept { return FHandle; }
  explicit operator bool() const noexcept { return FHandle != Traits::Invalid(); }

  THandle Release() noexcept { return std::exchange(FHandle, Traits::Invalid()); }
  void Reset(THandle h = Traits::Invalid()) noexcept {
    THandle old = std::exchange(FHandle, h);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // For out-parameters of APIs that create the handle.
  THandle* Put() noexcept {
    Reset();
    return &FHandle;
  }

 private:
  THandle FHandle = Traits::Invalid();
};

template <typename T>
struct TGdiTraits {
  using THandle = T;
  static THandle Invalid() noexcept { return nullptr; }
  static void Close(THandle h) noexcept { ::DeleteObject(h); }
};
struct TMemDCTraits {
  using THandle = HDC;
  static THandle Invalid() noexcept { return nullptr; }
  static void Close(THandle h) noexcept { ::DeleteDC(h); }
};
struct TKeyTraits {
  using THandle = HKEY;
  static THandle Invalid() noexcept { return nullptr; }
  static void Close(THandle h) noexcept { ::RegCloseKey(h); }
};
struct TKernelTraits {
  using THandle = HANDLE;
  static THandle Invalid() noexcept { return nullptr; }
  static void Close(THandle h) noexcept { ::CloseHandle(h); }
};
struct TIconTraits {
  using THandle = HICON;
  static THandle Invalid() noexcept { return nullptr; }
  static void Close(THandle h) noexcept { ::DestroyIcon(h); }
};
struct TCursorTraits {
  using THandle = HCURSOR;
  static THandle Invalid() noexcept { return nullptr; }
  static void Close(THandle h) noexcept { ::DestroyCursor(h); }
};
struct TMenuTraits {
  using THandle = HMENU;
  static THandle Invalid() noexcept { return nullptr; }
  static void Close(THandle h) noexcept { ::DestroyMenu(h); }
};
struct TAccelTraits {
  using THandle = HACCEL;
  static THandle Invalid() noexcept { return nullptr; }
  static void Close(THandle h) noexcept { ::DestroyAcceleratorTable(h); }
};
struct TGlobalTraits {
  using THandle = HGLOBAL;
  static THandle Invalid() noexcept { return nullptr; }
  static void Close(THandle h) noexcept { ::GlobalFree(h); }
};

using TUniquePen = TUniqueHandle<TGdiTraits<HPEN>>;
using TUniqueBrush = TUniqueHandle<TGdiTraits<HBRUSH>>;
using TUniqueFont = TUniqueHandle<TGdiTraits<HFONT>>;
using TUniqueBitmap = TUniqueHandle<TGdiTraits<HBITMAP>>;
using TUniqueRgn = TUniqueHandle<TGdiTraits<HRGN>>;
using TUniqueMemDC = TUniqueHandle<TMemDCTraits>;
using TUniqueKey = TUniqueHandle<TKeyTraits>;
using TUniqueKernelHandle = TUniqueHandle<TKernelTraits>;
using TUniqueIcon = TUniqueHandle<TIconTraits>;
using TUniqueCursor = TUniqueHandle<TCursorTraits>;
using TUniqueMenu = TUniqueHandle<TMenuTraits>;
using TUniqueAccel = TUniqueHandle<TAccelTraits>;
using TUniqueGlobal = TUniqueHandle<TGlobalTraits>;

// GetDC/ReleaseDC pair; a null window means the screen.
class TWindowDC {
 public:
  explicit TWindowDC(HWND wnd) noexcept : FWnd(wnd), FDC(::GetDC(wnd)) {}
  ~TWindowDC() {
    if (FDC) ::ReleaseDC(FWnd, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const noexcept { return FDC; }
  explicit operator bool() const noexcept { return FDC != nullptr; }

 private:
  HWND FWnd;
  HDC FDC;
};

// BeginPaint/EndPaint pair.
class TPaintDC {
 public:
  explicit TPaintDC(HWND wnd) noexcept : FWnd(wnd) { FDC = ::BeginPaint(wnd, &FPs); }
  ~TPaintDC() { ::EndPaint(FWnd, &FPs); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Get() const noexcept { return FDC; }
  const PAINTSTRUCT& Info() const noexcept { return FPs; }

 private:
  HWND FWnd;
  PAINTSTRUCT FPs{};
  HDC FDC = nullptr;
};

// Selects an object for a scope and puts the previous one back.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ obj) noexcept : FDC(dc), FOld(::SelectObject(dc, obj)) {}
  ~TSelectObject() {
    if (FOld && FOld != HGDI_ERROR) ::SelectObject(FDC, FOld);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

// SaveDC/RestoreDC for code that changes several DC attributes.
class TSaveDC {
 public:
  explicit TSaveDC(HDC dc) noexcept : FDC(dc), FState(::SaveDC(dc)) {}
  ~TSaveDC() {
    if (FState) ::RestoreDC(FDC, FState);
  }
  TSaveDC(const TSaveDC&) = delete;
  TSaveDC& operator=(const TSaveDC&) = delete;

 private:
  HDC FDC;
  int FState;
};

// GlobalLock/GlobalUnlock pair.
template <typename T = void>
class TGlobalLock {
 public:
  explicit TGlobalLock(HGLOBAL mem) noexcept : FMem(mem), FPtr(static_cast<T*>(::GlobalLock(mem))) {}
  ~TGlobalLock() {
    if (FPtr) ::GlobalUnlock(FMem);
  }
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  T* Get() const noexcept { return FPtr; }
  explicit operator bool() const noexcept { return FPtr != nullptr; }

 private:
  HGLOBAL FMem;
  T* FPtr;
};

}  // namespace fw
