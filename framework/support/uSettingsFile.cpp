#include "framework/support/uSettingsFile.h"

#include <algorithm>
#include <optional>

#include "framework/support/uSafeFile.h"

namespace {

using fw::TUniqueFile;

// One name per process, so two copies of the program on one stick do not
// write into each other's file.
std::wstring SideName(const std::wstring& path) {
  return path + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
}

}  // namespace

TSettingsFileRead ReadSettingsFile(const std::wstring& path) {
  TSettingsFileRead result;
  // Shared for writing and deleting too: an editor holding the file open must
  // not turn the program's settings off.
  TUniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    result.State = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? TSettingsFileState::Missing
                                                                                   : TSettingsFileState::Unreadable;
    return result;
  }
  result.State = TSettingsFileState::Unreadable;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > kMaxSettingsFileBytes)
    return result;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!::ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr))
      return result;
    if (read == 0) break;  // shortened meanwhile
    done += read;
  }
  bytes.resize(done);
  std::optional<TIniFile> ini = TIniFile::FromBytes(bytes);
  if (!ini) {
    result.State = TSettingsFileState::Undecodable;
    return result;
  }
  result.State = TSettingsFileState::Read;
  result.Ini = std::move(*ini);
  return result;
}

bool WriteSettingsFile(const std::wstring& path, const TIniFile& ini) {
  const std::string bytes = ini.ToBytes();
  return fw::ReplaceFileWhole(path, bytes.data(), bytes.size(), SideName(path));
}

bool CanReplaceSettingsFile(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  const std::wstring side = SideName(path);
  TUniqueFile probe(::CreateFileW(side.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(probe);
}
