#pragma once
// Files written whole: a new file shows under its name only once all of it
// is on the disk, and a failure at any point leaves the old file as it was.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "framework/Handles.h"

namespace fw {

struct TFileHandleTraits {
  using THandle = HANDLE;
  static THandle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(THandle h) noexcept { ::CloseHandle(h); }
};
using TUniqueFile = TUniqueHandle<TFileHandleTraits>;

// The file's bytes, reading stopped once more than limit came in; nothing
// when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::wstring& name, std::size_t limit = SIZE_MAX);

// All the bytes, then flushed; false on any failure.
bool WriteFileBytes(HANDLE file, const void* data, std::size_t size);
// Creates name and writes the bytes, flushed and closed; false on any failure.
bool WriteWholeFile(const std::wstring& name, const void* data, std::size_t size);
// A new empty file of a unique name in name's folder (on the same volume, so
// it can be renamed over name); empty when none can be made there.
std::wstring TempFileBeside(const std::wstring& name);
// A read-only file or a folder: renaming it aside would work, and the new
// file could then not be written where the user expects it.
bool CannotReplace(const std::wstring& name);
// Writes the bytes beside name (in side, or a new temporary file when
// empty) and moves them over it; false, with name as it was and nothing left
// beside it, on any failure.
bool ReplaceFileWhole(const std::wstring& name, const void* data, std::size_t size, std::wstring side = {});

}  // namespace fw
