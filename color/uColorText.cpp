#include "color/uColorText.h"

#include <algorithm>
#include <string>

#include "support/uHexToInt.h"

std::optional<TColor> PastedTextToColor(std::string_view ansi, std::uint8_t order) {
  if (ansi.empty() || ansi.size() > 7) return std::nullopt;
  // Byte by byte: a lead or trail byte of a double-byte character is no
  // digit either way, and the limit above counts bytes.
  std::wstring wide;
  for (char c : ansi) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  const auto value = static_cast<std::uint32_t>(HexToInt(wide));
  if (order == 0) return ((value >> 16) & 0xFFu) | (value & 0xFF00u) | ((value & 0xFFu) << 16);
  if (order == 1) return value & 0xFFFFFFu;
  return std::nullopt;
}

int CellTextToChannel(std::wstring_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  if (i == text.size()) return 0;
  int value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return 0;
    value = std::min(value * 10 + (text[i] - L'0'), 1000);  // far enough above 255 not to overflow
  }
  return negative ? 0 : std::min(value, 255);
}

TColor CellTextsToColor(std::wstring_view red, std::wstring_view green, std::wstring_view blue) {
  return static_cast<TColor>(CellTextToChannel(red)) | static_cast<TColor>(CellTextToChannel(green)) << 8 |
         static_cast<TColor>(CellTextToChannel(blue)) << 16;
}
