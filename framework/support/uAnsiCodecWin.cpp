#include "framework/support/uAnsiCodecWin.h"

#include <climits>

namespace {

bool Encode(UINT codePage, DWORD flags, BOOL* usedDefault, std::wstring_view text, std::string& out) {
  const int length = static_cast<int>(text.size());
  const int bytes = ::WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, usedDefault);
  if (bytes <= 0) return false;
  out.resize(static_cast<std::size_t>(bytes));
  return ::WideCharToMultiByte(codePage, flags, text.data(), length, out.data(), bytes, nullptr, usedDefault) == bytes;
}

}  // namespace

bool TAnsiCodecWin::EncodeExact(std::wstring_view text, std::string& out) const {
  out.clear();
  if (text.empty()) return true;
  if (text.size() > INT_MAX / 4) return false;
  BOOL usedDefault = FALSE;
  // UTF-8 and the stateful code pages refuse both the flag and the
  // used-default query; for them, and whenever a flag is refused, the plain
  // conversion is made and only the round trip below judges it.
  if (Encode(FCodePage, WC_NO_BEST_FIT_CHARS, &usedDefault, text, out)) {
    if (usedDefault) return false;
  } else if (!Encode(FCodePage, 0, nullptr, text, out)) {
    return false;
  }
  // Wine and some code pages map a character to a look-alike without saying
  // so; only text that reads back unchanged is exact.
  return Decode(out) == text;
}

std::wstring TAnsiCodecWin::Decode(std::string_view bytes) const {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int length = static_cast<int>(bytes.size());
  const int chars = ::MultiByteToWideChar(FCodePage, 0, bytes.data(), length, nullptr, 0);
  if (chars <= 0) return {};
  std::wstring text(static_cast<std::size_t>(chars), L'\0');
  ::MultiByteToWideChar(FCodePage, 0, bytes.data(), length, text.data(), chars);
  return text;
}

bool TAnsiCodecWin::DecodeExact(std::string_view bytes, std::wstring& out) const {
  out = Decode(bytes);
  if (bytes.empty()) return true;
  // The system says exactly which bytes form no character; the code pages
  // that cannot tell (they take every byte) answer with the plain decode.
  const int length = static_cast<int>(bytes.size());
  if (::MultiByteToWideChar(FCodePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0) > 0) return true;
  return ::GetLastError() != ERROR_NO_UNICODE_TRANSLATION && out.find(L'\uFFFD') == std::wstring::npos;
}
