#include "colorlist/uCommaText.h"

namespace {

// Only the control characters and the ASCII space separate; an ideographic
// space is part of an item.
bool IsBlank(wchar_t c) { return c >= 1 && c <= 32; }

}  // namespace

std::size_t SplitCommaText(std::wstring_view text, std::vector<std::wstring>& items, std::size_t maxItems) {
  const std::size_t zero = text.find(L'\0');
  if (zero != std::wstring_view::npos) text = text.substr(0, zero);

  std::size_t count = 0;
  auto next = [&]() -> std::wstring& {
    if (count == items.size()) items.emplace_back();
    std::wstring& item = items[count++];
    item.clear();
    return item;
  };

  const std::size_t n = text.size();
  std::size_t p = 0;
  while (p < n && IsBlank(text[p])) ++p;
  while (p < n && count < maxItems) {
    std::wstring& item = next();
    if (text[p] == L'"') {
      ++p;
      while (p < n) {
        const std::size_t quote = text.find(L'"', p);
        if (quote == std::wstring_view::npos) {
          item.append(text.substr(p));
          p = n;
          break;
        }
        item.append(text.substr(p, quote - p));
        p = quote + 1;
        if (p < n && text[p] == L'"') {
          item += L'"';
          ++p;
        } else {
          break;
        }
      }
    } else {
      const std::size_t start = p;
      while (p < n && text[p] != L',' && !IsBlank(text[p])) ++p;
      item.assign(text.substr(start, p - start));
    }
    while (p < n && IsBlank(text[p])) ++p;
    if (p < n && text[p] == L',') {
      if (p + 1 == n && count < maxItems) next();
      do ++p;
      while (p < n && IsBlank(text[p]));
    }
  }
  items.resize(count);
  return count;
}
