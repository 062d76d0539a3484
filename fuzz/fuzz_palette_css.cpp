// Any bytes read as a CSS or any text file: all colours or an error, never a
// part; colours within 24 bits, comments on one line; and what was read,
// written out again, reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/colorout/uPaletteCss.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TPaletteImport read = ImportCss(bytes);
  Check(read.Ok() != !read.error.empty());
  Check(read.Ok() || read.entries.empty());
  Check(read.entries.size() <= kMaxPaletteEntries);
  for (const TPaletteEntry& e : read.entries) {
    Check(e.color <= 0xFFFFFFu);
    for (wchar_t c : e.comment) Check(c >= 0x20 && c != 0x7F);
  }
  if (!read.Ok()) return 0;
  const TPaletteImport again = ImportCss(ExportCss(read.entries));
  Check(again.Ok());
  Check(again.entries.size() == read.entries.size());
  for (std::size_t i = 0; i < read.entries.size(); ++i) {
    Check(again.entries[i].color == read.entries[i].color);
    // Comments come back as the property names made from them.
  }
  return 0;
}
