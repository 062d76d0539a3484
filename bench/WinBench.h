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
