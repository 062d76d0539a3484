#include "app/uColorTextInput.h"

#include "core/color/uColorText.h"

namespace {

bool IsHexDigit(wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f'); }

// "#" and six hex digits, nothing around them: the notation of the list's
// byte order, which CSS would always read as red-green-blue.
bool IsOrderedHex(std::wstring_view text) {
  if (text.size() != 7 || text[0] != L'#') return false;
  for (wchar_t c : text.substr(1))
    if (!IsHexDigit(c)) return false;
  return true;
}

TCssColor HexRule(std::string_view ansi, std::uint8_t hexOrder) {
  if (const auto color = PastedTextToColor(ansi, hexOrder)) return {TCssColorStatus::Color, *color, false};
  return {};
}

}  // namespace

TCssColor ReadPastedColor(std::string_view ansi, std::uint8_t hexOrder) {
  std::wstring wide;
  wide.reserve(ansi.size());
  // A byte beyond ASCII is part of no CSS form; it stays one character, so
  // the hex rule still counts bytes.
  for (char c : ansi) wide += static_cast<unsigned char>(c) < 0x80 ? static_cast<wchar_t>(c) : L'\xFFFD';
  // Also with white space around it, which the hex rule then refuses as it always has.
  std::wstring_view bare = wide;
  while (!bare.empty() && static_cast<unsigned>(bare.front()) <= L' ') bare.remove_prefix(1);
  while (!bare.empty() && static_cast<unsigned>(bare.back()) <= L' ') bare.remove_suffix(1);
  if (IsOrderedHex(bare)) return HexRule(ansi, hexOrder);
  const TCssColor css = ParseCssColor(wide);
  return css.status == TCssColorStatus::NotColor ? HexRule(ansi, hexOrder) : css;
}

TCssColor ReadTypedColor(std::wstring_view text) {
  const TCssColor css = ParseCssColor(text);
  if (css.status != TCssColorStatus::NotColor) return css;
  while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
  if (text.size() != 3 && text.size() != 6) return css;
  for (wchar_t c : text)
    if (!IsHexDigit(c)) return css;
  return ParseCssColor(L"#" + std::wstring(text));
}
