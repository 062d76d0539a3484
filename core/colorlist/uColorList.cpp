#include "core/colorlist/uColorList.h"

#include <algorithm>

#include "core/color/uHexColor.h"
#include "core/colorlist/uColorListCell.h"
#include "core/colorout/uColorChannels.h"
#include "core/support/uMoveIndex.h"

namespace {

int Limited(std::int32_t channel) { return std::clamp<std::int32_t>(channel, 0, 255); }

std::size_t ItemBytes(const TColorListItem& item) noexcept {
  // Short comments live inside the string; longer ones cost their buffer.
  const std::size_t heap = item.Comment.capacity() > 7 ? (item.Comment.capacity() + 1) * sizeof(wchar_t) : 0;
  return sizeof(TColorListItem) + heap;
}


}  // namespace

TColor ItemColor(const TColorListItem& item) noexcept {
  return MakeColor(Limited(item.Red), Limited(item.Green), Limited(item.Blue));
}

void TColorList::SetCurrent(int index) noexcept {
  FCurrent = Count() == 0 ? -1 : std::clamp(index, 0, Count() - 1);
}

std::wstring TColorList::CellText(int index, TListColumnId column, std::uint8_t hexOrder) const {
  const TColorListItem& item = FRows[index];
  switch (column) {
    case lcNumber:
      return std::to_wstring(index + 1);
    case lcSwatch:
      return {};
    case lcHex:
      return ColorToHexText(Limited(item.Red), Limited(item.Green), Limited(item.Blue), hexOrder);
    case lcRed:
      return std::to_wstring(item.Red);
    case lcGreen:
      return std::to_wstring(item.Green);
    case lcBlue:
      return std::to_wstring(item.Blue);
    case lcComment:
      return item.Comment;
  }
  return {};
}

// ---- Columns

TListColumnId TColorList::ColumnAt(int position) const noexcept {
  if (position < 0 || position >= kListColumnCount) return lcNumber;
  return static_cast<TListColumnId>(FColumnIds[static_cast<std::size_t>(position)]);
}

bool TColorList::SetColumnIds(const TColumnIds& ids) {
  if (!ValidColumnIds(ids)) return false;
  FColumnIds = ids;
  for (int p = 0; p < kListColumnCount; ++p) FPositions[static_cast<std::size_t>(ids[static_cast<std::size_t>(p)])] = p;
  return true;
}

void TColorList::MoveColumn(int from, int to) {
  if (from < 1 || to < 1 || from >= kListColumnCount || to >= kListColumnCount || from == to) return;
  TColumnIds ids = FColumnIds;
  MoveElement(ids, from, to);
  SetColumnIds(ids);
}

// ---- Steps

std::size_t TColorList::BytesOf(const TColorListRows& run) noexcept {
  std::size_t bytes = 0;
  run.ForEach([&](const TColorListItem& item) { bytes += ItemBytes(item); });
  return bytes;
}

TListChange TColorList::Apply(TStep& step, bool forward) {
  TListChange change;
  const TOp op = forward ? step.Op
                 : step.Op == TOp::Insert ? TOp::Erase
                 : step.Op == TOp::Erase  ? TOp::Insert
                                          : step.Op;
  switch (op) {
    case TOp::Insert:
      FRows.Paste(step.Index, step.Run);
      change = {step.Index, Count() - 1, true};
      break;
    case TOp::Erase:
      step.Run = FRows.Cut(step.Index, step.Count);
      change = {step.Index, Count() - 1, true};
      break;
    case TOp::Move: {
      const int from = forward ? step.Index : step.To, to = forward ? step.To : step.Index;
      FRows.Move(from, to);
      change = {std::min(from, to), std::max(from, to), false};
      break;
    }
    case TOp::Set: {
      TColorListItem other = FRows[step.Index];
      FRows.Set(step.Index, std::move(step.Other));
      step.Other = std::move(other);
      change = {step.Index, step.Index, false};
      break;
    }
  }
  FCurrent = forward ? step.CurrentAfter : step.CurrentBefore;
  SetCurrent(FCurrent);
  FDirty = false;
  return change;
}

