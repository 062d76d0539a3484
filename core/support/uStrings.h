#pragma once
// Caption and file-name trimming. Lengths count UTF-16 code units; a
// surrogate pair is never split.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

// ASCII letters only: file extensions, CSS keywords and format names
// compare without case whatever the user's locale does with other letters.
constexpr wchar_t AsciiLower(wchar_t c) noexcept {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}
std::wstring AsciiLowered(std::wstring_view text);
bool AsciiEqualNoCase(std::wstring_view a, std::wstring_view b) noexcept;
bool AsciiEndsWithNoCase(std::wstring_view text, std::wstring_view suffix) noexcept;

// Each "{key}" of the text replaced by its value, in one pass: a value that
// holds a key (a file name with "{1}" in it) stays as it is.
using TTextField = std::pair<std::wstring_view, std::wstring_view>;
std::wstring FillFields(std::wstring_view text, std::initializer_list<TTextField> fields);

// Removes a trailing "(&X)..." or "(&X)" accelerator: "開く(&O)..." -> "開く".
std::wstring StripAccelerator(std::wstring_view caption);

// The key a caption marks with "&", as an upper-case ASCII letter or a
// digit: 'A' for "追加(&A)" and "&Add"; 0 for none ("&&" is a plain "&").
wchar_t AccessKeyOf(std::wstring_view caption) noexcept;

// The file name without folders and extension: "C:\a\colors.txt" -> "colors".
// A leading dot does not start an extension (".txt" stays ".txt").
std::wstring ExtractFileTitle(std::wstring_view path);

// The number of leading code units a and b share, stopping at the first
// difference or zero; a surrogate pair counts only whole (2 when both match).
std::size_t CommonPrefixLength(std::wstring_view a, std::wstring_view b);
