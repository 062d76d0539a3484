#include "app/shell/uRegMultiString.h"

#include "framework/Handles.h"
#include "framework/support/uRegistry.h"

std::optional<std::wstring> GetRegistryMultiString(HKEY root, const std::wstring& key, const std::wstring& value,
                                                   std::size_t maxChars) {
  fw::TUniqueKey hkey;
  if (key.empty() || ::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, hkey.Put()) != ERROR_SUCCESS) return std::nullopt;
  // Another writer may lengthen the value between the two calls: ask again.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExW(hkey.Get(), value.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
      return std::nullopt;
    if ((type != REG_MULTI_SZ && type != REG_SZ) || bytes / sizeof(wchar_t) > maxChars) return std::nullopt;
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LSTATUS status =
        ::RegQueryValueExW(hkey.Get(), value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS || (type != REG_MULTI_SZ && type != REG_SZ)) return std::nullopt;
    data.resize(got / sizeof(wchar_t));
    return data;
  }
  return std::nullopt;
}

void SetRegistryMultiString(HKEY root, const std::wstring& key, const std::wstring& value, const std::wstring& data) {
  fw::TUniqueKey hkey;
  if (key.empty() ||
      ::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, hkey.Put(), nullptr) != ERROR_SUCCESS)
    throw ERegistryError(L"SetRegistryMultiString: RegCreateKeyEx failed");
  if (::RegSetValueExW(hkey.Get(), value.c_str(), 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() * sizeof(wchar_t))) != ERROR_SUCCESS)
    throw ERegistryError(L"SetRegistryMultiString: RegSetValueEx failed");
}
