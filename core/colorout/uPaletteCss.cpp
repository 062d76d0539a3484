#include "core/colorout/uPaletteCss.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uCopyFormats.h"
#include "core/support/uUtf8.h"
#include "core/support/uStrings.h"

namespace {

bool IsAsciiAlnum(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9'); }

bool IsWideSpace(wchar_t c) {
  return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
         c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

std::string NameFromComment(std::wstring_view comment) {
  std::wstring name;
  bool gap = false;
  for (wchar_t c : comment) {
    c = AsciiLower(c);
    const bool keep = IsAsciiAlnum(c) || (c >= 0x80 && !IsWideSpace(c));
    if (!keep) {
      gap = true;
      continue;
    }
    if (gap && !name.empty()) name += L'-';
    gap = false;
    name += c;
  }
  return Utf8Encode(name);
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

bool IsNameChar(wchar_t c) {
  return IsAsciiAlnum(c) || (c >= L'A' && c <= L'Z') || c == L'-' || c == L'_' || c >= 0x80;
}

// The custom property whose value starts at pos: "--name:" and blanks
// before it on the same line, or empty.
std::wstring PropertyBefore(std::wstring_view text, std::size_t pos) {
  std::size_t i = pos;
  while (i > 0 && (text[i - 1] == L' ' || text[i - 1] == L'\t')) --i;
  if (i == 0 || text[i - 1] != L':') return {};
  --i;
  while (i > 0 && (text[i - 1] == L' ' || text[i - 1] == L'\t')) --i;
  const std::size_t end = i;
  while (i > 0 && IsNameChar(text[i - 1])) --i;
  const std::wstring_view name = text.substr(i, end - i);
  if (name.size() < 3 || name.substr(0, 2) != L"--") return {};
  return std::wstring(name.substr(2));
}

}  // namespace

std::vector<std::string> CssPropertyNames(std::span<const TPaletteEntry> entries) {
  std::vector<std::string> names;
  std::unordered_set<std::string> taken;
  // Where each base's numbering goes on: counting from 2 every time made a
  // list of one shared comment quadratic (minutes for the largest).
  std::unordered_map<std::string, int> nextNumber;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::string base = NameFromComment(entries[i].comment);
    if (base.empty()) base = "color-" + std::to_string(i + 1);
    std::string name = base;
    int& n = nextNumber.try_emplace(base, 2).first->second;
    while (taken.count(name) != 0) name = base + "-" + std::to_string(n++);
    taken.insert(name);
    names.push_back(std::move(name));
  }
  return names;
}

std::string ExportCss(std::span<const TPaletteEntry> entries) {
  const std::vector<std::string> names = CssPropertyNames(entries);
  std::string out = ":root {\n";
  for (std::size_t i = 0; i < entries.size(); ++i)
    out += "  --" + names[i] + ": " + Utf8Encode(FormatColor(TCopyFormat::HexLower, entries[i].color)) + ";\n";
  out += "}\n";
  return out;
}

TPaletteImport ImportCss(std::string_view bytes) {
  if (auto refusal = PaletteTooLarge(bytes)) return *refusal;
  std::wstring text;
  if (bytes.substr(0, 2) == "\xFF\xFE") {
    Utf16LeDecode(bytes.substr(2), text);
  } else {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    Utf8Decode(bytes, text);
  }
  TPaletteImport result;
  for (std::size_t pos = text.find(L'#'); pos != std::wstring::npos; pos = text.find(L'#', pos + 1)) {
    std::size_t digits = 0;
    while (pos + 1 + digits < text.size() && HexDigit(text[pos + 1 + digits]) >= 0) ++digits;
    // Longer runs are not colours of ours (#rrggbbaa, ids), and a name
    // character straight after ("#abcdefg") makes it a word.
    if (digits != 6 && digits != 3) continue;
    if (pos + 1 + digits < text.size() && IsNameChar(text[pos + 1 + digits])) continue;
    int v[6];
    for (std::size_t i = 0; i < digits; ++i) v[i] = HexDigit(text[pos + 1 + i]);
    TPaletteEntry entry;
    entry.color = digits == 6 ? MakeColor(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5])
                              : MakeColor(v[0] * 17, v[1] * 17, v[2] * 17);
    entry.comment = CleanComment(PropertyBefore(text, pos));
    if (result.entries.size() == kMaxPaletteEntries) return PaletteTooManyColors();
    result.entries.push_back(std::move(entry));
  }
  if (result.entries.empty()) return PaletteError(L"#rrggbb 形式の色が見つかりません");
  return result;
}
