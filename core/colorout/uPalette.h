#pragma once
// Palette files other programs read and write: the list's rows out, and
// colours in from untrusted files. Every importer returns all of a file's
// colours or an error text for the user, never a part.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/color/uColor.h"

struct TPaletteEntry {
  TColor color = 0;
  std::wstring comment;
  bool operator==(const TPaletteEntry&) const = default;
};

struct TPaletteImport {
  std::vector<TPaletteEntry> entries;  // empty when error is set
  std::wstring error;                  // empty on success
  // Lines that held text but gave no colour, for the summary; only the CSS
  // and text import counts them.
  std::size_t skippedLines = 0;
  bool Ok() const { return error.empty(); }
};

// Larger files are refused before any parsing.
inline constexpr std::size_t kMaxPaletteBytes = 8u << 20;
inline constexpr std::size_t kMaxPaletteEntries = 65536;

enum class TPaletteFormat {
  Gpl,   // GIMP palette
  Css,   // CSS custom properties out; hex colours in any text in
  Json,  // [{"r":..,"g":..,"b":..,"hex":"#..","comment":".."}]
  Ase,   // Adobe swatch exchange
};

// The format a file name's extension names, ignoring case: .gpl, .css,
// .txt (read as text with hex colours), .json, .ase; none for others.
std::optional<TPaletteFormat> PaletteFormatFromFileName(std::wstring_view fileName);

// The file's bytes. The name is the palette's own where a format keeps one.
std::string ExportPalette(TPaletteFormat format, std::span<const TPaletteEntry> entries, std::wstring_view name);
TPaletteImport ImportPalette(TPaletteFormat format, std::string_view bytes);

// Shared by the importers.
TPaletteImport PaletteError(std::wstring message);
// The refusal of a file over kMaxPaletteBytes, or none.
std::optional<TPaletteImport> PaletteTooLarge(std::string_view bytes);
TPaletteImport PaletteTooManyColors();
// An imported comment fit for one list row: control characters, line
// breaks and NULs among them, become spaces.
std::wstring CleanComment(std::wstring comment);
