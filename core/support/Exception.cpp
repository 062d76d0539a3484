#include "core/support/Exception.h"

#include "core/support/uUtf8.h"

std::string WideToUtf8(const std::wstring& text) { return Utf8Encode(text); }

Exception::Exception(std::wstring message) { SetMessage(std::move(message)); }

void Exception::SetMessage(std::wstring message) {
  FMessage = std::move(message);
  FWhat = WideToUtf8(FMessage);
}

