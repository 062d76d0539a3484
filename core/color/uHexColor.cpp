#include "core/color/uHexColor.h"

std::wstring ColorToHexText(int red, int green, int blue, std::uint8_t order) {
  // Unsigned, because list cells hand over whatever integer was typed and
  // a large red must wrap at 32 bits instead of overflowing.
  const auto r = static_cast<std::uint32_t>(red);
  const auto g = static_cast<std::uint32_t>(green);
  const auto b = static_cast<std::uint32_t>(blue);
  std::uint32_t value;
  if (order == 0)
    value = r * 65536u + g * 256u + b;
  else if (order == 1)
    value = b * 65536u + g * 256u + r;
  else
    return {};

  wchar_t digits[8];
  int count = 0;
  do {
    digits[count++] = L"0123456789ABCDEF"[value & 15u];
    value >>= 4;
  } while (value != 0);
  while (count < 6) digits[count++] = L'0';

  std::wstring text(1, L'#');
  while (count > 0) text += digits[--count];
  return text;
}
