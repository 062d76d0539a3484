#pragma once

#include <cstdint>
#include <string>

// "#" and at least six upper-case hexadecimal digits: red-green-blue for
// order 0, blue-green-red for order 1, empty for any other order.
std::wstring ColorToHexText(int red, int green, int blue, std::uint8_t order);
