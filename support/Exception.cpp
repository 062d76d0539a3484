#include "support/Exception.h"

#include "support/uUtf8.h"

namespace fw {

std::string WideToUtf8(const std::wstring& text) { return Utf8Encode(text); }

Exception::Exception(std::wstring message) { SetMessage(std::move(message)); }

void Exception::SetMessage(std::wstring message) {
  FMessage = std::move(message);
  FWhat = WideToUtf8(FMessage);
}

}  // namespace fw
