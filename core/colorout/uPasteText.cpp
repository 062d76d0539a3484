#include "core/colorout/uPasteText.h"

#include <string>

#include "core/color/uColorText.h"

namespace {

std::wstring Widened(std::string_view bytes) {
  std::wstring wide;
  wide.reserve(bytes.size());
  // A byte above 0x7F widens to a character no rule accepts, so no code
  // page is needed.
  for (char c : bytes) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide;
}

bool IsHexDigit(wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F'); }

// "#RRGGBB" belongs to the hex rule: the user's byte order may read it as
// blue-green-red.
bool IsSixDigitHex(std::wstring_view text) {
  text = TrimCssSpace(text);
  if (text.size() != 7 || text[0] != L'#') return false;
  for (wchar_t c : text.substr(1))
    if (!IsHexDigit(c)) return false;
  return true;
}

TCssColor CssPaste(std::wstring_view text) {
  if (IsSixDigitHex(text)) return {};
  return ParseCssColor(text);
}

}  // namespace

std::optional<TColor> RecognizeColorText(std::wstring_view text) {
  const TCssColor css = CssPaste(text);
  if (css.status != TCssColorStatus::Color) return std::nullopt;
  return css.color;
}

std::optional<TColor> RecognizeColorTextAnsi(std::string_view bytes) { return RecognizeColorText(Widened(bytes)); }

TCssColor PastedColorAnsi(std::string_view bytes, std::uint8_t hexOrder) {
  const TCssColor css = CssPaste(Widened(bytes));
  if (css.status != TCssColorStatus::NotColor) return css;
  if (const auto hex = PastedTextToColor(bytes, hexOrder)) return {TCssColorStatus::Color, *hex, false};
  return {};
}
