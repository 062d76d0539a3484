#include "core/colorout/uPaletteCss.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uColorNames.h"
#include "core/colorout/uCopyFormats.h"
#include "core/colorout/uCssColor.h"
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

namespace {

constexpr std::size_t kLongestFunction = 256;
constexpr std::size_t kLongestNameValue = 64;

// The colours of one line with where each starts, in order.
struct TFound {
  std::size_t pos;
  TColor color;
};

bool IsIdentStart(std::wstring_view line, std::size_t pos) {
  return pos == 0 || !(IsNameChar(line[pos - 1]) || line[pos - 1] == L'#');
}

// A hex colour at '#', its digits not running on into a name ("#abcdefg",
// an id selector such as "#header").
std::optional<TColor> HexAt(std::wstring_view line, std::size_t pos) {
  std::size_t end = pos + 1;
  while (end < line.size() && IsNameChar(line[end])) ++end;
  const TCssColor css = ParseCssColor(line.substr(pos, end - pos));
  if (css.status != TCssColorStatus::Color) return std::nullopt;
  return css.color;
}

std::optional<TColor> FunctionAt(std::wstring_view line, std::size_t pos) {
  constexpr std::wstring_view kFunctions[] = {L"rgba(", L"rgb(", L"hsla(",  L"hsl(",   L"hwb(",
                                              L"lab(",  L"lch(", L"oklab(", L"oklch(", L"color("};
  for (const std::wstring_view name : kFunctions) {
    if (line.size() - pos < name.size() || !AsciiEqualNoCase(line.substr(pos, name.size()), name)) continue;
    // Bounded, so a long line of unclosed calls stays linear.
    const std::size_t close = line.substr(0, std::min(line.size(), pos + kLongestFunction)).find(L')', pos);
    if (close == std::wstring_view::npos) return std::nullopt;
    const TCssColor css = ParseCssColor(line.substr(pos, close + 1 - pos));
    if (css.status != TCssColorStatus::Color) return std::nullopt;
    return css.color;
  }
  return std::nullopt;
}

// The named colour that is a declaration's whole value after the ':' at
// colon ("color: red;", "--x: Navy !important"), or none.
std::optional<TColor> NamedValueAfter(std::wstring_view line, std::size_t colon) {
  std::size_t end = colon + 1;
  const std::size_t limit = std::min(line.size(), colon + 1 + kLongestNameValue);
  while (end < limit && line[end] != L';' && line[end] != L'}' && line[end] != L'!') ++end;
  if (end == limit && limit < line.size()) return std::nullopt;
  const std::wstring_view value = TrimCssSpace(line.substr(colon + 1, end - colon - 1));
  if (value.empty() || value.front() == L'#') return std::nullopt;
  return CssNamedColor(value);
}

std::vector<TFound> ColorsOfLine(std::wstring_view line) {
  std::vector<TFound> found;
  if (const TCssColor whole = ParseCssColor(line); whole.status == TCssColorStatus::Color) {
    const std::wstring_view trimmed = TrimCssSpace(line);
    found.push_back({static_cast<std::size_t>(trimmed.data() - line.data()), whole.color});
    return found;
  }
  for (std::size_t pos = 0; pos < line.size(); ++pos) {
    std::optional<TColor> color;
    std::size_t at = pos;
    if (line[pos] == L'#' && IsIdentStart(line, pos)) {
      color = HexAt(line, pos);
    } else if (IsIdentStart(line, pos) && IsNameChar(line[pos])) {
      color = FunctionAt(line, pos);
    } else if (line[pos] == L':') {
      color = NamedValueAfter(line, pos);
      at = pos + 1;
      while (at < line.size() && (line[at] == L' ' || line[at] == L'\t')) ++at;
    }
    if (color) found.push_back({at, *color});
  }
  return found;
}

// Lines that hold no colour and are not counted as skipped: a selector
// opening its block, a block's end, a comment.
bool IsStructure(std::wstring_view line) {
  line = TrimCssSpace(line);
  if (line.empty() || line.back() == L'{') return true;
  if (line.find_first_not_of(L"}; ") == std::wstring_view::npos) return true;
  return line.starts_with(L"/*") || line.starts_with(L"*") || line.starts_with(L"//");
}

}  // namespace

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
  const std::wstring_view all = text;
  for (std::size_t start = 0; start <= all.size();) {
    std::size_t end = all.find(L'\n', start);
    if (end == std::wstring_view::npos) end = all.size();
    const std::wstring_view line = all.substr(start, end - start);
    const std::vector<TFound> found = ColorsOfLine(line);
    if (found.empty() && !IsStructure(line)) ++result.skippedLines;
    for (const TFound& f : found) {
      if (result.entries.size() == kMaxPaletteEntries) return PaletteTooManyColors();
      result.entries.push_back({f.color, CleanComment(PropertyBefore(all, start + f.pos))});
    }
    start = end + 1;
  }
  if (result.entries.empty()) return PaletteError(L"色が見つかりません");
  return result;
}
