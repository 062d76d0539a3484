#include "app/uColumnLayout.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "shell/uIntToken.h"

namespace {

// The program writes digits and commas only; blanks around an entry are
// tolerated as comma text does.
std::vector<std::wstring_view> SplitCommaText(std::wstring_view text) {
  std::vector<std::wstring_view> entries;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::wstring_view e = GetToken(text, pos, L',');
    while (!e.empty() && e.front() == L' ') e.remove_prefix(1);
    while (!e.empty() && e.back() == L' ') e.remove_suffix(1);
    entries.push_back(e);
  }
  return entries;
}

void IdsAtPositions(TColumnLayout& layout) {
  for (int i = 0; i < kListColumnCount; ++i) layout.Ids[static_cast<std::size_t>(i)] = i;
}

}  // namespace

TColumnLayout DefaultColumnLayout(const std::array<std::int32_t, kListColumnCount>& designedWidths) {
  TColumnLayout layout{{}, designedWidths};
  IdsAtPositions(layout);
  layout.Widths[0] = 32;
  return layout;
}

bool ValidColumnIds(const std::array<std::int32_t, kListColumnCount>& ids) {
  if (ids[0] != 0) return false;
  std::array<bool, kListColumnCount> seen{};
  for (std::int32_t id : ids) {
    if (id < 0 || id >= kListColumnCount || seen[static_cast<std::size_t>(id)]) return false;
    seen[static_cast<std::size_t>(id)] = true;
  }
  return true;
}

TColumnLayout ParseColumnLayout(std::wstring_view stored, const TColumnLayout& designed) {
  TColumnLayout layout = designed;
  if (stored.empty()) {
    IdsAtPositions(layout);
    return layout;
  }
  const std::vector<std::wstring_view> entries = SplitCommaText(stored);
  bool parsed = true;
  std::size_t next = 0;
  for (std::size_t col = 0; col < kListColumnCount && entries.size() - next >= 2; ++col, next += 2) {
    const std::optional<std::int32_t> id = TextToInt(entries[next]);
    if (!id) {
      parsed = false;
      break;
    }
    layout.Ids[col] = *id;
    const std::optional<std::int32_t> width = TextToInt(entries[next + 1]);
    if (!width) {
      parsed = false;
      break;
    }
    layout.Widths[col] = std::clamp(*width, kMinColumnWidth, kMaxColumnWidth);
  }
  if (!parsed || !ValidColumnIds(layout.Ids)) IdsAtPositions(layout);
  return layout;
}

std::wstring ColumnLayoutText(const TColumnLayout& layout) {
  std::wstring text;
  for (int i = 0; i < kListColumnCount; ++i) {
    if (i > 0) text += L',';
    text += std::to_wstring(layout.Ids[static_cast<std::size_t>(i)]);
    text += L',';
    text += std::to_wstring(layout.Widths[static_cast<std::size_t>(i)]);
  }
  return text;
}
