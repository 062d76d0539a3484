#pragma once
// Settings text in the INI form, for a program that runs from a stick.
//
// Reading is forgiving, like Windows' own profile functions: a line is a
// "[section]" header, a "key=value" entry, a comment (";" or "#" first) or
// anything else, which is kept as it is; line ends may be CR, LF or CRLF.
// Section and key names compare without case (ASCII letters) and are trimmed
// of spaces and tabs; of two entries with the same key the last wins; lines
// before the first header belong to the section named "".
//
// A value is the text after the first "=", trimmed of spaces and tabs, so
// "Key = a=b" holds "a=b" and a path keeps its backslashes. A value that
// starts and ends with a double quote is unquoted, and inside the quotes a
// backslash escapes: \\ \n \r \t \" and \uXXXX (four hex digits, a UTF-16
// unit); an unknown escape stays as written. The writer quotes a value only
// when it must (a line break or other control character, a space or tab at
// either end, a leading quote, half a surrogate pair), so every text reads
// back exactly and a plain value stays plain.
//
// Writing keeps the first-seen order of sections and keys, comments and other
// lines in place, appends new sections and keys, drops blank lines and puts
// one before each header; bytes are UTF-8 with its BOM and CRLF.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TIniFile {
 public:
  // UTF-8 with or without its BOM, or UTF-16LE with its BOM. Nothing for
  // bytes that are neither (an ANSI or UTF-16BE file): reading those as UTF-8
  // and writing them back would destroy the text.
  static std::optional<TIniFile> FromBytes(std::string_view bytes);
  static TIniFile FromText(std::wstring_view text);
  std::string ToBytes() const;
  std::wstring ToText() const;

  std::optional<std::wstring> Value(std::wstring_view section, std::wstring_view key) const;
  // False, changing nothing, for a name the form cannot hold (see
  // ValidSectionName and ValidKeyName).
  bool SetValue(std::wstring_view section, std::wstring_view key, std::wstring_view value);
  // True when the entry was there.
  bool DeleteValue(std::wstring_view section, std::wstring_view key);

  // No "]" in a section name, no "=" in a key, no control characters or half
  // surrogate pairs, no space or tab at either end; a key may not begin a
  // header or a comment.
  static bool ValidSectionName(std::wstring_view name);
  static bool ValidKeyName(std::wstring_view name);

  // Sections in order, for callers that list what is there.
  std::vector<std::wstring> SectionNames() const;
  std::vector<std::wstring> KeyNames(std::wstring_view section) const;

  bool operator==(const TIniFile&) const = default;

 private:
  struct TLine {
    bool Entry = false;  // else a comment or a line kept as written
    std::wstring Key;
    std::wstring Text;  // the value, or the whole line
    bool operator==(const TLine&) const = default;
  };
  struct TSection {
    std::wstring Name;
    std::vector<TLine> Lines;
    bool operator==(const TSection&) const = default;
  };

  TSection* FindSection(std::wstring_view name);
  const TSection* FindSection(std::wstring_view name) const;
  TSection& AddSection(std::wstring_view name);

  std::vector<TSection> FSections;
};
