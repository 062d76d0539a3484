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

// Colour entries in RGB, Gray and CMYK (converted without a profile) are
// read in order, groups are flattened; a Lab entry, a short or overrunning
// block or a non-finite channel makes the file unreadable.
TPaletteImport ImportAse(std::string_view bytes);
