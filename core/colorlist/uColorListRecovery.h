#pragma once
// The file that keeps an unsaved colour list through a crash: the items as
// the list file's lines, the file the list belongs to and its current row,
// always in UTF-8, with the item count first, so that a file cut short or
// changed by hand is never taken for the whole list.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/colorlist/uColorListItem.h"
#include "core/colorlist/uColorListRows.h"

struct TRecoveredList {
  std::wstring FileName;  // empty for an untitled list
  std::vector<TColorListItem> Items;
  int Current = 0;
};

std::string RecoveryFileBytes(std::wstring_view fileName, const TColorListSnapshot& items, int current);
// Nothing unless every part is there and every line reads.
std::optional<TRecoveredList> ReadRecoveryFile(std::string_view bytes);
