#include "core/colorlist/uColorListCell.h"

#include <algorithm>

std::wstring SanitizeCommentText(std::wstring text) {
  for (wchar_t& c : text)
    if (c == L'\r' || c == L'\n' || c == 26 || c == 0) c = L' ';
  return text;
}

bool CellToInt(std::wstring_view text, std::int32_t& value) {
  std::size_t p = 0;
  bool negative = false;
  if (p < text.size() && (text[p] == L'+' || text[p] == L'-')) negative = text[p++] == L'-';
  if (p == text.size()) return false;
  const std::int64_t limit = negative ? 0x80000000LL : 0x7FFFFFFFLL;
  std::int64_t magnitude = 0;
  for (; p < text.size(); ++p) {
    if (text[p] < L'0' || text[p] > L'9') return false;
    magnitude = magnitude * 10 + (text[p] - L'0');
    if (magnitude > limit) return false;
  }
  value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return true;
}

std::int32_t CellToChannel(std::wstring_view text) {
  std::int32_t value = 0;
  if (!CellToInt(text, value)) value = 0;
  return std::clamp<std::int32_t>(value, 0, 255);
}
