#include "core/support/uUserError.h"

#include <exception>
#include <utility>

namespace {

std::wstring& OutOfMemoryTextStore() {
  static std::wstring text;
  return text;
}

// Only an exception inside a handler can be inspected portably: while a
// destructor runs during unwinding, std::uncaught_exceptions() says something
// is in flight but no standard call hands out the object, so that case gives
// the plain text.
std::wstring ChainedText(const std::wstring& message) {
  std::exception_ptr current = std::current_exception();
  if (!current) return message;
  try {
    std::rethrow_exception(current);
  } catch (const Exception& e) {
    return e.Message() + L"\r\n" + message;
  } catch (...) {
  }
  return message;
}

}  // namespace

EUserError::EUserError(const std::wstring& message) : Exception(ChainedText(message)) {}

const std::wstring& OutOfMemoryText() { return OutOfMemoryTextStore(); }

void SetOutOfMemoryText(std::wstring text) { OutOfMemoryTextStore() = std::move(text); }
