#pragma once
// A string grid with one fixed row and column, per-column cell kinds (text,
// drop-down, push button, check box), an in-place editor, column sizing and
// moving and row moving. Rows are all one height, so the layout of any row
// is arithmetic and only the visible rows are ever touched.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/grid/GridCellSource.h"
#include "framework/Events.h"
#include "framework/Handles.h"
#include "framework/Window.h"

class TComboInplaceEdit;

// Alignment flags of a cell kind; neither top nor bottom centres vertically.
inline constexpr std::uint8_t caLeft = 1, caCenter = 2, caRight = 4, caTop = 8, caVCenter = 16, caBottom = 32;

enum TCellKindType : std::uint8_t { ckText = 0, ckDropDown = 1, ckButton = 2, ckCheck = 3 };

struct TCellItem {
  std::wstring Text;
  int Number = 0;
};

struct TCellKind {
  std::uint8_t Kind = ckText;
  std::uint8_t HeaderAlign = caLeft | caVCenter;
  std::uint8_t BodyAlign = caLeft | caVCenter;
  // Text: item 0 the edit mask, item 1 the display format; drop-down: the
  // entries; button: item 0 the caption; check: the states with their numbers.
  std::vector<TCellItem> Items;
  int DropDownWidth = 0;
  int Margin = 2;
  int EditLimit = 0;
  bool Editable = true;
};

// A button caption that means "show the cell's own text".
inline constexpr const wchar_t* kUseCellData = L"%%USECELLDATA%%";

using TGridOptions = unsigned;
inline constexpr TGridOptions goFixedVertLine = 1u << 0, goFixedHorzLine = 1u << 1, goVertLine = 1u << 2,
                              goHorzLine = 1u << 3, goDrawFocusSelected = 1u << 4, goColSizing = 1u << 5,
                              goRowMoving = 1u << 6, goColMoving = 1u << 7, goEditing = 1u << 8, goTabs = 1u << 9,
                              goAlwaysShowEditor = 1u << 10, goThumbTracking = 1u << 11;

using TGridDrawState = unsigned;
inline constexpr TGridDrawState gdSelected = 1, gdFocused = 2, gdFixed = 4;

// The DC's current brush is the background the grid chose for the cell.
using TDrawCellEvent =
    std::function<void(fw::TObject* sender, HDC dc, int col, int row, const RECT& rect, TGridDrawState state)>;
using TSelectCellEvent = std::function<void(fw::TObject* sender, int col, int row, bool& canSelect)>;
using TGridBtnClick = std::function<void(fw::TObject* sender, int col, int row)>;
using TDropDownEvent = std::function<void(fw::TObject* sender, bool& handled)>;
using TMovedEvent = std::function<void(fw::TObject* sender, int fromIndex, int toIndex)>;
// A shortcut menu is asked for at a screen point (the right button, or the
// keyboard: then at the current cell); handled keeps the default away.
using TContextPopupEvent = std::function<void(fw::TObject* sender, int screenX, int screenY, bool& handled)>;

class TComboGrid : public fw::TWindow {
 public:
  // A narrower column could no longer be caught by its edge to widen it again.
  static constexpr int kMinColWidth = 8;

  TComboGrid();
  ~TComboGrid() override;

  void Create(fw::TWindow* parent);

  int ColCount() const noexcept { return FColCount; }
  void SetColCount(int count);
  // Amortised constant time per row: no repaint of rows out of view, and the
  // scroll bars follow once per burst of changes.
  int RowCount() const noexcept { return FRowCount; }
  void SetRowCount(int count);
  // The cells from now on; null for the grid's own store. The source
  // outlives the grid or is replaced first; its owner changes the row
  // count and repaints what changed.
  void SetCellSource(TGridCellSource* source);
  TGridCellSource& CellSource() const noexcept { return *FSource; }
  int FixedCols() const noexcept { return FFixedCols; }
  int FixedRows() const noexcept { return FFixedRows; }
  void SetFixedCols(int count);
  void SetFixedRows(int count);
  int DefaultRowHeight() const noexcept { return FRowHeight; }
  void SetDefaultRowHeight(int height);
  int ColWidths(int col) const noexcept;
  void SetColWidths(int col, int width);
  int DefaultColWidth() const noexcept { return FDefaultColWidth; }
  void SetDefaultColWidth(int width) noexcept { FDefaultColWidth = width; }
  int GridLineWidth() const noexcept { return FLineWidth; }
  void SetGridLineWidth(int width);
  TGridOptions Options() const noexcept { return FOptions; }
  void SetOptions(TGridOptions options);
  bool DefaultDrawing() const noexcept { return FDefaultDrawing; }
  void SetDefaultDrawing(bool value) noexcept { FDefaultDrawing = value; }

