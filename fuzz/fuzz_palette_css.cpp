// Any bytes read as a CSS or any text file, through the checks every palette importer gets.
#include <functional>
#include <string>
#include <vector>

#include "PaletteFuzz.h"
#include "core/colorout/uPaletteCss.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzPaletteImport(
      data, size, [](std::string_view bytes) { return ImportCss(bytes); },
      [](const std::vector<TPaletteEntry>& e) { return ExportCss(e); },
      // Comments come back as the property names made from them.
      [](const std::wstring&, const std::wstring&) { return true; });
}
