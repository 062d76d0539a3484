#pragma once
// The settings file on disk: read whole, replaced whole.
#include <windows.h>

#include <cstdint>
#include <string>

#include "core/support/uIniFile.h"

enum class TSettingsFileState { Read, Missing, Unreadable, Undecodable };

struct TSettingsFileRead {
  TSettingsFileState State = TSettingsFileState::Missing;
  TIniFile Ini;  // empty unless read
};

// Anything above this size is not a settings file this program wrote.
constexpr std::uint64_t kMaxSettingsFileBytes = 16u << 20;

TSettingsFileRead ReadSettingsFile(const std::wstring& path);

// Writes a file beside it and moves that over it, so a failure at any point
// leaves the old file whole. False when the file was not replaced.
bool WriteSettingsFile(const std::wstring& path, const TIniFile& ini);

// Whether WriteSettingsFile can work: the folder takes a new file and the
// file itself is not marked read-only.
bool CanReplaceSettingsFile(const std::wstring& path);
