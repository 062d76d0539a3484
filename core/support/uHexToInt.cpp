#include "core/support/uHexToInt.h"

#include "core/colorout/uColorChannels.h"

namespace {

std::uint32_t HexDigit(wchar_t ch) {
  if (ch >= L'0' && ch <= L'9') return static_cast<std::uint32_t>(ch - L'0');
  if (ch >= L'a' && ch <= L'f') return static_cast<std::uint32_t>(ch - L'a' + 10);
  if (ch >= L'A' && ch <= L'F') return static_cast<std::uint32_t>(ch - L'A' + 10);
  return 0;
}

}  // namespace

std::int32_t HexToInt(std::wstring_view text) {
  // Unsigned, so that the wrap past 32 bits is defined.
  std::uint32_t value = 0;
  for (wchar_t ch : text) value = value * 16u + HexDigit(ch);
  return static_cast<std::int32_t>(value);
}

std::int32_t ColorToRGBValue(std::uint32_t color) {
  return RedOf(color) << 16 | GreenOf(color) << 8 | BlueOf(color);
}
