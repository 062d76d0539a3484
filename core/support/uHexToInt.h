#pragma once

#include <cstdint>
#include <string_view>

// Hexadecimal digits to a number; every other character counts as the digit
// 0, so this never fails. Wraps at 32 bits.
std::int32_t HexToInt(std::wstring_view text);

// A colour value (red in the low byte) as the number 0xRRGGBB.
std::int32_t ColorToRGBValue(std::uint32_t color);
