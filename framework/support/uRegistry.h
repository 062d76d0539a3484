#pragma once
// Text values in the registry.
#include <windows.h>

#include <string>

#include "core/support/Exception.h"

class ERegistryError : public Exception {
 public:
  using Exception::Exception;
};

// Never fails: an empty key path, a missing key or value, or a value of 256
// characters or more all give an empty string. The value's type is ignored;
// the text runs up to its first zero.
std::wstring GetRegistryVal(HKEY root, const std::wstring& key, const std::wstring& value);

// The same rules without the length limit, for paths (a recent file, the last
// file, the data folder), which may well be longer than 255 characters.
std::wstring GetRegistryLongVal(HKEY root, const std::wstring& key, const std::wstring& value);

// Creates the key when needed and writes text as REG_SZ; raises ERegistryError.
void SetRegistryVal(HKEY root, const std::wstring& key, const std::wstring& value, const std::wstring& text);

// Removes a value; a missing key or value is not an error. Raises
// ERegistryError when the value is there and stays.
void DeleteRegistryVal(HKEY root, const std::wstring& key, const std::wstring& value);
