#include "core/colorlist/uColumnLayout.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/colorlist/uCommaText.h"
#include "core/shell/uIntToken.h"

namespace {

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
  // The comma-text rule of the list file: blanks around an entry are no part of it.
  std::vector<std::wstring> entries;
  SplitCommaText(stored, entries);
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
