#pragma once
// A colour read back from a pasted clipboard text.
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/color/uColor.h"

// The colour value of a pasted CF_TEXT (bytes of the ANSI text): none when
// it is empty, longer than 7 bytes, or the order is neither 0 (the text is
// RRGGBB) nor 1 (BBGGRR). Every byte that is no hexadecimal digit counts as
// 0, so "#FF8000", "$FF8000" and "FF8000" are the same colour; digits beyond
// the sixth do not reach the colour value.
std::optional<TColor> PastedTextToColor(std::string_view ansi, std::uint8_t order);
