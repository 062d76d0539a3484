#include "core/support/uIniFile.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "core/support/uUtf8.h"

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

std::uint32_t Unit(wchar_t c) { return static_cast<std::uint32_t>(c); }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsControl(wchar_t c) { return Unit(c) < 0x20 || Unit(c) == 0x7F; }
bool IsHigh(wchar_t c) { return Unit(c) >= 0xD800 && Unit(c) <= 0xDBFF; }
bool IsLow(wchar_t c) { return Unit(c) >= 0xDC00 && Unit(c) <= 0xDFFF; }

// Where wchar_t is UTF-32 no surrogate forms a pair; beyond U+10FFFF nothing
// has a UTF-8 form. Both count as units that cannot be written as they are.
bool IsStray(std::wstring_view text, std::size_t i) {
  const wchar_t c = text[i];
  if constexpr (sizeof(wchar_t) == 2) {
    if (IsHigh(c)) return i + 1 >= text.size() || !IsLow(text[i + 1]);
    if (IsLow(c)) return i == 0 || !IsHigh(text[i - 1]);
    return false;
  } else {
    return IsHigh(c) || IsLow(c) || Unit(c) > 0x10FFFF;
  }
}

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Names and kept lines are written as they are, so a stray unit in them
// becomes U+FFFD at once rather than on the next write.
std::wstring Mended(std::wstring_view text) {
  std::wstring out(text);
  for (std::size_t i = 0; i < out.size(); ++i)
    if (IsStray(text, i)) out[i] = kReplacement;
  return out;
}

wchar_t Fold(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool SameName(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return Fold(x) == Fold(y);
         });
}

std::wstring Folded(std::wstring_view name) {
  std::wstring out(name);
  for (wchar_t& c : out) c = Fold(c);
  return out;
}

bool NeedsQuotes(std::wstring_view value) {
  if (value.empty()) return false;
  if (value.front() == L'"' || IsBlank(value.front()) || IsBlank(value.back())) return true;
  for (std::size_t i = 0; i < value.size(); ++i)
    if (IsControl(value[i]) || IsStray(value, i)) return true;
  return false;
}

void AppendHex4(std::wstring& out, std::uint32_t unit) {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  out += L"\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(unit >> shift) & 0xF];
}

std::wstring ValueText(std::wstring_view value) {
  if (!NeedsQuotes(value)) return std::wstring(value);
  std::wstring out = L"\"";
  for (std::size_t i = 0; i < value.size(); ++i) {
    const wchar_t c = value[i];
    if (c == L'\\') {
      out += L"\\\\";
    } else if (c == L'\n') {
      out += L"\\n";
    } else if (c == L'\r') {
      out += L"\\r";
    } else if (c == L'\t') {
      out += L"\\t";
    } else if (IsControl(c) || IsStray(value, i)) {
      AppendHex4(out, Unit(c) > 0xFFFF ? 0xFFFD : Unit(c));
    } else {
      out += c;
    }
  }
  out += L'"';
  return out;
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

// The unit a two-character escape stands for, or zero when it is none.
wchar_t Escaped(wchar_t letter) {
  switch (letter) {
    case L'\\':
    case L'"':
      return letter;
    case L'n':
      return L'\n';
    case L'r':
      return L'\r';
    case L't':
      return L'\t';
    default:
      return 0;
  }
}

// Four hex digits, or nothing.
std::optional<wchar_t> Hex4(std::wstring_view digits) {
  if (digits.size() < 4) return std::nullopt;
  std::uint32_t unit = 0;
  for (std::size_t k = 0; k < 4; ++k) {
    const int digit = HexDigit(digits[k]);
    if (digit < 0) return std::nullopt;
    unit = (unit << 4) | static_cast<std::uint32_t>(digit);
  }
  return static_cast<wchar_t>(unit);
}

std::wstring Unescaped(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c != L'\\' || i + 1 >= text.size()) {
      out += c;
    } else if (const wchar_t escaped = Escaped(text[i + 1])) {
      out += escaped;
      ++i;
    } else if (const std::optional<wchar_t> unit = text[i + 1] == L'u' ? Hex4(text.substr(i + 2)) : std::nullopt) {
      out += *unit;
      i += 5;
    } else {
      out += c;  // not an escape: a hand-written backslash
    }
  }
  return out;
}

std::wstring ValueFrom(std::wstring_view raw) {
  raw = Trim(raw);
  if (raw.size() >= 2 && raw.front() == L'"' && raw.back() == L'"') return Unescaped(raw.substr(1, raw.size() - 2));
  return std::wstring(raw);
}

}  // namespace

std::optional<TIniFile> TIniFile::FromBytes(std::string_view bytes) {
  std::wstring text;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    if (bytes.size() % 2 != 0) return std::nullopt;  // cut short
    Utf16LeDecode(bytes.substr(2), text);
    return FromText(text);
  }
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE && static_cast<unsigned char>(bytes[1]) == 0xFF)
    return std::nullopt;
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  Utf8Decode(bytes, text);
  // Malformed UTF-8 decodes to U+FFFD, which would not encode back the same.
  if (Utf8Encode(text) != bytes) return std::nullopt;
  return FromText(text);
}

