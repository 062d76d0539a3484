#pragma once
// GIMP palette (.gpl): "GIMP Palette", a Name: and Columns: header, then one
// "red green blue<TAB>name" line a colour, in UTF-8.
#include <span>
#include <string>
#include <string_view>

#include "core/colorout/uPalette.h"

// Control characters in the comments and the name become spaces, since a
// line break would end the entry.
std::string ExportGpl(std::span<const TPaletteEntry> entries, std::wstring_view name);

// Blank lines, '#' comments and header lines (Name:, Columns:) are skipped;
// any other line must hold three numbers 0..255 and may add a name. A
// UTF-8 byte-order mark and CR LF line ends are accepted.
TPaletteImport ImportGpl(std::string_view bytes);
