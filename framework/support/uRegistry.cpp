#include "framework/support/uRegistry.h"

#include "framework/Handles.h"

namespace {

constexpr DWORD kBufferChars = 256;

// The stored data need not end in a zero: never look past what was returned.
std::wstring TextUpToZero(const wchar_t* data, DWORD bytes) {
  std::size_t chars = bytes / sizeof(wchar_t);
  std::size_t length = 0;
  while (length < chars && data[length] != L'\0') ++length;
  return std::wstring(data, length);
}

bool OpenForReading(HKEY root, const std::wstring& key, fw::TUniqueKey& hkey) {
  return !key.empty() && ::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, hkey.Put()) == ERROR_SUCCESS;
}

}  // namespace

std::wstring GetRegistryVal(HKEY root, const std::wstring& key, const std::wstring& value) {
  fw::TUniqueKey hkey;
  if (!OpenForReading(root, key, hkey)) return {};
  wchar_t buffer[kBufferChars];
  DWORD bytes = sizeof(buffer);
  if (::RegQueryValueExW(hkey.Get(), value.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &bytes) !=
      ERROR_SUCCESS)
    return {};
  return TextUpToZero(buffer, bytes);
}

std::wstring GetRegistryLongVal(HKEY root, const std::wstring& key, const std::wstring& value) {
  fw::TUniqueKey hkey;
  if (!OpenForReading(root, key, hkey)) return {};
  std::wstring buffer(kBufferChars, L'\0');
  // Another writer may lengthen the value between the two calls: ask again.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    LSTATUS status =
        ::RegQueryValueExW(hkey.Get(), value.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (status == ERROR_SUCCESS) return TextUpToZero(buffer.data(), bytes);
    if (status != ERROR_MORE_DATA) return {};
    buffer.assign(bytes / sizeof(wchar_t) + 1, L'\0');
  }
  return {};
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

void DeleteRegistryVal(HKEY root, const std::wstring& key, const std::wstring& value) {
  fw::TUniqueKey hkey;
  if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE, hkey.Put()) != ERROR_SUCCESS) return;
  LSTATUS status = ::RegDeleteValueW(hkey.Get(), value.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    hkey.Reset();
    throw ERegistryError(L"DeleteRegistryVal: RegDeleteValue failed");
  }
}
