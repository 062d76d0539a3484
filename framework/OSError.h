#pragma once
// The operating-system error: a failed system call, with its error number
// and the system's own text for it.
#include <windows.h>

#include "core/support/Exception.h"

namespace fw {

class EOSError : public Exception {
 public:
  explicit EOSError(DWORD errorCode);
  DWORD ErrorCode() const noexcept { return FErrorCode; }

 private:
  DWORD FErrorCode;
};

// Raises EOSError for GetLastError(); a call that failed without setting it
// still raises, with code 0.
[[noreturn]] void RaiseLastOSError();

}  // namespace fw
