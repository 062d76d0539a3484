#include "core/colorout/uPaletteGpl.h"

#include <utility>

#include "core/colorout/uColorChannels.h"
#include "core/support/uUtf8.h"

namespace {

std::string OneLine(std::wstring_view text) {
  std::wstring clean(text);
  for (wchar_t& c : clean)
    if (c < 0x20 || c == 0x7F) c = L' ';
  return Utf8Encode(clean);
}

std::string Padded(int value) {
  std::string text = std::to_string(value);
  return std::string(3 - text.size(), ' ') + text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A number 0..255 at the front of text, with the blanks before it.
bool TakeChannel(std::string_view& text, int& value) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  std::size_t digits = 0;
  value = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
    value = value * 10 + (text[digits] - '0');
    if (value > 255) return false;
    ++digits;
  }
  if (digits == 0) return false;
  text.remove_prefix(digits);
  return text.empty() || IsBlank(text.front());
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

std::string ExportGpl(std::span<const TPaletteEntry> entries, std::wstring_view name) {
  std::string out = "GIMP Palette\nName: " + OneLine(name) + "\nColumns: 0\n#\n";
  for (const TPaletteEntry& e : entries) {
    out += Padded(RedOf(e.color)) + ' ' + Padded(GreenOf(e.color)) + ' ' + Padded(BlueOf(e.color));
    if (!e.comment.empty()) out += '\t' + OneLine(e.comment);
    out += '\n';
  }
  return out;
}

TPaletteImport ImportGpl(std::string_view bytes) {
  if (auto refusal = PaletteTooLarge(bytes)) return *refusal;
  if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
  TPaletteImport result;
  std::size_t lineNumber = 0;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = TrimBlanks(bytes.substr(0, end));
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (++lineNumber == 1) {
      if (line != "GIMP Palette") return PaletteError(L"GIMP のパレットではありません（1 行目が GIMP Palette ではありません）");
      continue;
    }
    if (line.empty() || line.front() == '#' || StartsWith(line, "Name:") || StartsWith(line, "Columns:")) continue;
    int red = 0, green = 0, blue = 0;
    if (!TakeChannel(line, red) || !TakeChannel(line, green) || !TakeChannel(line, blue))
      return PaletteError(std::to_wstring(lineNumber) + L" 行目の色が読めません");
    if (result.entries.size() == kMaxPaletteEntries) return PaletteTooManyColors();
    TPaletteEntry entry;
    entry.color = MakeColor(red, green, blue);
    Utf8Decode(TrimBlanks(line), entry.comment);
    // Trimmed again once cleaned: a control character at either end, now a
    // space, would otherwise not survive the next export and import.
    entry.comment = CleanComment(std::move(entry.comment));
    entry.comment.erase(0, entry.comment.find_first_not_of(L' '));
    entry.comment.erase(entry.comment.find_last_not_of(L' ') + 1);
    result.entries.push_back(std::move(entry));
  }
  if (lineNumber == 0) return PaletteError(L"GIMP のパレットではありません（空のファイルです）");
  return result;
}
