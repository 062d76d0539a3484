#include "app/uColorTextInput.h"

#include <string>

TCssColor ReadTypedColor(std::wstring_view text) {
  const TCssColor css = ParseCssColor(text);
  if (css.status != TCssColorStatus::NotColor) return css;
  const std::wstring_view bare = TrimCssSpace(text);
  if (bare.size() != 3 && bare.size() != 6) return css;
  for (wchar_t c : bare)
    if (!((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f'))) return css;
  return ParseCssColor(L"#" + std::wstring(bare));
}
