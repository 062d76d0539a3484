#include "core/support/uStrings.h"

namespace {

// count units starting at the 1-based position start; a start below 1 counts
// as 1, and the part beyond the end is cut off, as the caption rule wants.
std::wstring_view Copy(std::wstring_view s, std::ptrdiff_t start, std::ptrdiff_t count) {
  if (start < 1) start = 1;
  std::size_t from = static_cast<std::size_t>(start - 1);
  if (count <= 0 || from >= s.size()) return {};
  return s.substr(from, static_cast<std::size_t>(count));
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

bool IsPathDelimiter(wchar_t c) { return c == L'\\' || c == L'/' || c == L':'; }

}  // namespace

std::wstring StripAccelerator(std::wstring_view caption) {
  const auto n = static_cast<std::ptrdiff_t>(caption.size());
  if (Copy(caption, n - 6, 2) == L"(&" && Copy(caption, n - 3, 4) == L")...")
    return std::wstring(Copy(caption, 1, n - 7));
  if (Copy(caption, n - 3, 2) == L"(&" && Copy(caption, n, 1) == L")") return std::wstring(Copy(caption, 1, n - 4));
  return std::wstring(caption);
}

wchar_t AccessKeyOf(std::wstring_view caption) noexcept {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    const wchar_t key = caption[++i];
    if (key == L'&') continue;
    const wchar_t upper = key >= L'a' && key <= L'z' ? static_cast<wchar_t>(key - L'a' + L'A') : key;
    return (upper >= L'A' && upper <= L'Z') || (upper >= L'0' && upper <= L'9') ? upper : 0;
  }
  return 0;
}

std::wstring ExtractFileTitle(std::wstring_view path) {
  std::size_t start = path.size();
  while (start > 0 && !IsPathDelimiter(path[start - 1])) --start;
  std::wstring_view name = path.substr(start);
  std::size_t dot = name.rfind(L'.');
  if (dot != std::wstring_view::npos && dot > 0) name = name.substr(0, dot);
  return std::wstring(name);
}

std::size_t CommonPrefixLength(std::wstring_view a, std::wstring_view b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] != 0 && a[i] == b[i]) {
    if (!IsHighSurrogate(a[i])) {
      ++i;
      continue;
    }
    // Both units of the pair must be there and agree, else the pair is not shared.
    if (i + 1 >= a.size() || i + 1 >= b.size() || a[i + 1] == 0 || a[i + 1] != b[i + 1]) break;
    i += 2;
  }
  return i;
}

std::wstring AsciiLowered(std::wstring_view text) {
  std::wstring lowered(text);
  for (wchar_t& c : lowered) c = AsciiLower(c);
  return lowered;
}

bool AsciiEqualNoCase(std::wstring_view a, std::wstring_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

bool AsciiEndsWithNoCase(std::wstring_view text, std::wstring_view suffix) noexcept {
  return text.size() >= suffix.size() && AsciiEqualNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::wstring FillFields(std::wstring_view text, std::initializer_list<TTextField> fields) {
  std::wstring out;
  out.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    bool filled = false;
    if (text[at] == L'{')
      for (const auto& [key, value] : fields)
        if (text.substr(at).starts_with(key)) {
          out += value;
          at += key.size();
          filled = true;
          break;
        }
    if (!filled) out += text[at++];
  }
  return out;
}
