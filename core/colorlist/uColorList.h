#pragma once
// The colour list: its items, the current one, and every change the user
// can make as one step of a history that undoes and redoes it exactly. A
// saved point in the history decides whether the list is modified.
#include <cstddef>
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/color/uColor.h"
#include "core/colorlist/uColorListFile.h"
#include "core/colorlist/uColorListRows.h"
#include "core/colorlist/uColumnLayout.h"

// The identities of the list's columns; where each stands on screen is the
// view's layout.
enum TListColumnId : int { lcNumber = 0, lcSwatch, lcHex, lcRed, lcGreen, lcBlue, lcComment };

// The items an operation changed, First..Last, counted from 0. Shifted: the
// items from First to the end moved (some came, went or moved through).
struct TListChange {
  int First = 0;
  int Last = -1;
  bool Shifted = false;
  bool None() const noexcept { return !Shifted && Last < First; }
};

enum class TCellEdit { Unchanged, Changed, Refused };

// What a step was, as its caller named it; the history only keeps it for
// the captions of undo and redo.
using TListStepLabel = std::uint32_t;

// The colour a row stands for: each channel limited to 0..255.
TColor ItemColor(const TColorListItem& item) noexcept;

class TColorList {
 public:
  int Count() const noexcept { return FRows.Count(); }
  const TColorListItem& Item(int index) const { return FRows[index]; }
  TColor Color(int index) const { return ItemColor(FRows[index]); }
  // The current item, or -1 for an empty list.
  int Current() const noexcept { return FCurrent; }
  // Moving the current item is no step of the history.
  void SetCurrent(int index) noexcept;
  // The text the list shows for a cell: hex in the given byte order (of
  // the limited channels), the row number counted from 1, the swatch empty.
  std::wstring CellText(int index, TListColumnId column, std::uint8_t hexOrder) const;
  TColorListSnapshot Snapshot() const { return FRows.Snapshot(); }

  // --- Which column stands at each screen position; the row number first.
  using TColumnIds = std::array<std::int32_t, kListColumnCount>;
  const TColumnIds& ColumnIds() const noexcept { return FColumnIds; }
  TListColumnId ColumnAt(int position) const noexcept;
  int PositionOf(TListColumnId column) const noexcept { return FPositions[static_cast<std::size_t>(column)]; }
  // False, and nothing changes, for anything but a permutation with the row number first.
  bool SetColumnIds(const TColumnIds& ids);
  // The row number never moves.
  void MoveColumn(int from, int to);

  // --- Steps. Each is one undo step; one that changes nothing adds none.
  // A new last item, made current.
  TListChange Add(TColorListItem item, TListStepLabel label);
  // New items after the last; the first of them becomes current.
  TListChange Append(std::vector<TColorListItem> items, TListStepLabel label);
  // Never the last remaining item. The current item stays at its place, or
  // goes to the new last one.
  bool CanDelete() const noexcept { return Count() > 1; }
  TListChange Delete(int index, TListStepLabel label);
  // The item at from goes to to, and the current item follows it.
  TListChange Move(int from, int to, TListStepLabel label);
  // A typed cell at the end of an edit: red, green and blue take a whole
  // number limited to 0..255 (other text is refused and nothing changes;
  // the text the cell showed counts as unchanged); the comment takes any
  // text on one line. Other columns are not edited.
  TCellEdit SetCell(int index, TListColumnId column, std::wstring_view text, TListStepLabel label,
                    TListChange* change = nullptr);
  // The whole list at once (a file opened, a new list): the history starts
  // again, the list counts as saved.
  void ReplaceAll(std::vector<TColorListItem> items);

  // --- History.
  bool CanUndo() const noexcept { return FDone > 0; }
  bool CanRedo() const noexcept { return FDone < FSteps.size(); }
  TListStepLabel UndoLabel() const noexcept { return CanUndo() ? FSteps[FDone - 1].Label : 0; }
  TListStepLabel RedoLabel() const noexcept { return CanRedo() ? FSteps[FDone].Label : 0; }
  TListChange Undo();
  TListChange Redo();
  // Away from the saved point, or marked modified since the history last moved.
  bool Modified() const noexcept { return FDirty || FSavedDropped || FDone != FSavedAt; }
  void MarkSaved() noexcept;
  // Modified without a step (an edit that ended without a change); the next
  // step, undo or redo decides again.
  void MarkModified() noexcept { FDirty = true; }
  // No state of the history is saved anywhere (a list restored after a
  // crash, a palette read as a new list): modified until saved.
  void ForgetSavedPoint() noexcept { FSavedDropped = true; }
  // The oldest steps go once the history holds more; their undo with them.
  void SetHistoryLimit(std::size_t bytes);
  std::size_t HistoryBytes() const noexcept { return FHistoryBytes; }
  std::size_t StepCount() const noexcept { return FSteps.size(); }

 private:
  enum class TOp : std::uint8_t { Insert, Erase, Move, Set };
  // Insert puts Run at Index; Erase takes Count items at Index (kept in Run
  // while done); Move goes from Index to To; Set swaps Other in.
  struct TStep {
    TOp Op = TOp::Insert;
    int Index = 0, To = 0, Count = 0;
    TColorListRows Run;
    TColorListItem Other;
    int CurrentBefore = -1, CurrentAfter = -1;
    TListStepLabel Label = 0;
    std::size_t Bytes = 0;
  };
  TListChange Record(TStep step);
  // Carries the step out forwards (redo) or backwards (undo).
  TListChange Apply(TStep& step, bool forward);
  void Trim();
  static std::size_t BytesOf(const TColorListRows& run) noexcept;

  TColorListRows FRows;
  TColumnIds FColumnIds{0, 1, 2, 3, 4, 5, 6};
  TColumnIds FPositions{0, 1, 2, 3, 4, 5, 6};
  int FCurrent = -1;
  std::deque<TStep> FSteps;
  std::size_t FDone = 0;
  // Where the list was saved; past every step when that point was dropped.
  std::size_t FSavedAt = 0;
  bool FSavedDropped = false;
  bool FDirty = false;
  std::size_t FHistoryBytes = 0;
  std::size_t FHistoryLimit = std::size_t{64} << 20;
};
