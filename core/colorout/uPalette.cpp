#include "core/colorout/uPalette.h"

#include <utility>

#include "core/colorout/uPaletteAse.h"
#include "core/colorout/uPaletteCss.h"
#include "core/colorout/uPaletteGpl.h"
#include "core/colorout/uPaletteJson.h"
#include "core/support/uStrings.h"

namespace {


}  // namespace

std::optional<TPaletteFormat> PaletteFormatFromFileName(std::wstring_view fileName) {
  if (AsciiEndsWithNoCase(fileName, L".gpl")) return TPaletteFormat::Gpl;
  if (AsciiEndsWithNoCase(fileName, L".css") || AsciiEndsWithNoCase(fileName, L".txt")) return TPaletteFormat::Css;
  if (AsciiEndsWithNoCase(fileName, L".json")) return TPaletteFormat::Json;
  if (AsciiEndsWithNoCase(fileName, L".ase")) return TPaletteFormat::Ase;
  return std::nullopt;
}

std::string ExportPalette(TPaletteFormat format, std::span<const TPaletteEntry> entries, std::wstring_view name) {
  switch (format) {
    case TPaletteFormat::Gpl: return ExportGpl(entries, name);
    case TPaletteFormat::Css: return ExportCss(entries);
    case TPaletteFormat::Json: return ExportJson(entries);
    case TPaletteFormat::Ase: return ExportAse(entries);
  }
  return {};
}

TPaletteImport ImportPalette(TPaletteFormat format, std::string_view bytes) {
  switch (format) {
    case TPaletteFormat::Gpl: return ImportGpl(bytes);
    case TPaletteFormat::Css: return ImportCss(bytes);
    case TPaletteFormat::Json: return ImportJson(bytes);
    case TPaletteFormat::Ase: return ImportAse(bytes);
  }
  return PaletteError(L"未対応の形式です");
}

TPaletteImport PaletteError(std::wstring message) {
  TPaletteImport result;
  result.error = std::move(message);
  return result;
}

std::optional<TPaletteImport> PaletteTooLarge(std::string_view bytes) {
  if (bytes.size() <= kMaxPaletteBytes) return std::nullopt;
  return PaletteError(L"ファイルが大きすぎます（8 MB まで）");
}

TPaletteImport PaletteTooManyColors() { return PaletteError(L"色が多すぎます（65536 色まで）"); }

std::wstring CleanComment(std::wstring comment) {
  for (wchar_t& c : comment)
    if (c < 0x20 || c == 0x7F) c = L' ';
  return comment;
}
