#include "core/shell/uIntToken.h"

namespace {

int DigitValue(wchar_t c, int base) {
  int v = 99;
  if (c >= L'0' && c <= L'9')
    v = c - L'0';
  else if (c >= L'a' && c <= L'f')
    v = c - L'a' + 10;
  else if (c >= L'A' && c <= L'F')
    v = c - L'A' + 10;
  return v < base ? v : -1;
}

}  // namespace

std::wstring_view GetToken(std::wstring_view text, std::size_t& pos, wchar_t separator) {
  if (pos >= text.size()) {
    pos = text.size();
    return {};
  }
  const std::size_t end = text.find(separator, pos);
  std::wstring_view token = text.substr(pos, end == std::wstring_view::npos ? std::wstring_view::npos : end - pos);
  pos = end == std::wstring_view::npos ? text.size() : end + 1;
  return token;
}

std::optional<std::int32_t> TextToInt(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == L' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  int base = 10;
  if (i < text.size() && text[i] == L'$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  // 64 bits hold any 32-bit value times 16 plus a digit: the range check
  // below can never be fooled by a wrapped product.
  std::int64_t value = 0;
  const std::int64_t limit = negative ? std::int64_t{INT32_MAX} + 1 : INT32_MAX;
  for (; i < text.size(); ++i) {
    const int d = DigitValue(text[i], base);
    if (d < 0) return std::nullopt;
    value = value * base + d;
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::int32_t GetIntToken(std::wstring_view text, std::size_t& pos, wchar_t separator, std::int32_t def) {
  return TextToInt(GetToken(text, pos, separator)).value_or(def);
}