TListChange TColorList::Record(TStep step) {
  // A new step after undoing drops what could have been redone.
  if (FSavedAt > FDone) FSavedDropped = true;
  while (FSteps.size() > FDone) {
    FHistoryBytes -= FSteps.back().Bytes;
    FSteps.pop_back();
  }
  // What the step holds while undone (an insert) or done (an erase).
  const std::size_t before = BytesOf(step.Run);
  const TListChange change = Apply(step, true);
  step.Bytes = sizeof(TStep) + std::max(before, BytesOf(step.Run)) + ItemBytes(step.Other);
  FHistoryBytes += step.Bytes;
  FSteps.push_back(std::move(step));
  FDone = FSteps.size();
  Trim();
  return change;
}

void TColorList::Trim() {
  // The newest step always stays, however large: the list already holds its items.
  while (FHistoryBytes > FHistoryLimit && FSteps.size() > 1 && FDone > 1) {
    FHistoryBytes -= FSteps.front().Bytes;
    FSteps.pop_front();
    --FDone;
    if (FSavedAt == 0)
      FSavedDropped = true;
    else
      --FSavedAt;
  }
}

void TColorList::SetHistoryLimit(std::size_t bytes) {
  FHistoryLimit = bytes;
  Trim();
}

TListChange TColorList::Add(TColorListItem item, TListStepLabel label) {
  std::vector<TColorListItem> items;
  items.push_back(std::move(item));
  return Record({TOp::Insert, Count(), 0, 1, TColorListRows(std::move(items)), {}, FCurrent, Count(), label});
}

TListChange TColorList::Append(std::vector<TColorListItem> items, TListStepLabel label) {
  if (items.empty()) return {};
  const int count = static_cast<int>(items.size());
  return Record({TOp::Insert, Count(), 0, count, TColorListRows(std::move(items)), {}, FCurrent, Count(), label});
}

TListChange TColorList::Delete(int index, TListStepLabel label) {
  if (!CanDelete() || index < 0 || index >= Count()) return {};
  int after = FCurrent;
  if (FCurrent > index) --after;
  if (FCurrent == index) after = std::min(index, Count() - 2);
  return Record({TOp::Erase, index, 0, 1, {}, {}, FCurrent, after, label});
}

TListChange TColorList::Move(int from, int to, TListStepLabel label) {
  if (from == to || from < 0 || to < 0 || from >= Count() || to >= Count()) return {};
  return Record({TOp::Move, from, to, 0, {}, {}, FCurrent, MovedIndex(FCurrent, from, to), label});
}

TCellEdit TColorList::SetCell(int index, TListColumnId column, std::wstring_view text, TListStepLabel label,
                              TListChange* change) {
  if (index < 0 || index >= Count()) return TCellEdit::Unchanged;
  TColorListItem item = FRows[index];
  if (column == lcRed || column == lcGreen || column == lcBlue) {
    std::int32_t& channel = column == lcRed ? item.Red : column == lcGreen ? item.Green : item.Blue;
    // The text the cell showed is no change, also for a channel a file gave out of range.
    if (text == std::to_wstring(channel)) return TCellEdit::Unchanged;
    std::int32_t value = 0;
    // A channel must stay a number, or the file would lose the whole line.
    if (!CellToInt(text, value)) return TCellEdit::Refused;
    value = Limited(value);
    if (value == channel) return TCellEdit::Unchanged;
    channel = value;
  } else if (column == lcComment) {
    std::wstring comment = SanitizeCommentText(std::wstring(text));
    if (comment == item.Comment) return TCellEdit::Unchanged;
    item.Comment = std::move(comment);
  } else {
    return TCellEdit::Unchanged;
  }
  const TListChange done = Record({TOp::Set, index, 0, 1, {}, std::move(item), index, index, label});
  if (change) *change = done;
  return TCellEdit::Changed;
}

void TColorList::ReplaceAll(std::vector<TColorListItem> items) {
  FRows = TColorListRows(std::move(items));
  FSteps.clear();
  FDone = FSavedAt = 0;
  FSavedDropped = FDirty = false;
  FHistoryBytes = 0;
  FCurrent = -1;
  SetCurrent(0);
}

// ---- History

TListChange TColorList::Undo() {
  if (!CanUndo()) return {};
  --FDone;
  return Apply(FSteps[FDone], false);
}

TListChange TColorList::Redo() {
  if (!CanRedo()) return {};
  TListChange change = Apply(FSteps[FDone], true);
  ++FDone;
  return change;
}

void TColorList::MarkSaved() noexcept {
  FSavedAt = FDone;
  FSavedDropped = FDirty = false;
}
