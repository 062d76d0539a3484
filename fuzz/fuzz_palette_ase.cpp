// Any bytes read as an Adobe swatch exchange file, through the checks every palette importer gets.
#include <functional>
#include <string>
#include <vector>

#include "PaletteFuzz.h"
#include "core/colorout/uPaletteAse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzPaletteImport(
      data, size, [](std::string_view bytes) { return ImportAse(bytes); },
      [](const std::vector<TPaletteEntry>& e) { return ExportAse(e); },
      // A name longer than the format holds is cut.
      [](const std::wstring& again, const std::wstring& read) { return again == read || read.size() > 0x7FFE; });
}
