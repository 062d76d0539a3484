#include "core/colorlist/uCommaText.h"

std::size_t SplitCommaText(std::wstring_view text, std::vector<std::wstring>& items, std::size_t maxItems) {
  items.clear();
  if (maxItems == 0) return 0;
  std::wstring scratch;
  ForEachCommaItem(text, scratch, [&](std::wstring_view item) {
    items.emplace_back(item);
    return items.size() < maxItems;
  });
  return items.size();
}
