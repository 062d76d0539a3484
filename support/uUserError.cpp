#include "support/uUserError.h"

#include <exception>

namespace {

std::wstring Hex8(unsigned value) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring out(8, L'0');
  for (int i = 7; i >= 0; --i) {
    out[static_cast<size_t>(i)] = kDigits[value & 0xFu];
    value >>= 4;
  }
  return out;
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
  } catch (const fw::Exception& e) {
    return e.Message() + L":" + Hex8(e.Location()) + L"\r\n" + message;
  } catch (...) {
  }
  return message;
}

}  // namespace

EUserError::EUserError(const std::wstring& message) : fw::Exception(ChainedText(message)) {}
