#include "app/document/uListRecovery.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "core/document/uDocumentState.h"
#include "framework/support/uRegistry.h"

namespace {

constexpr wchar_t kExtension[] = L".recovery";
constexpr wchar_t kLockExtension[] = L".lock";
// Changes that come in a burst (a drag through many rows, a held key) are
// written once; the user still loses at most this much.
constexpr auto kGather = std::chrono::milliseconds(300);

std::wstring WithSlash(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  return folder;
}

// Each folder of the path, as CreateDirectory makes one at a time.
bool MakeFolders(const std::wstring& folder) {
  for (std::size_t at = folder.find_first_of(L"\\/", 3); at != std::wstring::npos;
       at = folder.find_first_of(L"\\/", at + 1))
    ::CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
  ::CreateDirectoryW(folder.c_str(), nullptr);
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring Environment(const wchar_t* name) {
  wchar_t buffer[MAX_PATH * 2] = {};
  const DWORD n = ::GetEnvironmentVariableW(name, buffer, static_cast<DWORD>(std::size(buffer)));
  return n > 0 && n < std::size(buffer) ? std::wstring(buffer, n) : std::wstring();
}


}  // namespace

std::wstring DefaultRecoveryFolder() {
  const std::wstring ini = IniSettingsPath();
  if (!ini.empty()) {
    const std::wstring dir = FileDirPart(ini);
    return WithSlash(dir.empty() ? L"." : dir) + L"Recovery";
  }
  std::wstring base = Environment(L"LOCALAPPDATA");
  if (base.empty()) {
    base = Environment(L"USERPROFILE");
    if (base.empty()) return {};
    base = WithSlash(base) + L"AppData\\Local";
  }
  return WithSlash(base) + L"Tintra\\Recovery";
}

TListRecovery::TListRecovery(std::wstring folder) : FFolder(std::move(folder)) {
  if (FFolder.empty() || !MakeFolders(FFolder)) {
    FFolder.clear();
    return;
  }
  const std::wstring id = std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64());
  FOwnFile = WithSlash(FFolder) + id + kExtension;
  FLockFile = WithSlash(FFolder) + id + kLockExtension;
  // Open as long as the program runs; the system closes it, and deletes it,
  // however the program ends.
  FLock.Reset(::CreateFileW(FLockFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  FWriter = std::thread([this] { Run(); });
}

TListRecovery::~TListRecovery() {
  if (!FWriter.joinable()) return;
  {
    std::lock_guard lock(FMutex);
    FStop = true;
  }
  FWake.notify_all();
  FWriter.join();
}

void TListRecovery::Keep(const TColorListSnapshot& items, const std::wstring& listFile, int current) {
  if (FFolder.empty()) return;
  {
    std::lock_guard lock(FMutex);
    FPending = TJob{true, items, listFile, current};
  }
  FWake.notify_all();
}

void TListRecovery::Forget() {
  if (FFolder.empty()) return;
  {
    std::lock_guard lock(FMutex);
    FPending = TJob{};
  }
  FWake.notify_all();
}

void TListRecovery::Flush() {
  std::unique_lock lock(FMutex);
  FIdle.wait(lock, [this] { return !FPending && !FBusy; });
}

void TListRecovery::Run() {
  std::unique_lock lock(FMutex);
  for (;;) {
    FWake.wait(lock, [this] { return FPending || FStop; });
    if (FStop && !FPending) break;
    // A little time for the next change of a burst, unless the program is ending.
    if (!FStop) FWake.wait_for(lock, kGather, [this] { return FStop; });
    TJob job = std::move(*FPending);
    FPending.reset();
    FBusy = true;
    lock.unlock();
    try {
      if (job.Write) {
        const std::string bytes = RecoveryFileBytes(job.ListFile, job.Items, job.Current);
        fw::ReplaceFileWhole(FOwnFile, bytes.data(), bytes.size());
      } else {
        ::DeleteFileW(FOwnFile.c_str());
      }
    } catch (...) {
      // Out of memory for the text: the previous file stays, the next change tries again.
    }
    job = {};
    lock.lock();
    FBusy = false;
    FIdle.notify_all();
  }
  FIdle.notify_all();
}

std::vector<std::wstring> TListRecovery::Orphans() const {
  std::vector<std::pair<ULONGLONG, std::wstring>> found;
  if (FFolder.empty()) return {};
  WIN32_FIND_DATAW data{};
  const std::wstring dir = WithSlash(FFolder);
  HANDLE find = ::FindFirstFileW((dir + L"*" + kExtension).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return {};
  do {
    const std::wstring name = data.cFileName;
    // The pattern also matches longer extensions on some systems.
    if (!name.ends_with(kExtension) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    const std::wstring file = dir + name;
    if (file == FOwnFile) continue;
    const std::wstring lock = file.substr(0, file.size() - std::size(kExtension) + 1) + kLockExtension;
    // Held open by its program while that runs; gone or free once it ended.
    fw::TUniqueFile probe(
        ::CreateFileW(lock.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe && ::GetLastError() == ERROR_SHARING_VIOLATION) continue;
    probe.Reset();
    ::DeleteFileW(lock.c_str());
    const ULONGLONG written =
        static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
    found.emplace_back(written, file);
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<std::wstring> files;
  for (auto& f : found) files.push_back(std::move(f.second));
  return files;
}

std::optional<TRecoveredList> TListRecovery::Read(const std::wstring& file) {
  const std::optional<std::string> bytes = fw::ReadFileBytes(file);
  return bytes ? ReadRecoveryFile(*bytes) : std::nullopt;
}

bool TListRecovery::Adopt(const std::wstring& orphan) {
  if (FFolder.empty()) return false;
  Flush();
  return ::MoveFileExW(orphan.c_str(), FOwnFile.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}
