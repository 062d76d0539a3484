#include "framework/support/uRegistry.h"

#include <mutex>
#include <optional>

#include "framework/Handles.h"
#include "framework/support/uSettingsFile.h"

namespace {

constexpr DWORD kBufferChars = 256;
// The longest value name the registry takes.
constexpr std::size_t kMaxValueName = 16383;

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

// --- the INI file standing in for one key ------------------------------------

struct TIniStore {
  std::wstring Path;
  std::wstring Key;
  std::wstring Section;  // for the key's own values
};

// A change is a read, an edit and a replace of the file: one at a time,
// whichever thread asks.
std::mutex gIniMutex;
std::optional<TIniStore> gIniStore;

std::wstring_view WithoutTrailingSeparators(std::wstring_view key) {
  while (!key.empty() && key.back() == L'\\') key.remove_suffix(1);
  return key;
}

bool SameKeyText(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto fold = [](wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

// The section for a key, when the file stands in for it. Call with the lock held.
std::optional<std::wstring> IniSection(HKEY root, const std::wstring& key) {
  if (!gIniStore || root != HKEY_CURRENT_USER) return std::nullopt;
  const std::wstring_view asked = WithoutTrailingSeparators(key);
  const std::wstring_view own = gIniStore->Key;
  if (asked.size() < own.size() || !SameKeyText(asked.substr(0, own.size()), own)) return std::nullopt;
  if (asked.size() == own.size()) return gIniStore->Section;
  if (asked[own.size()] != L'\\') return std::nullopt;
  return std::wstring(asked.substr(own.size() + 1));
}

// The registry's reading rules: the text runs up to its first zero, and the
// short reader gives nothing for what would not fit its buffer.
std::wstring IniRead(const std::wstring& section, const std::wstring& value, bool limited) {
  const TSettingsFileRead file = ReadSettingsFile(gIniStore->Path);
  if (file.State != TSettingsFileState::Read) return {};
  const std::optional<std::wstring> text = file.Ini.Value(section, value);
  if (!text || (limited && text->size() >= kBufferChars)) return {};
  return text->substr(0, text->find(L'\0'));
}

void IniChange(const wchar_t* function, const std::wstring& section, const std::wstring& value,
               const std::wstring* text) {
  const std::wstring& path = gIniStore->Path;
  TSettingsFileRead file = ReadSettingsFile(path);
  if (file.State == TSettingsFileState::Unreadable || file.State == TSettingsFileState::Undecodable)
    throw ERegistryError(std::wstring(function) + L": cannot read \"" + path + L"\"");
  if (text) {
    if (file.Ini.Value(section, value) == *text) return;
    if (value.size() > kMaxValueName || !file.Ini.SetValue(section, value, *text))
      throw ERegistryError(std::wstring(function) + L": \"" + path + L"\" cannot hold the name [" + section + L"] " +
                           value.substr(0, 64));
  } else if (!file.Ini.DeleteValue(section, value)) {
    return;
  }
  if (!WriteSettingsFile(path, file.Ini))
    throw ERegistryError(std::wstring(function) + L": cannot write \"" + path + L"\"");
}

}  // namespace

void InstallIniSettings(const std::wstring& iniPath, const std::wstring& key) {
  const std::wstring_view own = WithoutTrailingSeparators(key);
  const std::size_t lastSeparator = own.rfind(L'\\');
  std::wstring section(lastSeparator == std::wstring_view::npos ? own : own.substr(lastSeparator + 1));
  std::lock_guard lock(gIniMutex);
  // An empty path means no key at all to the registry functions.
  if (own.empty()) {
    gIniStore.reset();
    return;
  }
  gIniStore = TIniStore{iniPath, std::wstring(own), std::move(section)};
}

void RemoveIniSettings() {
  std::lock_guard lock(gIniMutex);
  gIniStore.reset();
}

std::wstring IniSettingsPath() {
  std::lock_guard lock(gIniMutex);
  return gIniStore ? gIniStore->Path : std::wstring();
}

std::wstring GetRegistryVal(HKEY root, const std::wstring& key, const std::wstring& value) {
  {
    std::lock_guard lock(gIniMutex);
    if (const std::optional<std::wstring> section = IniSection(root, key)) return IniRead(*section, value, true);
  }
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
  {
    std::lock_guard lock(gIniMutex);
    if (const std::optional<std::wstring> section = IniSection(root, key)) return IniRead(*section, value, false);
  }
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
  {
    std::lock_guard lock(gIniMutex);
    if (const std::optional<std::wstring> section = IniSection(root, key))
      return IniChange(L"SetRegistryVal", *section, value, &text);
  }
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
  {
    std::lock_guard lock(gIniMutex);
    if (const std::optional<std::wstring> section = IniSection(root, key))
      return IniChange(L"DeleteRegistryVal", *section, value, nullptr);
  }
  fw::TUniqueKey hkey;
  if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE, hkey.Put()) != ERROR_SUCCESS) return;
  LSTATUS status = ::RegDeleteValueW(hkey.Get(), value.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    hkey.Reset();
    throw ERegistryError(L"DeleteRegistryVal: RegDeleteValue failed");
  }
}
