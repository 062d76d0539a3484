#include "framework/support/uGlobalMem.h"

#include <string>

#include "core/support/uUserError.h"

HGLOBAL GlobalAllocK(UINT flags, SIZE_T size) {
  HGLOBAL mem = ::GlobalAlloc(flags, size);
  if (!mem) throw EUserError(OutOfMemoryText());
  return mem;
}

void GlobalFreeK(HGLOBAL& mem) {
  if (!mem) return;
  HGLOBAL failed = ::GlobalFree(mem);
  const DWORD error = ::GetLastError();
  mem = nullptr;
  if (failed) throw EUserError(L"GlobalFreeK: GlobalFreeFailed(" + std::to_wstring(error) + L")");
}

void GlobalEnsureSize(HGLOBAL& mem, SIZE_T size) {
  if (mem && ::GlobalSize(mem) >= size) return;
  GlobalFreeK(mem);
  mem = ::GlobalAlloc(GMEM_FIXED, size);
}
