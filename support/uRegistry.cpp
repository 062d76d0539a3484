#include "support/uRegistry.h"

#include "framework/Handles.h"

namespace {
constexpr DWORD kBufferChars = 256;
}

std::wstring GetRegistryVal(HKEY root, const std::wstring& key, const std::wstring& value) {
  if (key.empty()) return {};
  fw::TUniqueKey hkey;
  if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, hkey.Put()) != ERROR_SUCCESS) return {};
  wchar_t buffer[kBufferChars];
  DWORD bytes = sizeof(buffer);
  if (::RegQueryValueExW(hkey.Get(), value.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &bytes) !=
      ERROR_SUCCESS)
    return {};
  // The stored data need not end in a zero: never look past what was returned.
  std::size_t chars = bytes / sizeof(wchar_t);
  std::size_t length = 0;
  while (length < chars && buffer[length] != L'\0') ++length;
  return std::wstring(buffer, length);
}

void SetRegistryVal(HKEY root, const std::wstring& key, const std::wstring& value, const std::wstring& text) {
  fw::TUniqueKey hkey;
  if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, hkey.Put(),
                        nullptr) != ERROR_SUCCESS)
    throw ERegistryError(L"SetRegistryVal: RegCreateKeyEx failed");
  const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  if (::RegSetValueExW(hkey.Get(), value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) !=
      ERROR_SUCCESS) {
    hkey.Reset();
    throw ERegistryError(L"SetRegistryVal: RegSetValueEx failed");
  }
}