  // The text shown: the cell source's, or what is being typed into the cell.
  std::wstring Cells(int col, int row) const;
  void SetCells(int col, int row, const std::wstring& text);
  // The integer slot of a cell of the grid's own store.
  std::intptr_t Objects(int col, int row) const;
  void SetObjects(int col, int row, std::intptr_t value);

  // The settings of a column position; a position past the list extends it.
  TCellKind& CellKinds(int col);
  int CellKindCount() const noexcept { return static_cast<int>(FKinds.size()); }

  int Col() const noexcept { return FCol; }
  int Row() const noexcept { return FRow; }
  void SetCol(int col) { FocusCell(col, FRow); }
  void SetRow(int row) { FocusCell(FCol, row); }
  // Moves the current cell (select event first, click event after) and
  // scrolls it into view; false when refused or out of range.
  bool FocusCell(int col, int row);
  int TopRow() const noexcept { return FTopRow; }
  void SetTopRow(int row);
  int LeftCol() const noexcept { return FLeftCol; }
  void SetLeftCol(int col);
  // Body rows that fit whole below the fixed rows.
  int VisibleRowCount() const noexcept;
  int VisibleColCount() const noexcept;
  RECT CellRect(int col, int row) const noexcept;
  // False when the point is on no cell.
  bool MouseToCell(int x, int y, int& col, int& row) const noexcept;

  // In-place editing.
  bool EditorMode() const noexcept { return FEditing; }
  void SetEditorMode(bool value);
  void ShowEditor();
  // Ends an edit: the text stays, OnEditEnd fires for the edited cell.
  void EndEdit();
  // Ends an edit and puts back the text the cell had before it.
  void CancelEdit();
  // The cell of the edit that runs or last ended (-1 when none yet); valid
  // in OnEditEnd even when the current cell has moved meanwhile.
  int EditedCol() const noexcept { return FEditCol; }
  int EditedRow() const noexcept { return FEditRow; }
  // The cell's text when that edit began.
  const std::wstring& EditedOriginal() const noexcept { return FEditOriginal; }
  TComboInplaceEdit* InplaceEditor() const noexcept { return FEditor.get(); }

  // Row and column operations; texts and objects of the own store move with
  // their rows and columns, cell kinds stay with positions. With a source of
  // its own the owner has changed the data, and these follow it on screen.
  void DeleteRow(int row);
  void InsertRow(int row);
  void ExchangeRows(int a, int b);
  void MoveRow(int fromIndex, int toIndex);
  void MoveColumn(int fromIndex, int toIndex);

  void DoGridBtnClick(int col, int row);
  // Puts the next state of a check cell into it.
  void ToggleCheck(int col, int row);
  // Draws the whole client area into dc (also off screen).
  void PaintTo(HDC dc, const RECT& clip);
  void InvalidateCell(int col, int row) const noexcept;
  void InvalidateRow(int row) const noexcept;
  // Rows first..last, or to the end for last -1.
  void InvalidateRows(int first, int last) const noexcept;

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  fw::TNotifyEvent OnEditEnd;
  TGridBtnClick OnGridBtnClick;
  TDropDownEvent OnDropDown;
  TMovedEvent OnRowMoved;
  TMovedEvent OnColumnMoved;
  TContextPopupEvent OnContextPopup;
  // The current cell moved.
  fw::TNotifyEvent OnClick;
  // After the grid has handled the press.
  fw::TMouseEvent OnMouseDown;

