#include "framework/OSError.h"

#include <string>

namespace fw {

namespace {

std::wstring SystemText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (n && buffer) text.assign(buffer, n);
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text;
}

}  // namespace

EOSError::EOSError(DWORD errorCode)
    : Exception(L"System Error.  Code: " + std::to_wstring(errorCode) + L".\r\n" + SystemText(errorCode)),
      FErrorCode(errorCode) {}

void RaiseLastOSError() { throw EOSError(::GetLastError()); }

}  // namespace fw
