#pragma once
// Text values in the registry, or in an INI file standing in for one key.
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

// From now on the values of one key of HKEY_CURRENT_USER and of its subkeys
// are read from and written to an INI file instead, by the same four
// functions and the same rules: the key's own values in the section named
// after its last part ("SOFTWARE\ZORVEK\Tintra" -> [Tintra]), a subkey's in
// the section named by its path below the key ("...\Tintra\History" ->
// [History]). Every call reads the file afresh (so two copies of the program
// see each other's changes), and a change replaces it whole, making it anew
// if it was deleted meanwhile; a file that cannot be read reads as empty and
// refuses changes (ERegistryError) rather than being overwritten. Other keys
// stay in the registry. Installing again replaces the file and key.
void InstallIniSettings(const std::wstring& iniPath, const std::wstring& key);
void RemoveIniSettings();
// The INI file in use, or empty when every value is in the registry.
std::wstring IniSettingsPath();
