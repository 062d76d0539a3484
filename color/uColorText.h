#pragma once
// Colours read back from text: a pasted clipboard text and a list row's cells.
#include <cstdint>
#include <optional>
#include <string_view>

#include "color/uColor.h"

// The colour value of a pasted CF_TEXT (bytes of the ANSI text): none when
// it is empty, longer than 7 bytes, or the order is neither 0 (the text is
// RRGGBB) nor 1 (BBGGRR). Every byte that is no hexadecimal digit counts as
// 0, so "#FF8000", "$FF8000" and "FF8000" are the same colour; digits beyond
// the sixth do not reach the colour value.
std::optional<TColor> PastedTextToColor(std::string_view ansi, std::uint8_t order);

// A decimal cell text as a channel: anything that is not an integer gives 0,
// and the value is limited to 0..255.
int CellTextToChannel(std::wstring_view text);

// red + green * 256 + blue * 65536 from three cell texts.
TColor CellTextsToColor(std::wstring_view red, std::wstring_view green, std::wstring_view blue);
