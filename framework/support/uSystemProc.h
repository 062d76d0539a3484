#pragma once
// A function of a system DLL found when first called: a DLL the program
// imports is loaded before the first line runs, and under Wine shell32 and
// comdlg32 alone cost a good share of the start-up.
#include <windows.h>

namespace fw {

// Null when the DLL or the function is missing.
FARPROC LoadSystemProc(const wchar_t* dll, const char* name) noexcept;

template <typename F>
F* SystemProc(const wchar_t* dll, const char* name) noexcept {
  return reinterpret_cast<F*>(reinterpret_cast<void (*)()>(LoadSystemProc(dll, name)));
}

}  // namespace fw
