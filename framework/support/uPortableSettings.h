#pragma once
// Portable mode: a settings file beside the program takes the place of the
// registry, so the program leaves nothing on a machine it runs on from a stick.
#include <optional>
#include <string>

inline constexpr wchar_t kPortableSettingsFileName[] = L"Tintra.ini";

// Why the file beside the program could not be used, for one message box;
// the caller picks the text of the interface language.
struct TPortableSettingsNotice {
  std::wstring Japanese;
  std::wstring English;
};

// Called once at start, before any setting is read. With no Tintra.ini in
// the folder of exePath nothing changes. With one that can be read and
// replaced, the values of key (HKEY_CURRENT_USER) and its subkeys go to it.
// With one that cannot be read, is neither UTF-8 nor UTF-16, or stands in a
// folder that takes no new file (or is itself read-only), settings stay in
// the registry and the notice says so.
std::optional<TPortableSettingsNotice> StartPortableSettings(const std::wstring& exePath, const std::wstring& key);

// The running program's own file, whatever the length of its path.
std::wstring ProgramFilePath();
