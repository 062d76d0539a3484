#pragma once
// JSON palettes, UTF-8: [{"r":18,"g":52,"b":86,"hex":"#123456","comment":"x"}]
#include <span>
#include <string>
#include <string_view>

#include "core/colorout/uPalette.h"

// One object a line; hex in lower case; comments escaped as JSON requires
// (quote, backslash and control characters), other characters as UTF-8.
std::string ExportJson(std::span<const TPaletteEntry> entries);

// Strict JSON (a UTF-8 byte-order mark allowed, nesting up to 32 deep): an
// array of objects, each with integer "r", "g", "b" 0..255 or a "hex"
// "#rrggbb" (both must agree when both are there) and an optional string
// "comment"; other members are ignored.
TPaletteImport ImportJson(std::string_view bytes);
