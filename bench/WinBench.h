#pragma once
// What the Windows-side benchmarks share: a clock, the median of rounds,
// and twelve plain system edits as the floor for the channel editors.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <vector>

#include "app/uProgramResources.h"
#include "framework/Application.h"
#include "framework/Handles.h"

// OLE, the common controls, the application and the program's resources,
// started as the program starts them, for as long as it lives.
class TBenchProgram {
 public:
  TBenchProgram() {
    ::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    fw::Application().Initialize(::GetModuleHandleW(nullptr));
    InstallProgramResources(::GetModuleHandleW(nullptr));
  }
  ~TBenchProgram() { ::OleUninitialize(); }
  TBenchProgram(const TBenchProgram&) = delete;
  TBenchProgram& operator=(const TBenchProgram&) = delete;
};

inline double Now() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Twelve system edits of the editors' size and font, in two columns of six
// on a top-level window of their own at (left, top).
class TPlainEdits {
 public:
  TPlainEdits(HFONT font, DWORD editStyle, int left, int top, int width, int height, POINT firstEdit, SIZE step) {
    FHost = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, left, top,
                              width, height, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < 12; ++i) {
      FEdits[i] = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"0", WS_CHILD | WS_VISIBLE | editStyle,
                                    firstEdit.x + (i / 6) * step.cx, firstEdit.y + (i % 6) * step.cy, 60, 21, FHost,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
      ::SendMessageW(FEdits[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
  }
  ~TPlainEdits() { ::DestroyWindow(FHost); }
  TPlainEdits(const TPlainEdits&) = delete;
  TPlainEdits& operator=(const TPlainEdits&) = delete;

  HWND Host() const noexcept { return FHost; }
  void Write(const int (&values)[12]) {
    for (int i = 0; i < 12; ++i) {
      wchar_t text[16];
      wsprintfW(text, L"%d", values[i]);
      ::SetWindowTextW(FEdits[i], text);
    }
  }

 private:
  HWND FHost = nullptr;
  HWND FEdits[12] = {};
};

// The floor of an eyedropper move: one GetPixel beside one 13 x 9 BitBlt
// and one StretchDIBits of 13 x 9 to 104 x 72 into zoom, with per-move DCs.
class TSamplingFloor {
 public:
  explicit TSamplingFloor(HWND zoom) : FZoom(zoom), FMem(::CreateCompatibleDC(nullptr)) {
    FInfo.bmiHeader = {sizeof(BITMAPINFOHEADER), 13, 9, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    FBitmap.Reset(::CreateDIBSection(nullptr, &FInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
    FBits = bits;
    FOld = ::SelectObject(FMem.Get(), FBitmap.Get());
  }
  ~TSamplingFloor() { ::SelectObject(FMem.Get(), FOld); }
  // The floor the targets are set against reads the pixel with GetPixel
  // beside the copy, as the program once did; without it, the least a
  // move can do now.
  COLORREF Move(POINT p, bool getPixel = true) {
    COLORREF c = 0;
    {
      fw::TWindowDC screen(nullptr);
      if (getPixel) c = ::GetPixel(screen.Get(), p.x, p.y);
      ::BitBlt(FMem.Get(), 0, 0, 13, 9, screen.Get(), p.x - 6, p.y - 4, SRCCOPY);
    }
    ::GdiFlush();
    if (!getPixel) {
      // The centre of the bottom-up rows, each padded to 40 bytes.
      const auto* centre = static_cast<const BYTE*>(FBits) + 4 * 40 + 6 * 3;
      c = RGB(centre[2], centre[1], centre[0]);
    }
    fw::TWindowDC zoom(FZoom);
    ::StretchDIBits(zoom.Get(), 0, 0, 104, 72, 0, 0, 13, 9, FBits, &FInfo, DIB_RGB_COLORS, SRCCOPY);
    return c;
  }

 private:
  HWND FZoom;
  fw::TUniqueMemDC FMem;
  fw::TUniqueBitmap FBitmap;
  BITMAPINFO FInfo{};
  void* FBits = nullptr;
  HGDIOBJ FOld = nullptr;
};