TIniFile TIniFile::FromText(std::wstring_view text) {
  TIniFile ini;
  // Lookups by folded name while reading, so that a huge file of repeated
  // keys still reads in linear time.
  std::unordered_map<std::wstring, std::size_t> sectionIndex;
  std::vector<std::unordered_map<std::wstring, std::size_t>> keyIndex;
  std::size_t current = SIZE_MAX;
  auto enter = [&](const std::wstring& name) {
    auto [it, added] = sectionIndex.emplace(Folded(name), ini.FSections.size());
    if (added) {
      ini.FSections.push_back({name, {}});
      keyIndex.emplace_back();
    }
    current = it->second;
  };

  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != L'\r' && text[end] != L'\n') ++end;
    const std::wstring_view line = Trim(text.substr(start, end - start));
    start = end;
    if (start < text.size() && text[start] == L'\r') ++start;
    if (start < text.size() && text[start] == L'\n') ++start;
    if (line.empty()) continue;

    const std::size_t close = line.find(L']');
    if (line.front() == L'[' && close != std::wstring_view::npos) {
      enter(Mended(Trim(line.substr(1, close - 1))));
      continue;
    }
    if (current == SIZE_MAX) enter(L"");
    TSection& section = ini.FSections[current];
    const std::size_t equals = line.find(L'=');
    if (line.front() == L';' || line.front() == L'#' || line.front() == L'[' || equals == std::wstring_view::npos) {
      section.Lines.push_back({false, {}, Mended(line)});
      continue;
    }
    std::wstring key = Mended(Trim(line.substr(0, equals)));
    std::wstring value = ValueFrom(line.substr(equals + 1));
    auto [it, added] = keyIndex[current].emplace(Folded(key), section.Lines.size());
    if (added)
      section.Lines.push_back({true, std::move(key), std::move(value)});
    else
      section.Lines[it->second].Text = std::move(value);
  }
  return ini;
}

std::wstring TIniFile::ToText() const {
  std::wstring out;
  for (std::size_t s = 0; s < FSections.size(); ++s) {
    const TSection& section = FSections[s];
    // Only a first section of lines before any header goes without one.
    if (s != 0 || !section.Name.empty() || section.Lines.empty()) {
      if (!out.empty()) out += L"\r\n";
      out += L"[" + section.Name + L"]\r\n";
    }
    for (const TLine& line : section.Lines) {
      if (line.Entry)
        out += line.Key + L"=" + ValueText(line.Text);
      else
        out += line.Text;
      out += L"\r\n";
    }
  }
  return out;
}

std::string TIniFile::ToBytes() const { return "\xEF\xBB\xBF" + Utf8Encode(ToText()); }

std::optional<std::wstring> TIniFile::Value(std::wstring_view section, std::wstring_view key) const {
  if (const TSection* found = FindSection(section))
    for (const TLine& line : found->Lines)
      if (line.Entry && SameName(line.Key, key)) return line.Text;
  return std::nullopt;
}

bool TIniFile::SetValue(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  if (!ValidSectionName(section) || !ValidKeyName(key)) return false;
  TSection* target = FindSection(section);
  if (!target) target = &AddSection(section);
  for (TLine& line : target->Lines)
    if (line.Entry && SameName(line.Key, key)) {
      line.Text = value;
      return true;
    }
  target->Lines.push_back({true, std::wstring(key), std::wstring(value)});
  return true;
}

bool TIniFile::DeleteValue(std::wstring_view section, std::wstring_view key) {
  TSection* found = FindSection(section);
  if (!found) return false;
  auto it = std::find_if(found->Lines.begin(), found->Lines.end(),
                         [&](const TLine& line) { return line.Entry && SameName(line.Key, key); });
  if (it == found->Lines.end()) return false;
  found->Lines.erase(it);
  return true;
}

bool TIniFile::ValidSectionName(std::wstring_view name) {
  if (name != Trim(name) || name.find(L']') != std::wstring_view::npos) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (IsControl(name[i]) || IsStray(name, i)) return false;
  return true;
}

bool TIniFile::ValidKeyName(std::wstring_view name) {
  if (name != Trim(name) || name.find(L'=') != std::wstring_view::npos) return false;
  if (!name.empty() && (name.front() == L'[' || name.front() == L';' || name.front() == L'#')) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (IsControl(name[i]) || IsStray(name, i)) return false;
  return true;
}

std::vector<std::wstring> TIniFile::SectionNames() const {
  std::vector<std::wstring> names;
  for (const TSection& section : FSections) names.push_back(section.Name);
  return names;
}

std::vector<std::wstring> TIniFile::KeyNames(std::wstring_view section) const {
  std::vector<std::wstring> names;
  if (const TSection* found = FindSection(section))
    for (const TLine& line : found->Lines)
      if (line.Entry) names.push_back(line.Key);
  return names;
}

TIniFile::TSection* TIniFile::FindSection(std::wstring_view name) {
  auto it = std::find_if(FSections.begin(), FSections.end(),
                         [&](const TSection& section) { return SameName(section.Name, name); });
  return it == FSections.end() ? nullptr : &*it;
}

const TIniFile::TSection* TIniFile::FindSection(std::wstring_view name) const {
  return const_cast<TIniFile*>(this)->FindSection(name);
}

TIniFile::TSection& TIniFile::AddSection(std::wstring_view name) {
  FSections.push_back({std::wstring(name), {}});
  return FSections.back();
}
