#include "framework/support/uSystemProc.h"

namespace fw {

FARPROC LoadSystemProc(const wchar_t* dll, const char* name) noexcept {
  // From the system folder only, never from beside a document or the program.
  HMODULE module = ::LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Systems without the search flags refuse it as a parameter.
  if (!module && ::GetLastError() == ERROR_INVALID_PARAMETER) {
    wchar_t path[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n + 1 + ::lstrlenW(dll) >= MAX_PATH) return nullptr;
    path[n] = L'\\';
    ::lstrcpyW(path + n + 1, dll);
    module = ::LoadLibraryW(path);
  }
  // Kept loaded for the process's life, as an import would be.
  return module ? ::GetProcAddress(module, name) : nullptr;
}

}  // namespace fw
