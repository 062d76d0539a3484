#pragma once
// The main window's colour list: the grid as a view of the list model, the
// column layout and byte order, the commands that change the list (each one
// step of its history), and the list file read and written through it. It
// changes nothing outside itself; what the rest must hear goes up as events.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "controls/grid/CmbGrid.h"
#include "core/color/uColor.h"
#include "core/colorlist/uColorList.h"
#include "core/colorlist/uColorListFile.h"
#include "core/colorlist/uColumnLayout.h"
#include "core/colorout/uPalette.h"
#include "core/support/Stream.h"
#include "framework/Handles.h"

// Starts the drag of a row's colour out of the list.
using TColorDragFunc = std::function<void(TColor color)>;
using TColorEvent = std::function<void(fw::TObject* sender, TColor color)>;

class TColorListPanel : public fw::TObject, private TGridCellSource {
  fw::TUniqueFont FListFont;  // outlives the grid that draws with it
  TColorList FList;           // outlives the grid that shows it

 public:
  // currentColor answers the colour a new row takes; colorDrag starts the
  // drag of a row's colour (the program's OLE drag when empty).
  TColorListPanel(std::function<TColor()> currentColor, TColorDragFunc colorDrag = {});

  // Creates the grid on parent, filling it.
  void Create(fw::TWindow& parent);
  // The list's font again at the grid's DPI, after the window went to another.
  void DpiChanged();

  TComboGrid gridItem;
  // The list as it is; read only, every change goes through the commands here.
  const TColorList& List() const noexcept { return FList; }

  // A row was chosen or its channels edited: its colour, each channel limited to 0..255.
  TColorEvent OnSelectColor;
  // The content changed, or the modified state may have (Modified()).
  fw::TNotifyEvent OnModified;
  // The item count, the current row or the history changed (CanDelete, CanUndo, ...).
  fw::TNotifyEvent OnListChange;
  // What the swatch cells paint for a row's colour; empty paints it as it is.
  std::function<TColor(TColor color)> DisplayColor;
  // A shortcut menu is asked for over the grid, at a screen point.
  std::function<void(fw::TObject* sender, int screenX, int screenY)> OnContextMenu;

  int ItemCount() const noexcept { return FList.Count(); }
  // Screen position of column identity 1..6 (0 is the fixed row number).
  int ColIndex(int identity) const noexcept { return FList.PositionOf(static_cast<TListColumnId>(identity)); }
  // A grid row's colour, each channel limited to 0..255; black off the list.
  TColor RowColor(int row) const;
  TColor CurrentRowColor() const { return RowColor(gridItem.Row()); }
  const std::wstring& RowComment(int row) const;
  // Every row as colour and comment.
  std::vector<TPaletteEntry> Rows() const;
  // New rows after the last, as one step named label; nothing for no entries.
  void AppendColors(std::span<const TPaletteEntry> entries, TListStepLabel label);
  // A whole list at once, saved nowhere yet (restored, or read from a
  // palette): the history starts again, and the list is modified until saved.
  void ReplaceItems(std::vector<TColorListItem> items, int current = 0);
  bool CanDelete() const noexcept { return FList.CanDelete(); }
  bool CanMoveUp() const noexcept;
  bool CanMoveDown() const noexcept;

  // The history. Labels are the string IDs of the steps' names.
  bool CanUndo() const noexcept { return FList.CanUndo(); }
  bool CanRedo() const noexcept { return FList.CanRedo(); }
  TListStepLabel UndoLabel() const noexcept { return FList.UndoLabel(); }
  TListStepLabel RedoLabel() const noexcept { return FList.RedoLabel(); }
  void Undo();
  void Redo();
  bool Modified() const noexcept { return FList.Modified(); }
  // The document was saved or read: this state is the unmodified one now.
  void MarkSaved() noexcept { FList.MarkSaved(); }

  std::uint8_t HexOrder() const noexcept { return FHexOrder; }
  // Sets the order and rewrites the headers and every hex cell.
  void SetHexOrder(std::uint8_t order);
  TColumnLayout ListColumns() const;
  // The layout must be valid (ValidColumnIds); applies it and rebuilds the map.
  void SetListColumns(const TColumnLayout& layout);
  // The columns as designed: identities in order and their designed widths.
  static TColumnLayout DesignedColumns();
  void FitCommentColumn();

  // Ends a running in-place edit (firing OnEditEnd): commands that read or
  // replace the list call it first.
  void EndListEdit();
  // The window is going: late editor focus events change nothing from now on.
  void Detach() noexcept { FDetached = true; }

  // The document's content (TDocument's OnClear, OnLoadFromStream, OnSaveToStream).
  void DocumentClear(fw::TObject* sender);
  // Parsed whole before the grid is touched: a read error keeps the old list.
  // False, with the list untouched, when the stream holds no item.
  bool DocumentLoadFromStream(fw::TObject* sender, TStream& stream);
  // Hears what reading found before the list is touched; may stop the read
  // by throwing (EAbort once the user was told or said no).
  std::function<void(const TColorListReadResult& read)> OnCheckRead;
  void DocumentSaveToStream(fw::TObject* sender, TStream& stream);

  void actAddExecute(fw::TObject* sender);
  void actDelExecute(fw::TObject* sender);
  void actUpExecute(fw::TObject* sender);
  void actDownExecute(fw::TObject* sender);

  // The headers and the column settings from the layout.
  void UpdateColIndex();
  void RefreshHexColumn();

 private:
  // The grid's cells, read from the list.
  std::wstring CellText(int col, int row) const override;
  void SetCellText(int col, int row, const std::wstring& text) override;
  void MoveRow(int from, int to) override;
  void MoveColumn(int from, int to) override;

  void gridItemDrawCell(fw::TObject* sender, HDC dc, int col, int row, const RECT& rect, TGridDrawState state);
  void gridItemSelectCell(fw::TObject* sender, int col, int row, bool& canSelect);
  void gridItemEditEnd(fw::TObject* sender);
  void gridItemClick(fw::TObject* sender);
  void gridItemMouseDown(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void gridItemRowMoved(fw::TObject* sender, int fromIndex, int toIndex);
  void gridItemColumnMoved(fw::TObject* sender, int fromIndex, int toIndex);

  // The grid's rows follow the list: one per item, or the placeholder.
  void ShowRows(const TListChange& change);
  void SelectRow(int row);
  void ReportModified();
  void ListChanged();
  void UndoOrRedo(bool undo);

  std::function<TColor()> FCurrentColor;
  TColorDragFunc FColorDrag;
  std::array<std::wstring, kListColumnCount> FCaptions;  // by position
  std::uint8_t FHexOrder = 0;
  bool FDetached = false;
  bool FEndingListEdit = false;
  // The last finished edit was a step of the history.
  bool FEditStepped = false;
};
