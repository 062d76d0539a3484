#include "core/color/uColorText.h"

#include <string>

#include "core/support/uHexToInt.h"

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
