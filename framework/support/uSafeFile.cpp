#include "framework/support/uSafeFile.h"

#include <algorithm>

namespace fw {

std::optional<std::string> ReadFileBytes(const std::wstring& name, std::size_t limit) {
  TUniqueFile file(::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  while (bytes.size() <= limit) {
    DWORD got = 0;
    if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return bytes;
}

bool WriteFileBytes(HANDLE file, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::size_t done = 0;
  while (done < size) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, bytes + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return ::FlushFileBuffers(file) != FALSE;
}

bool WriteWholeFile(const std::wstring& name, const void* data, std::size_t size) {
  TUniqueFile file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !WriteFileBytes(file.Get(), data, size)) return false;
  // A full disk may show only when the cached data goes out at close.
  return ::CloseHandle(file.Release()) != FALSE;
}

std::wstring TempFileBeside(const std::wstring& name) {
  const std::size_t slash = name.find_last_of(L"\\/:");
  std::wstring dir = slash == std::wstring::npos ? L"." : name.substr(0, slash + 1);
  wchar_t temp[MAX_PATH + 16] = {};
  if (dir.size() >= MAX_PATH - 14 || !::GetTempFileNameW(dir.c_str(), L"ttr", 0, temp)) return {};
  return temp;
}

bool CannotReplace(const std::wstring& name) {
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

bool ReplaceFileWhole(const std::wstring& name, const void* data, std::size_t size, std::wstring side) {
  if (CannotReplace(name)) return false;
  const std::wstring temp = side.empty() ? TempFileBeside(name) : std::move(side);
  if (temp.empty()) return false;
  if (WriteWholeFile(temp, data, size) &&
      ::MoveFileExW(temp.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  ::DeleteFileW(temp.c_str());
  return false;
}

}  // namespace fw
