#pragma once
// Byte streams: the abstract stream, a memory stream and a file stream, with
// the exceptions their callers catch.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/support/Exception.h"

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
// A file that cannot be created; a kind of open error, so callers that only
// care whether the file could be had catch EFOpenError.
class EFCreateError : public EFOpenError {
 public:
  using EFOpenError::EFOpenError;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Writes up to count bytes; returns how many were written.
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  // Returns the new position; a target before the start raises EStreamError.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Size();

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

  // All or nothing: fewer bytes raise EReadError / EWriteError.
  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  TMemoryStream(const void* data, std::size_t size);

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }

  // Growing fills with zeros; the position is kept, also beyond the new end.
  void SetSize(std::int64_t size);
  void Clear();
  const std::uint8_t* Memory() const noexcept { return FData.data(); }
  const std::vector<std::uint8_t>& Bytes() const noexcept { return FData; }

 private:
  std::vector<std::uint8_t> FData;
  std::int64_t FPosition = 0;
};

enum class TFileMode {
  // Existing file, read only; others may read it but not write it.
  fmOpenRead,
  // Created or truncated, read and write, exclusive access.
  fmCreate,
};

class TFileStream : public TStream {
 public:
  // Raises EFOpenError (EFCreateError for fmCreate) when the file cannot be had.
  TFileStream(const std::wstring& fileName, TFileMode mode);
  ~TFileStream() override;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

  const std::wstring& FileName() const noexcept { return FFileName; }

 private:
  std::FILE* FFile = nullptr;
  std::wstring FFileName;
  // C streams need a seek between a write and a following read and vice versa.
  enum class TLastOp { loNone, loRead, loWrite } FLastOp = TLastOp::loNone;
};

