#pragma once
// Live GDI objects of this process, for leak checks. Wine answers 0 to
// GetGuiResources; there every live object is found by its handle's low
// word, which Wine accepts in place of the full handle.
#include <windows.h>

inline DWORD GdiObjectCount() {
  if (DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return n;
  DWORD n = 0;
  for (ULONG_PTR i = 1; i < 0x10000; ++i)
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++n;
  return n;
}
