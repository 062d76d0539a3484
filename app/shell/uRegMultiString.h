#pragma once
// Multi-string (REG_MULTI_SZ) values in the registry.
#include <windows.h>

#include <optional>
#include <string>

// The value's data as UTF-16 code units, its NULs included (an odd last
// byte is dropped); none for an empty key path, a missing key or value, a
// value of another type than REG_MULTI_SZ or REG_SZ, or one above maxChars.
std::optional<std::wstring> GetRegistryMultiString(HKEY root, const std::wstring& key, const std::wstring& value,
                                                   std::size_t maxChars);

// Creates the key when needed and writes data, which holds its own NULs, as
// REG_MULTI_SZ; raises ERegistryError.
void SetRegistryMultiString(HKEY root, const std::wstring& key, const std::wstring& value, const std::wstring& data);
