#pragma once
// What every palette importer's fuzz target checks of any bytes: all colours
// or an error, never a part; colours within 24 bits, comments on one line;
// and what was read, written out again, reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/colorout/uPalette.h"

inline void CheckPalette(bool ok) {
  if (!ok) std::abort();
}

// sameComment(again, read) says whether a comment came back as the format keeps it.
template <typename TImport, typename TExport, typename TSameComment>
int FuzzPaletteImport(const std::uint8_t* data, std::size_t size, TImport import, TExport exportTo,
                      TSameComment sameComment) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TPaletteImport read = import(bytes);
  CheckPalette(read.Ok() != !read.error.empty());
  CheckPalette(read.Ok() || read.entries.empty());
  CheckPalette(read.entries.size() <= kMaxPaletteEntries);
  for (const TPaletteEntry& e : read.entries) {
    CheckPalette(e.color <= 0xFFFFFFu);
    for (wchar_t c : e.comment) CheckPalette(c >= 0x20 && c != 0x7F);
  }
  if (!read.Ok()) return 0;
  const TPaletteImport again = import(exportTo(read.entries));
  CheckPalette(again.Ok());
  CheckPalette(again.entries.size() == read.entries.size());
  for (std::size_t i = 0; i < read.entries.size(); ++i) {
    CheckPalette(again.entries[i].color == read.entries[i].color);
    CheckPalette(sameComment(again.entries[i].comment, read.entries[i].comment));
  }
  return 0;
}
