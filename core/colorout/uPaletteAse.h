#pragma once
// Adobe swatch exchange (.ase), big-endian: "ASEF", version 1.0, a block
// count, then blocks of type, length and body. A colour entry holds its
// name in UTF-16 (NUL-terminated, the length counting the NUL), a colour
// model and its float channels, and a swatch type.
#include <span>
#include <string>
#include <string_view>

#include "core/colorout/uPalette.h"

// One global-free ("normal") RGB entry a row, the comment as its name.
std::string ExportAse(std::span<const TPaletteEntry> entries);

// Colour entries in RGB, Gray (1 is white), CMYK (converted without a
// profile) and Lab (D50, clipped to sRGB) are read in order, groups are
// flattened; a short or overrunning block, an unknown colour model or a
// non-finite channel makes the file unreadable.
TPaletteImport ImportAse(std::string_view bytes);
