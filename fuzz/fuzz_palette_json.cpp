// Any bytes read as a JSON palette, through the checks every palette importer gets.
#include <functional>
#include <string>
#include <vector>

#include "PaletteFuzz.h"
#include "core/colorout/uPaletteJson.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzPaletteImport(
      data, size, [](std::string_view bytes) { return ImportJson(bytes); },
      [](const std::vector<TPaletteEntry>& e) { return ExportJson(e); }, std::equal_to<std::wstring>());
}
