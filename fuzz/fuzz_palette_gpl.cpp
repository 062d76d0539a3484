// Any bytes read as a GIMP palette, through the checks every palette importer gets.
#include <functional>
#include <string>
#include <vector>

#include "PaletteFuzz.h"
#include "core/colorout/uPaletteGpl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzPaletteImport(
      data, size, [](std::string_view bytes) { return ImportGpl(bytes); },
      [](const std::vector<TPaletteEntry>& e) { return ExportGpl(e, L"fuzz"); }, std::equal_to<std::wstring>());
}