  // Hooks of the in-place editor.
  bool Destroying() const noexcept { return FDestroying; }
  void EditorTextChanged(const std::wstring& text);
  void EditorFocusLost(HWND next);
  // Keys the editor hands on (moves, Tab); true when handled.
  bool EditorKey(WORD key, fw::TShiftState shift);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void HandleCreated() override;
  void HandleDestroying() override;
  void WMSize(int cx, int cy) override;
  void DpiChanged(int oldDpi, int newDpi) override;
  bool Paint(HDC dc, const RECT& clip) override;
  bool WMEraseBkgnd(HDC) override { return true; }
  bool WMMouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  bool WMMouseMove(fw::TShiftState shift, int x, int y) override;
  bool WMMouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  bool WMDoubleClick(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  bool WMMouseWheel(int delta, fw::TShiftState shift, int screenX, int screenY) override;
  bool WMKeyDown(WORD& key, fw::TShiftState shift) override;
  bool WMKeyUp(WORD& key, fw::TShiftState shift) override;
  void WMChar(wchar_t& key) override;
  void WMSetFocus(HWND previous) override;
  void WMKillFocus(HWND next) override;
  void WMCancelMode() override;
  void WMCaptureChanged(HWND newCapture) override;

  // Whether the current cell may get the editor.
  virtual bool CanEditShow();
  virtual void DrawCell(HDC dc, int col, int row, const RECT& rect, TGridDrawState state);

 private:
  enum class TGridState { gsNormal, gsColSizing, gsColMoving, gsRowMoving, gsButtonDown };

  bool IsFixed(int col, int row) const noexcept { return col < FFixedCols || row < FFixedRows; }
  int ColLeft(int col) const noexcept;
  int RowTop(int row) const noexcept;
  int LastFullRow() const noexcept;
  bool RowInView(int row) const noexcept;
  bool ColInView(int col) const noexcept;
  void ScrollIntoView(int col, int row);
  void ScrollChanged();
  void RequestLayout();
  void UpdateScrollBars();
  void Scroll(int bar, WORD code);
  void MoveBy(int dcol, int drow);
  bool TabTarget(bool backwards, int& col, int& row) const noexcept;
  void HideEditorWindow(bool focusGrid);
  // Hands what was typed to the cell source, then fires OnEditEnd.
  void FinishEdit();
  // Follows the edited cell: hidden while it is out of view, shown again in place.
  void PlaceEditor();
  bool EditedCellInView() const noexcept;
  // An edit whose editor scrolled away: the cell comes back into view and
  // the editor takes the keys again, its text and caret as they were.
  bool ResumeEdit();
  void DrawText(HDC dc, const RECT& rect, const std::wstring& text, std::uint8_t align, int margin, bool fixed);
  void DrawButtonCell(HDC dc, int col, int row, const RECT& rect, TGridDrawState state, bool pressed);
  void DrawCheckCell(HDC dc, int col, int row, const RECT& rect, bool pressed);
  TGridDrawState StateOf(int col, int row) const noexcept;
  void DrawMoveMark(HDC dc);
  int SizingColAt(int x, int y) const noexcept;
  bool IsPressable(int col, int row) noexcept;
  void ReleasePressed(bool fire, int x, int y);

  TGridCellStore FStore;
  TGridCellSource* FSource = &FStore;
  int FRowCount = 5;
  std::vector<int> FWidths;
  std::vector<TCellKind> FKinds;
  int FColCount = 5;
  int FFixedCols = 1, FFixedRows = 1;
  int FRowHeight = 24;
  // What SetDefaultRowHeight was given, at which DPI.
  int FRowHeightSet = 24;
  int FRowHeightDpi = 96;
  int FDefaultColWidth = 64;
  int FLineWidth = 1;
  TGridOptions FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
  bool FDefaultDrawing = true;
  int FCol = 1, FRow = 1;
  int FTopRow = 1, FLeftCol = 1;

  std::unique_ptr<TComboInplaceEdit> FEditor;
  bool FEditing = false;
  bool FEditorScrolledOut = false;
  int FEditCol = -1, FEditRow = -1;
  std::wstring FEditOriginal;
  std::wstring FEditText;
  // Typed since the source last heard of the edit.
  bool FEditTyped = false;

  TGridState FState = TGridState::gsNormal;
  int FSizingCol = -1, FSizingStart = 0, FSizingWidth = 0;
  int FMoveFrom = -1, FMoveTo = -1;
  int FPressedCol = -1, FPressedRow = -1;
  bool FPressedWasCurrent = false;
  bool FSpaceDown = false;
  bool FLayoutPending = false;
  bool FInScrollUpdate = false;
  bool FDestroying = false;

  fw::TUniqueMemDC FBufferDC;
  fw::TUniqueBitmap FBuffer;
  SIZE FBufferSize{0, 0};
};
