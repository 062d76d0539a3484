#include "core/support/Stream.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>

#ifdef _WIN32
#include <share.h>
#endif

namespace {

std::int64_t CheckedTarget(std::int64_t base, std::int64_t offset) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  if ((offset > 0 && base > kMax - offset) || base + offset < 0) throw EStreamError(L"Stream seek error");
  return base + offset;
}

// Own wording rather than strerror: stable across C libraries and locales.
std::wstring ErrnoReason(int error) {
  switch (error) {
    case ENOENT:
      return L"The file or folder does not exist.";
    case EACCES:
    case EPERM:
      return L"Access is denied.";
    case EISDIR:
      return L"The name is a folder.";
    case EEXIST:
      return L"The file already exists.";
    case EMFILE:
    case ENFILE:
      return L"Too many open files.";
    case ENOSPC:
      return L"There is not enough space on the disk.";
    case EROFS:
      return L"The medium is write-protected.";
    case ENAMETOOLONG:
      return L"The file name is too long.";
    case EINVAL:
      return L"The file name is not valid.";
    default:
      return L"System error " + std::to_wstring(error) + L".";
  }
}

[[noreturn]] void RaiseOpenError(TFileMode mode, const std::wstring& fileName, int error) {
  if (mode == TFileMode::fmCreate)
    throw EFCreateError(L"Cannot create file \"" + fileName + L"\". " + ErrnoReason(error));
  throw EFOpenError(L"Cannot open file \"" + fileName + L"\". " + ErrnoReason(error));
}

int SeekWhence(TSeekOrigin origin) {
  switch (origin) {
    case TSeekOrigin::soCurrent:
      return SEEK_CUR;
    case TSeekOrigin::soEnd:
      return SEEK_END;
    default:
      return SEEK_SET;
  }
}

int FileSeek(std::FILE* file, std::int64_t offset, int whence) {
#ifdef _WIN32
  return ::_fseeki64(file, offset, whence);
#else
  return ::fseeko(file, static_cast<off_t>(offset), whence);
#endif
}

std::int64_t FileTell(std::FILE* file) {
#ifdef _WIN32
  return ::_ftelli64(file);
#else
  return static_cast<std::int64_t>(::ftello(file));
#endif
}

}  // namespace

// --- TStream ---------------------------------------------------------------

std::int64_t TStream::Size() {
  std::int64_t position = Position();
  std::int64_t size = Seek(0, TSeekOrigin::soEnd);
  SetPosition(position);
  return size;
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(L"Stream write error");
}

// --- TMemoryStream ---------------------------------------------------------

TMemoryStream::TMemoryStream(const void* data, std::size_t size)
    : FData(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size) {}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  std::int64_t size = Size();
  if (count == 0 || FPosition >= size) return 0;
  std::size_t available = static_cast<std::size_t>(size - FPosition);
  std::size_t n = count < available ? count : available;
  std::memcpy(buffer, FData.data() + static_cast<std::size_t>(FPosition), n);
  FPosition += static_cast<std::int64_t>(n);
  return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  std::int64_t end = CheckedTarget(FPosition, static_cast<std::int64_t>(count));
  if (end > Size()) FData.resize(static_cast<std::size_t>(end));
  std::memcpy(FData.data() + static_cast<std::size_t>(FPosition), buffer, count);
  FPosition = end;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? FPosition : Size();
  FPosition = CheckedTarget(base, offset);
  return FPosition;
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (size < 0) throw EStreamError(L"Stream seek error");
  FData.resize(static_cast<std::size_t>(size));
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

// --- TFileStream -----------------------------------------------------------

TFileStream::TFileStream(const std::wstring& fileName, TFileMode mode) : FFileName(fileName) {
  errno = 0;
#ifdef _WIN32
  // _wfsopen takes the UTF-16 name as it is, so Japanese names survive on any code page.
  if (mode == TFileMode::fmCreate)
    FFile = ::_wfsopen(fileName.c_str(), L"w+b", _SH_DENYRW);
  else
    FFile = ::_wfsopen(fileName.c_str(), L"rb", _SH_DENYWR);
#else
  const std::string name = WideToUtf8(fileName);
  FFile = std::fopen(name.c_str(), mode == TFileMode::fmCreate ? "w+b" : "rb");
#endif
  if (!FFile) RaiseOpenError(mode, fileName, errno);
#ifndef _WIN32
  // POSIX opens a folder for reading; Windows refuses it, and so do we.
  std::error_code ec;
  if (std::filesystem::is_directory(std::filesystem::path(name), ec)) {
    std::fclose(FFile);
    FFile = nullptr;
    RaiseOpenError(mode, fileName, EISDIR);
  }
#endif
  // Unbuffered: a failing write then raises at once, instead of being lost in
  // a flush at close that nobody can report.
  std::setvbuf(FFile, nullptr, _IONBF, 0);
}

TFileStream::~TFileStream() {
  if (FFile) std::fclose(FFile);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  if (count == 0) return 0;
  if (FLastOp == TLastOp::loWrite) std::fflush(FFile);
  FLastOp = TLastOp::loRead;
  std::size_t n = std::fread(buffer, 1, count, FFile);
  if (n < count && std::ferror(FFile)) {
    std::clearerr(FFile);
    // Reporting a failed read as the end of the file would make callers
    // silently accept a truncated document.
    throw EReadError(L"Stream read error");
  }
  return n;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  if (FLastOp == TLastOp::loRead) FileSeek(FFile, 0, SEEK_CUR);
  FLastOp = TLastOp::loWrite;
  std::size_t n = std::fwrite(buffer, 1, count, FFile);
  if (n < count) std::clearerr(FFile);
  return n;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  if (origin == TSeekOrigin::soCurrent && offset == 0) {
    std::int64_t position = FileTell(FFile);
    if (position < 0) throw EStreamError(L"Stream seek error");
    return position;
  }
  if (origin == TSeekOrigin::soBeginning && offset < 0) throw EStreamError(L"Stream seek error");
  if (FileSeek(FFile, offset, SeekWhence(origin)) != 0) throw EStreamError(L"Stream seek error");
  FLastOp = TLastOp::loNone;
  std::int64_t position = FileTell(FFile);
  if (position < 0) throw EStreamError(L"Stream seek error");
  return position;
}

