#include "controls/grid/CmbGrid.h"

#include "core/sampling/uMonitorLayout.h"
#include "core/support/uMoveIndex.h"

#include <windowsx.h>

#include <algorithm>
#include <cwchar>
#include <utility>

#include "controls/grid/ComboInplaceEdit.h"
#include "framework/Theme.h"

namespace {

// Posted once per burst of row-count changes: the scroll bars follow then.
constexpr UINT WM_GRIDLAYOUT = WM_APP + 0x4C1;

// The display format of a text column: the digits after its point give the
// decimals shown ("0.00" two); anything else shows the raw text.
bool FormatNumber(const std::wstring& format, const std::wstring& text, std::wstring& out) {
  if (format.empty() || text.empty()) return false;
  wchar_t* end = nullptr;
  const double value = std::wcstod(text.c_str(), &end);
  if (end == text.c_str() || *end != L'\0') return false;
  int decimals = 0;
  const size_t point = format.find(L'.');
  if (point != std::wstring::npos)
    for (size_t i = point + 1; i < format.size() && (format[i] == L'0' || format[i] == L'#'); ++i) ++decimals;
  wchar_t buf[64];
  std::swprintf(buf, 64, L"%.*f", decimals, value);
  out = buf;
  return true;
}

}  // namespace

TComboGrid::TComboGrid() {
  FStore.Resize(FColCount, FRowCount);
  SetAccessibleSource(&Accessible);
  FWidths.assign(static_cast<size_t>(FColCount), FDefaultColWidth);
}

TComboGrid::~TComboGrid() {
  // The editor dies first and finds the grid going: no edit-end event runs
  // on a half-destroyed owner.
  FDestroying = true;
  FEditor.reset();
  // Cut off before the source goes, not when the window does after it.
  SetAccessibleSource(nullptr);
}

void TComboGrid::Create(fw::TWindow* parent) {
  TCreateParams p;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL;
  p.ExStyle = WS_EX_CLIENTEDGE;
  p.ClassStyle = CS_DBLCLKS;
  CreateHandle(parent, p);
}

void TComboGrid::HandleCreated() { UpdateScrollBars(); }

void TComboGrid::HandleDestroying() { FDestroying = true; }

// ---- Sizes and settings

void TComboGrid::SetColCount(int count) {
  count = std::max(count, FFixedCols + 1);
  if (count == FColCount) return;
  if (FEditing && FEditCol >= count) EndEdit();
  FColCount = count;
  if (FSource == &FStore) FStore.Resize(FColCount, FRowCount);
  FWidths.resize(static_cast<size_t>(count), FDefaultColWidth);
  FCol = std::min(FCol, count - 1);
  FLeftCol = std::clamp(FLeftCol, FFixedCols, count - 1);
  RequestLayout();
  Invalidate();
}

void TComboGrid::SetRowCount(int count) {
  count = std::max(count, FFixedRows + 1);
  const int old = RowCount();
  if (count == old) return;
  if (FEditing && FEditRow >= count) EndEdit();
  FRowCount = count;
  if (FSource == &FStore) FStore.Resize(FColCount, FRowCount);
  NotifyAccessible(EVENT_OBJECT_REORDER);
  if (count < old) {
    FRow = std::min(FRow, count - 1);
    FTopRow = std::min(FTopRow, count - 1);
  }
  // Only rows in view are repainted; a long load touches the screen once.
  const int first = std::min(old, count);
  if (HandleAllocated() && RowInView(first)) {
    RECT r = ClientRect();
    r.top = RowTop(first);
    ::InvalidateRect(Handle(), &r, FALSE);
  }
  RequestLayout();
}

void TComboGrid::SetFixedCols(int count) {
  FFixedCols = std::clamp(count, 0, FColCount - 1);
  FCol = std::max(FCol, FFixedCols);
  FLeftCol = std::max(FLeftCol, FFixedCols);
  RequestLayout();
  Invalidate();
}

void TComboGrid::SetFixedRows(int count) {
  FFixedRows = std::clamp(count, 0, RowCount() - 1);
  FRow = std::max(FRow, FFixedRows);
  FTopRow = std::max(FTopRow, FFixedRows);
  RequestLayout();
  Invalidate();
}

void TComboGrid::SetDefaultRowHeight(int height) {
  FRowHeightSet = height;
  FRowHeightDpi = Dpi();
  FRowHeight = std::max(height, 1);
  RequestLayout();
  Invalidate();
  PlaceEditor();
}

int TComboGrid::ColWidths(int col) const noexcept {
  return col >= 0 && col < FColCount ? FWidths[static_cast<size_t>(col)] : 0;
}

void TComboGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= FColCount) return;
  width = std::max(width, kMinColWidth);
  if (FWidths[static_cast<size_t>(col)] == width) return;
  FWidths[static_cast<size_t>(col)] = width;
  RequestLayout();
  Invalidate();
  PlaceEditor();
}

void TComboGrid::DpiChanged(int oldDpi, int newDpi) {
  // The row height from what was set, the column widths (dragged by the
  // user since) from what they are; going up and back gives them back.
  FRowHeight = std::max(MulDivRound(FRowHeightSet, newDpi, FRowHeightDpi), 1);
  for (int& w : FWidths) w = std::max(MulDivRound(w, newDpi, oldDpi), static_cast<int>(kMinColWidth));
  RequestLayout();
  Invalidate();
  PlaceEditor();
}

void TComboGrid::SetGridLineWidth(int width) {
  FLineWidth = std::max(width, 0);
  RequestLayout();
  Invalidate();
}

void TComboGrid::SetOptions(TGridOptions options) {
  FOptions = options;
  if (!(FOptions & goEditing) && FEditing) EndEdit();
  Invalidate();
}

void TComboGrid::SetCellSource(TGridCellSource* source) {
  if (FEditing) CancelEdit();
  FSource = source ? source : &FStore;
  FStore.Resize(FColCount, FSource == &FStore ? FRowCount : 0);
  Invalidate();
}

std::wstring TComboGrid::Cells(int col, int row) const {
  if (col < 0 || col >= FColCount || row < 0 || row >= RowCount()) return {};
  if (FEditing && col == FEditCol && row == FEditRow) return FEditText;
  return FSource->CellText(col, row);
}

void TComboGrid::SetCells(int col, int row, const std::wstring& text) {
  if (col < 0 || col >= FColCount || row < 0 || row >= RowCount()) return;
  if (FSource == &FStore && FStore.Text(col, row) == text) return;
  FSource->SetCellText(col, row, text);
  InvalidateCell(col, row);
}

std::intptr_t TComboGrid::Objects(int col, int row) const { return FStore.Object(col, row); }

void TComboGrid::SetObjects(int col, int row, std::intptr_t value) { FStore.SetObject(col, row, value); }

TCellKind& TComboGrid::CellKinds(int col) {
  col = std::max(col, 0);
  if (static_cast<size_t>(col) >= FKinds.size()) FKinds.resize(static_cast<size_t>(col) + 1);
  return FKinds[static_cast<size_t>(col)];
}

// ---- Geometry

int TComboGrid::ColLeft(int col) const noexcept {
  int x = 0;
  for (int c = 0; c < FFixedCols && c < col; ++c) x += FWidths[static_cast<size_t>(c)] + FLineWidth;
  if (col < FFixedCols) return x;
  if (col < FLeftCol) return -1;
  for (int c = FLeftCol; c < col; ++c) x += FWidths[static_cast<size_t>(c)] + FLineWidth;
  return x;
}

int TComboGrid::RowTop(int row) const noexcept {
  const int step = FRowHeight + FLineWidth;
  if (row < FFixedRows) return row * step;
  return FFixedRows * step + (row - FTopRow) * step;
}

int TComboGrid::VisibleRowCount() const noexcept {
  const int free = ClientHeight() - FFixedRows * (FRowHeight + FLineWidth);
  return std::max(free / (FRowHeight + FLineWidth), 0);
}

int TComboGrid::VisibleColCount() const noexcept {
  int x = ColLeft(FFixedCols < FLeftCol ? FLeftCol : FFixedCols);
  const int width = ClientWidth();
  int n = 0;
  for (int c = FLeftCol; c < FColCount; ++c) {
    x += FWidths[static_cast<size_t>(c)];
    if (x > width) break;
    x += FLineWidth;
    ++n;
  }
  return n;
}

int TComboGrid::LastFullRow() const noexcept { return FTopRow + std::max(VisibleRowCount(), 1) - 1; }

bool TComboGrid::RowInView(int row) const noexcept {
  if (row < 0 || row >= RowCount()) return false;
  if (row < FFixedRows) return true;
  return row >= FTopRow && RowTop(row) < ClientHeight();
}

bool TComboGrid::ColInView(int col) const noexcept {
  if (col < 0 || col >= FColCount) return false;
  if (col < FFixedCols) return true;
  return col >= FLeftCol && ColLeft(col) < ClientWidth();
}

RECT TComboGrid::CellRect(int col, int row) const noexcept {
  if (!RowInView(row) || !ColInView(col)) return RECT{0, 0, 0, 0};
  const int left = ColLeft(col), top = RowTop(row);
  return RECT{left, top, left + FWidths[static_cast<size_t>(col)], top + FRowHeight};
}

bool TComboGrid::MouseToCell(int x, int y, int& col, int& row) const noexcept {
  col = row = -1;
  if (x < 0 || y < 0) return false;
  const int step = FRowHeight + FLineWidth;
  const int fixedHeight = FFixedRows * step;
  if (y < fixedHeight) {
    row = y / step;
  } else {
    row = FTopRow + (y - fixedHeight) / step;
    if (row >= RowCount()) row = -1;
  }
  for (int c = 0; c < FColCount; ++c) {
    if (c >= FFixedCols && c < FLeftCol) continue;
    const int left = ColLeft(c);
    if (x >= left && x < left + FWidths[static_cast<size_t>(c)] + FLineWidth) {
      col = c;
      break;
    }
  }
  return col >= 0 && row >= 0;
}

void TComboGrid::InvalidateCell(int col, int row) const noexcept {
  if (!HandleAllocated() || !RowInView(row) || !ColInView(col)) return;
  RECT r = CellRect(col, row);
  r.right += FLineWidth;
  r.bottom += FLineWidth;
  ::InvalidateRect(Handle(), &r, FALSE);
}

void TComboGrid::InvalidateRow(int row) const noexcept {
  if (!HandleAllocated() || !RowInView(row)) return;
  RECT r = ClientRect();
  r.top = RowTop(row);
  r.bottom = r.top + FRowHeight + FLineWidth;
  ::InvalidateRect(Handle(), &r, FALSE);
}

void TComboGrid::InvalidateRows(int first, int last) const noexcept {
  if (!HandleAllocated()) return;
  if (first < FFixedRows) {
    Invalidate();
    return;
  }
  first = std::max(first, FTopRow);
  if (last >= 0 && last < first) return;
  RECT r = ClientRect();
  r.top = RowTop(first);
  if (last >= 0) r.bottom = std::min(r.bottom, static_cast<LONG>(RowTop(last) + FRowHeight + FLineWidth));
  if (r.top < r.bottom) ::InvalidateRect(Handle(), &r, FALSE);
}

// ---- Scrolling

void TComboGrid::RequestLayout() {
  if (!HandleAllocated() || FLayoutPending) return;
  FLayoutPending = true;
  ::PostMessageW(Handle(), WM_GRIDLAYOUT, 0, 0);
}

void TComboGrid::UpdateScrollBars() {
  FLayoutPending = false;
  if (!HandleAllocated()) return;
  if (FInScrollUpdate) return;  // showing a bar resizes the client area
  FInScrollUpdate = true;
  const int maxTop = std::max(FFixedRows, RowCount() - std::max(VisibleRowCount(), 1));
  FTopRow = std::clamp(FTopRow, FFixedRows, maxTop);
  SCROLLINFO si{sizeof(si)};
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = RowCount() - FFixedRows - 1;
  si.nPage = static_cast<UINT>(std::max(VisibleRowCount(), 1));
  si.nPos = FTopRow - FFixedRows;
  ::SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
  si.nMax = FColCount - FFixedCols - 1;
  si.nPage = static_cast<UINT>(std::max(VisibleColCount(), 1));
  si.nPos = FLeftCol - FFixedCols;
  ::SetScrollInfo(Handle(), SB_HORZ, &si, TRUE);
  FInScrollUpdate = false;
}

void TComboGrid::SetTopRow(int row) {
  const int maxTop = std::max(FFixedRows, RowCount() - std::max(VisibleRowCount(), 1));
  row = std::clamp(row, FFixedRows, maxTop);
  if (row == FTopRow) return;
  FTopRow = row;
  ScrollChanged();
}

void TComboGrid::SetLeftCol(int col) {
  col = std::clamp(col, FFixedCols, FColCount - 1);
  if (col == FLeftCol) return;
  FLeftCol = col;
  ScrollChanged();
}

void TComboGrid::ScrollChanged() {
  if (!HandleAllocated()) return;
  // The position at once, the bar's picture once per burst: under Wine a
  // redrawn scroll bar costs milliseconds, many times a whole grid paint.
  SCROLLINFO si{sizeof(si)};
  si.fMask = SIF_POS;
  si.nPos = FTopRow - FFixedRows;
  ::SetScrollInfo(Handle(), SB_VERT, &si, FALSE);
  si.nPos = FLeftCol - FFixedCols;
  ::SetScrollInfo(Handle(), SB_HORZ, &si, FALSE);
  RequestLayout();
  Invalidate();
  PlaceEditor();
}

void TComboGrid::ScrollIntoView(int col, int row) {
  if (row >= FFixedRows) {
    if (row < FTopRow)
      SetTopRow(row);
    else if (row > LastFullRow())
      SetTopRow(row - std::max(VisibleRowCount(), 1) + 1);
  }
  if (col >= FFixedCols) {
    if (col < FLeftCol) {
      SetLeftCol(col);
    } else {
      const int before = FLeftCol;
      while (FLeftCol < col && ColLeft(col) + FWidths[static_cast<size_t>(col)] > ClientWidth()) ++FLeftCol;
      if (FLeftCol != before) ScrollChanged();
    }
  }
}

void TComboGrid::Scroll(int bar, WORD code) {
  const bool vert = bar == SB_VERT;
  const int pos = vert ? FTopRow : FLeftCol;
  const int page = vert ? std::max(VisibleRowCount(), 1) : std::max(VisibleColCount(), 1);
  const int first = vert ? FFixedRows : FFixedCols;
  int next = pos;
  switch (code) {
    case SB_LINEUP:
      next = pos - 1;
      break;
    case SB_LINEDOWN:
      next = pos + 1;
      break;
    case SB_PAGEUP:
      next = pos - page;
      break;
    case SB_PAGEDOWN:
      next = pos + page;
      break;
    case SB_TOP:
      next = first;
      break;
    case SB_BOTTOM:
      next = vert ? RowCount() : FColCount;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      if (code == SB_THUMBTRACK && !(FOptions & goThumbTracking)) return;
      // The message carries 16 bits of position; the bar holds all 32.
      SCROLLINFO si{sizeof(si)};
      si.fMask = SIF_TRACKPOS;
      if (!::GetScrollInfo(Handle(), bar, &si)) return;
      next = first + si.nTrackPos;
      break;
    }
    default:
      return;
  }
  if (vert)
    SetTopRow(next);
  else
    SetLeftCol(next);
}

// ---- Current cell and keyboard

bool TComboGrid::FocusCell(int col, int row) {
  if (col < FFixedCols || col >= FColCount || row < FFixedRows || row >= RowCount()) return false;
  if (col == FCol && row == FRow) {
    ScrollIntoView(col, row);
    return true;
  }
  if (FEditing) EndEdit();
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(this, col, row, canSelect);
  if (!canSelect) return false;
  InvalidateCell(FCol, FRow);
  FCol = col;
  FRow = row;
  InvalidateCell(FCol, FRow);
  ScrollIntoView(col, row);
  NotifyCurrentCell();
  if (OnClick) OnClick(this);
  return true;
}

void TComboGrid::NotifyCurrentCell() const noexcept {
  if (!Focused()) return;
  const long cell = Accessible.CellId(FCol, FRow);
  NotifyAccessible(EVENT_OBJECT_FOCUS, cell);
  NotifyAccessible(EVENT_OBJECT_SELECTION, cell);
}

void TComboGrid::MoveBy(int dcol, int drow) {
  FocusCell(std::clamp(FCol + dcol, FFixedCols, FColCount - 1), std::clamp(FRow + drow, FFixedRows, RowCount() - 1));
}

bool TComboGrid::TabTarget(bool backwards, int& col, int& row) const noexcept {
  col = FCol + (backwards ? -1 : 1);
  row = FRow;
  if (col >= FColCount) {
    col = FFixedCols;
    ++row;
  } else if (col < FFixedCols) {
    col = FColCount - 1;
    --row;
  }
  return row >= FFixedRows && row < RowCount();
}

bool TComboGrid::WMKeyDown(WORD& key, fw::TShiftState shift) {
  const int page = std::max(VisibleRowCount(), 1);
  const TCellKind& kind = CellKinds(FCol);
  switch (key) {
    case VK_UP:
      MoveBy(0, -1);
      return true;
    case VK_DOWN:
      MoveBy(0, 1);
      return true;
    case VK_LEFT:
      MoveBy(-1, 0);
      return true;
    case VK_RIGHT:
      MoveBy(1, 0);
      return true;
    case VK_PRIOR:
      SetTopRow(FTopRow - page);
      MoveBy(0, -page);
      return true;
    case VK_NEXT:
      SetTopRow(FTopRow + page);
      MoveBy(0, page);
      return true;
    case VK_HOME:
      if (shift.Ctrl)
        FocusCell(FCol, FFixedRows);
      else
        FocusCell(FFixedCols, FRow);
      return true;
    case VK_END:
      if (shift.Ctrl)
        FocusCell(FCol, RowCount() - 1);
      else
        FocusCell(FColCount - 1, FRow);
      return true;
    case VK_TAB: {
      if (!(FOptions & goTabs)) return false;
      int col, row;
      if (TabTarget(shift.Shift, col, row)) FocusCell(col, row);
      return true;
    }
    case VK_F2:
      if (ResumeEdit()) return true;
      ShowEditor();
      if (FEditor && FEditing) FEditor->SetSelStart(static_cast<int>(FEditor->Text().size()));
      return true;
    case VK_RETURN:
      if (kind.Kind == ckButton) {
        DoGridBtnClick(FCol, FRow);
        key = 0;
        return true;
      }
      if (ResumeEdit()) return true;
      ShowEditor();
      return true;
    case VK_SPACE:
      if ((kind.Kind == ckButton || kind.Kind == ckCheck) && ::GetKeyState(VK_LBUTTON) >= 0 && !FSpaceDown) {
        const RECT r = CellRect(FCol, FRow);
        FSpaceDown = true;
        WMMouseDown(fw::TMouseButton::mbLeft, fw::TShiftState{}, r.left, r.top);
        return true;
      }
      return false;
    default:
      return false;
  }
}

bool TComboGrid::WMKeyUp(WORD& key, fw::TShiftState) {
  if (key == VK_SPACE && FSpaceDown) {
    FSpaceDown = false;
    const RECT r = CellRect(FCol, FRow);
    WMMouseUp(fw::TMouseButton::mbLeft, fw::TShiftState{}, r.left, r.top);
    return true;
  }
  return false;
}

void TComboGrid::WMChar(wchar_t& key) {
  if (key < L' ') return;
  if (FEditing) {
    if (ResumeEdit()) {
      ::SendMessageW(FEditor->Handle(), WM_CHAR, key, 1);
      key = 0;
    }
    return;
  }
  if (key == L' ') {
    const int kind = CellKinds(FCol).Kind;
    if (kind == ckButton || kind == ckCheck) return;
  }
  ShowEditor();
  if (FEditing && FEditor) {
    // The editor selected its text: the key replaces it, as typing over a cell does.
    ::SendMessageW(FEditor->Handle(), WM_CHAR, key, 1);
    key = 0;
  }
}

bool TComboGrid::EditorKey(WORD key, fw::TShiftState shift) {
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
      break;
    case VK_TAB:
      if (!(FOptions & goTabs)) return false;
      break;
    default:
      return false;
  }
  EndEdit();
  WORD k = key;
  return WMKeyDown(k, shift);
}

// ---- Editing

bool TComboGrid::CanEditShow() {
  const bool base = (FOptions & goEditing) && FCol >= FFixedCols && FRow >= FFixedRows && FRow < RowCount();
  const TCellKind& kind = CellKinds(FCol);
  if (FEditor) FEditor->SetCellKind(kind);
  if (kind.Editable && (kind.Kind == ckText || kind.Kind == ckDropDown))
    return base || (!FEditing && (FOptions & goAlwaysShowEditor));
  if (FEditing) HideEditorWindow(true);
  InvalidateCell(FCol, FRow);
  return false;
}

void TComboGrid::ShowEditor() {
  if (FEditing || !HandleAllocated() || !CanEditShow()) return;
  ScrollIntoView(FCol, FRow);
  if (!FEditor) {
    FEditor = std::make_unique<TComboInplaceEdit>(*this);
    FEditor->Create();
  }
  const TCellKind& kind = CellKinds(FCol);
  FEditor->SetCellKind(kind);
  FEditor->SetMaxLength(kind.Kind == ckText ? kind.EditLimit : 0);
  FEditCol = FCol;
  FEditRow = FRow;
  FEditOriginal = Cells(FCol, FRow);
  FEditText = FEditOriginal;
  FEditTyped = false;
  FEditor->SetText(FEditOriginal);
  FEditing = true;
  FEditorScrolledOut = false;
  PlaceEditor();
  ::ShowWindow(FEditor->Handle(), SW_SHOW);
  FEditor->SetFocus();
  FEditor->SelectAll();
}

void TComboGrid::SetEditorMode(bool value) {
  if (value)
    ShowEditor();
  else
    EndEdit();
}

bool TComboGrid::EditedCellInView() const noexcept {
  const bool rowInView = RowInView(FEditRow) && (FEditRow < FFixedRows || FEditRow >= FTopRow);
  const bool colInView = ColInView(FEditCol) && (FEditCol < FFixedCols || FEditCol >= FLeftCol);
  return rowInView && colInView;
}

void TComboGrid::PlaceEditor() {
  if (!FEditing || !FEditor || !FEditor->HandleAllocated()) return;
  const HWND editor = FEditor->Handle();
  if (!EditedCellInView()) {
    if (FEditorScrolledOut) return;
    FEditorScrolledOut = true;
    FEditor->HideList();
    // A hidden window must not keep the keys: the grid takes them, and the
    // editor's loss of the focus ends this part of the edit as any loss does.
    if (FEditor->Focused()) SetFocus();
    ::ShowWindow(editor, SW_HIDE);
    return;
  }
  const RECT r = CellRect(FEditCol, FEditRow);
  ::SetWindowPos(editor, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
  if (!FEditorScrolledOut) return;
  FEditorScrolledOut = false;
  ::ShowWindow(editor, SW_SHOWNOACTIVATE);
  if (Focused()) FEditor->SetFocus();
}

bool TComboGrid::ResumeEdit() {
  if (!FEditing || !FEditor || !FEditor->HandleAllocated()) return false;
  if (FEditorScrolledOut) ScrollIntoView(FEditCol, FEditRow);
  if (FEditorScrolledOut) return false;
  if (!FEditor->Focused()) FEditor->SetFocus();
  return true;
}

void TComboGrid::HideEditorWindow(bool focusGrid) {
  FEditing = false;
  FEditorScrolledOut = false;
  if (!FEditor || !FEditor->HandleAllocated()) return;
  FEditor->HideList();
  // Focus first, so the editor's loss of it fires the edit's end.
  if (focusGrid && FEditor->Focused()) SetFocus();
  ::ShowWindow(FEditor->Handle(), SW_HIDE);
  InvalidateCell(FEditCol, FEditRow);
}

void TComboGrid::EndEdit() {
  if (!FEditing) return;
  const bool hadFocus = FEditor && FEditor->Focused();
  HideEditorWindow(true);
  if (!hadFocus && !FDestroying) FinishEdit();
}

void TComboGrid::FinishEdit() {
  if (FEditTyped && FEditRow < RowCount() && FEditCol < FColCount) {
    FEditTyped = false;
    FSource->SetCellText(FEditCol, FEditRow, FEditText);
    InvalidateCell(FEditCol, FEditRow);
    NotifyAccessible(EVENT_OBJECT_VALUECHANGE, Accessible.CellId(FEditCol, FEditRow));
  }
  if (OnEditEnd) OnEditEnd(this);
}

void TComboGrid::CancelEdit() {
  if (!FEditing) return;
  // The source may have heard of this edit already (an editor scrolled away
  // ends a part of it): it hears the original text again.
  FEditText = FEditOriginal;
  FEditTyped = true;
  if (FEditor) FEditor->SetText(FEditOriginal);
  EndEdit();
}

void TComboGrid::EditorTextChanged(const std::wstring& text) {
  if (!FEditing) return;
  FEditText = text;
  FEditTyped = true;
}

void TComboGrid::EditorFocusLost(HWND next) {
  if (FDestroying) return;
  // Leaving the control hides the editor; focus that leaves the top-level
  // window comes back to the editor, which stays.
  const bool left = next && next != Handle() && ::GetAncestor(next, GA_ROOT) == ::GetAncestor(Handle(), GA_ROOT);
  if (FEditing && left) {
    FEditing = false;
    FEditorScrolledOut = false;
    ::ShowWindow(FEditor->Handle(), SW_HIDE);
    InvalidateCell(FEditCol, FEditRow);
  }
  FinishEdit();
}

void TComboGrid::WMSetFocus(HWND) {
  InvalidateCell(FCol, FRow);
  NotifyCurrentCell();
}

void TComboGrid::WMKillFocus(HWND) { InvalidateCell(FCol, FRow); }

// ---- Rows and columns

void TComboGrid::DeleteRow(int row) {
  if (row < FFixedRows || row >= RowCount() || RowCount() <= FFixedRows + 1) return;
  if (FEditing) EndEdit();
  if (FSource == &FStore) FStore.DeleteRow(row);
  --FRowCount;
  FRow = std::min(FRow, RowCount() - 1);
  FTopRow = std::min(FTopRow, RowCount() - 1);
  RequestLayout();
  Invalidate();
}

void TComboGrid::InsertRow(int row) {
  row = std::clamp(row, FFixedRows, RowCount());
  if (FEditing) EndEdit();
  if (FSource == &FStore) FStore.InsertRow(row);
  ++FRowCount;
  RequestLayout();
  Invalidate();
}

void TComboGrid::ExchangeRows(int a, int b) {
  if (a < 0 || b < 0 || a >= RowCount() || b >= RowCount() || a == b) return;
  if (FEditing) EndEdit();
  if (FSource == &FStore) FStore.ExchangeRows(a, b);
  InvalidateRow(a);
  InvalidateRow(b);
}

void TComboGrid::MoveRow(int fromIndex, int toIndex) {
  if (fromIndex < 0 || toIndex < 0 || fromIndex >= RowCount() || toIndex >= RowCount() || fromIndex == toIndex) return;
  if (FEditing) EndEdit();
  FSource->MoveRow(fromIndex, toIndex);
  FRow = MovedIndex(FRow, fromIndex, toIndex);
  Invalidate();
}

void TComboGrid::MoveColumn(int fromIndex, int toIndex) {
  if (fromIndex < 0 || toIndex < 0 || fromIndex >= FColCount || toIndex >= FColCount || fromIndex == toIndex) return;
  if (FEditing) EndEdit();
  FSource->MoveColumn(fromIndex, toIndex);
  MoveElement(FWidths, fromIndex, toIndex);
  // The current cell stays on its column, wherever the moved one passes it.
  FCol = MovedIndex(FCol, fromIndex, toIndex);
  RequestLayout();
  Invalidate();
}

// ---- Buttons and checks

void TComboGrid::DoGridBtnClick(int col, int row) {
  if (OnGridBtnClick) OnGridBtnClick(this, col, row);
}

void TComboGrid::ToggleCheck(int col, int row) {
  const TCellKind& kind = CellKinds(col);
  if (kind.Items.empty()) return;
  const std::wstring& text = Cells(col, row);
  const auto it =
      std::find_if(kind.Items.begin(), kind.Items.end(), [&](const TCellItem& i) { return i.Text == text; });
  if (it == kind.Items.end() || it->Number == 1) {
    SetCells(col, row, kind.Items[0].Text);
    return;
  }
  const auto one = std::find_if(kind.Items.begin(), kind.Items.end(), [](const TCellItem& i) { return i.Number == 1; });
  if (one != kind.Items.end()) SetCells(col, row, one->Text);
}

bool TComboGrid::IsPressable(int col, int row) noexcept {
  if (col < 0 || row < FFixedRows) return false;
  const TCellKind& kind = CellKinds(col);
  return kind.Kind == ckButton || (kind.Kind == ckCheck && kind.Editable && (FOptions & goEditing));
}

void TComboGrid::ReleasePressed(bool fire, int x, int y) {
  if (FPressedCol < 0) return;
  const int col = FPressedCol, row = FPressedRow;
  FPressedCol = FPressedRow = -1;
  InvalidateCell(col, row);
  int c, r;
  if (fire && MouseToCell(x, y, c, r) && c == col && r == row) {
    if (CellKinds(col).Kind == ckCheck) ToggleCheck(col, row);
    DoGridBtnClick(col, row);
  }
}

// ---- Mouse

int TComboGrid::SizingColAt(int x, int y) const noexcept {
  if (!(FOptions & goColSizing) || y >= FFixedRows * (FRowHeight + FLineWidth)) return -1;
  for (int c = 0; c < FColCount; ++c) {
    if (c >= FFixedCols && c < FLeftCol) continue;
    const int right = ColLeft(c) + FWidths[static_cast<size_t>(c)];
    if (x >= right - 2 && x <= right + FLineWidth + 2) return c;
  }
  return -1;
}

bool TComboGrid::WMMouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  if (!Focused() && !(FEditor && FEditor->Focused())) SetFocus();
  if (button == fw::TMouseButton::mbLeft) {
    int col, row;
    const bool onCell = MouseToCell(x, y, col, row);
    if (const int sizing = SizingColAt(x, y); sizing >= 0) {
      FState = TGridState::gsColSizing;
      FSizingCol = sizing;
      FSizingStart = x;
      FSizingWidth = ColWidths(sizing);
      ::SetCapture(Handle());
    } else if (onCell && row < FFixedRows && col >= FFixedCols && (FOptions & goColMoving)) {
      FState = TGridState::gsColMoving;
      FMoveFrom = FMoveTo = col;
      ::SetCapture(Handle());
    } else if (onCell && col < FFixedCols && row >= FFixedRows && (FOptions & goRowMoving)) {
      FState = TGridState::gsRowMoving;
      FMoveFrom = FMoveTo = row;
      ::SetCapture(Handle());
    } else if (onCell && !IsFixed(col, row)) {
      // A press only selects, also on the current cell: the owner may start
      // a drag from it at once. The keyboard opens the editor.
      FocusCell(col, row);
    }
    if (onCell && FState == TGridState::gsNormal && IsPressable(col, row)) {
      FPressedCol = col;
      FPressedRow = row;
      FPressedWasCurrent = col == FCol && row == FRow;
      FState = TGridState::gsButtonDown;
      ::SetCapture(Handle());
      InvalidateCell(col, row);
    }
  }
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
  return true;
}

bool TComboGrid::WMDoubleClick(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  // The second press of a double click is a press like the first.
  return WMMouseDown(button, shift, x, y);
}

bool TComboGrid::WMMouseMove(fw::TShiftState, int x, int y) {
  switch (FState) {
    case TGridState::gsColSizing:
      SetColWidths(FSizingCol, FSizingWidth + x - FSizingStart);
      break;
    case TGridState::gsColMoving:
    case TGridState::gsRowMoving: {
      const bool rows = FState == TGridState::gsRowMoving;
      if (rows) {
        // Dragging past an edge scrolls, so a row can travel the whole list.
        if (y < FFixedRows * (FRowHeight + FLineWidth))
          SetTopRow(FTopRow - 1);
        else if (y >= ClientHeight())
          SetTopRow(FTopRow + 1);
      }
      int col, row;
      MouseToCell(std::clamp(x, 0, ClientWidth() - 1), std::clamp(y, 0, ClientHeight() - 1), col, row);
      const int target = rows ? (row < 0 ? RowCount() - 1 : std::max(row, FFixedRows)) : std::max(col, FFixedCols);
      if (target >= 0 && target != FMoveTo) {
        FMoveTo = target;
        Invalidate();
      }
      break;
    }
    default:
      break;
  }
  return FState != TGridState::gsNormal;
}

bool TComboGrid::WMMouseUp(fw::TMouseButton button, fw::TShiftState, int x, int y) {
  if (button != fw::TMouseButton::mbLeft) return false;
  const TGridState state = std::exchange(FState, TGridState::gsNormal);
  if (::GetCapture() == Handle()) ::ReleaseCapture();
  switch (state) {
    case TGridState::gsColMoving:
      Invalidate();
      if (FMoveTo != FMoveFrom && FMoveTo >= FFixedCols) {
        MoveColumn(FMoveFrom, FMoveTo);
        if (OnColumnMoved) OnColumnMoved(this, FMoveFrom, FMoveTo);
      }
      break;
    case TGridState::gsRowMoving:
      Invalidate();
      if (FMoveTo != FMoveFrom && FMoveTo >= FFixedRows) {
        MoveRow(FMoveFrom, FMoveTo);
        if (OnRowMoved) OnRowMoved(this, FMoveFrom, FMoveTo);
      }
      break;
    case TGridState::gsButtonDown:
      ReleasePressed(true, x, y);
      break;
    default:
      break;
  }
  FMoveFrom = FMoveTo = -1;
  return true;
}

bool TComboGrid::WMMouseWheel(int delta, fw::TShiftState, int, int) {
  SetTopRow(FTopRow - delta / WHEEL_DELTA * 3);
  return true;
}

void TComboGrid::WMCancelMode() {
  if (FEditor) FEditor->HideList();
  FState = TGridState::gsNormal;
  ReleasePressed(false, 0, 0);
}

void TComboGrid::WMCaptureChanged(HWND newCapture) {
  if (newCapture == Handle() || FState == TGridState::gsNormal) return;
  // A drag started by a handler took the mouse: the press is over.
  FState = TGridState::gsNormal;
  FMoveFrom = FMoveTo = -1;
  ReleasePressed(false, 0, 0);
  Invalidate();
}

// ---- Painting

TGridDrawState TComboGrid::StateOf(int col, int row) const noexcept {
  if (IsFixed(col, row)) return gdFixed;
  if (col != FCol || row != FRow) return 0;
  const TCellKind* kind = static_cast<size_t>(col) < FKinds.size() ? &FKinds[static_cast<size_t>(col)] : nullptr;
  // Buttons and checks keep their face: no selection colours over them.
  if (kind && (kind->Kind == ckButton || kind->Kind == ckCheck)) return 0;
  const bool focused = HandleAllocated() && (Focused() || (FEditor && FEditor->Focused()));
  return gdSelected | (focused ? gdFocused : 0);
}

void TComboGrid::DrawText(HDC dc, const RECT& rect, const std::wstring& text, std::uint8_t align, int margin,
                          bool fixed) {
  SIZE size{0, 0};
  ::GetTextExtentPoint32W(dc, L"Wg", 2, &size);
  int x = rect.left + margin, y = rect.top + (rect.bottom - rect.top - size.cy) / 2;
  UINT anchor = TA_LEFT | TA_TOP;
  if (align & caCenter) {
    anchor = TA_CENTER | TA_TOP;
    x = (rect.left + rect.right) / 2;
  }
  if (align & caRight) {
    anchor = TA_RIGHT | TA_TOP;
    x = rect.right - margin;
  }
  if (align & caTop) y = rect.top + 2;
  if (align & caBottom) y = rect.bottom - size.cy - (fixed ? 2 : 0);
  ::SetTextAlign(dc, anchor);
  ::ExtTextOutW(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void TComboGrid::DrawButtonCell(HDC dc, int col, int row, const RECT& rect, TGridDrawState state, bool pressed) {
  const TCellKind& kind = CellKinds(col);
  RECT r = rect;
  ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  std::wstring caption = kind.Items.empty() ? std::wstring() : kind.Items[0].Text;
  if (caption == kUseCellData) caption = Cells(col, row);
  ::SetBkColor(dc, fw::ThemeColor(fw::TThemeRole::Face));
  ::SetTextColor(dc, fw::ThemeColor(fw::TThemeRole::FaceText));
  RECT text = rect;
  ::InflateRect(&text, -2, -2);
  if (pressed) ::OffsetRect(&text, 1, 1);
  ::SetTextAlign(dc, TA_LEFT | TA_TOP);
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (state & gdFocused || (col == FCol && row == FRow && Focused())) {
    RECT f = rect;
    ::InflateRect(&f, -3, -3);
    ::DrawFocusRect(dc, &f);
  }
}

void TComboGrid::DrawCheckCell(HDC dc, int col, int row, const RECT& rect, bool pressed) {
  const TCellKind& kind = CellKinds(col);
  RECT r = rect;
  ::FillRect(dc, &r, fw::ThemeBrush(fw::TThemeRole::Face));
  fw::DrawThemeEdge(dc, r, true);
  ::InflateRect(&r, -1, -1);
  fw::DrawThemeEdge(dc, r, false);
  const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
  RECT box{cx - 6, cy - 6, cx + 7, cy + 7};
  const std::wstring& text = Cells(col, row);
  const auto it =
      std::find_if(kind.Items.begin(), kind.Items.end(), [&](const TCellItem& i) { return i.Text == text; });
  const fw::TThemeRole fill = pressed                      ? fw::TThemeRole::Face
                              : it == kind.Items.end() ? fw::TThemeRole::GrayText
                                                       : fw::TThemeRole::Window;
  ::FillRect(dc, &box, fw::ThemeBrush(fill));
  ::DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
  if (it != kind.Items.end() && it->Number == 0) {
    fw::TUniquePen pen(::CreatePen(PS_SOLID, 2, fw::ThemeColor(fw::TThemeRole::FaceText)));
    fw::TSelectObject use(dc, pen.Get());
    ::MoveToEx(dc, box.left + 3, box.top + 3, nullptr);
    ::LineTo(dc, box.right - 3, box.bottom - 3);
    ::MoveToEx(dc, box.right - 4, box.top + 3, nullptr);
    ::LineTo(dc, box.left + 2, box.bottom - 3);
  }
}

void TComboGrid::DrawCell(HDC dc, int col, int row, const RECT& rect, TGridDrawState state) {
  if (::IsRectEmpty(&rect)) return;
  const COLORREF text = ::GetTextColor(dc), back = ::GetBkColor(dc), brush = ::GetDCBrushColor(dc);
  if (FDefaultDrawing) {
    const TCellKind& kind = CellKinds(col);
    const bool fixedRow = row < FFixedRows, fixedCol = col < FFixedCols;
    const bool buttonLike = kind.Kind == ckButton || kind.Kind == ckCheck;
    if (fixedRow || (fixedCol && !buttonLike)) {
      DrawText(dc, rect, Cells(col, row), kind.HeaderAlign, kind.Margin, true);
    } else if (buttonLike) {
      const bool pressed = !fixedCol && col == FPressedCol && row == FPressedRow;
      if (kind.Kind == ckButton)
        DrawButtonCell(dc, col, row, rect, state, pressed);
      else
        DrawCheckCell(dc, col, row, rect, pressed);
    } else {
      std::wstring shown;
      const std::wstring& raw = Cells(col, row);
      const bool formatted =
          kind.Kind == ckText && kind.Items.size() > 1 && FormatNumber(kind.Items[1].Text, raw, shown);
      DrawText(dc, rect, formatted ? shown : raw, kind.BodyAlign, kind.Margin, false);
      if (state & gdFocused) ::DrawFocusRect(dc, &rect);
    }
  }
  ::SetTextColor(dc, text);
  ::SetBkColor(dc, back);
  ::SetDCBrushColor(dc, brush);
  if (OnDrawCell) OnDrawCell(this, dc, col, row, rect, state);
  ::SetTextColor(dc, text);
  ::SetBkColor(dc, back);
  ::SetDCBrushColor(dc, brush);
}

void TComboGrid::DrawMoveMark(HDC dc) {
  if (FMoveTo < 0 || FMoveTo == FMoveFrom) return;
  RECT r = ClientRect();
  if (FState == TGridState::gsColMoving) {
    const int left = ColLeft(FMoveTo);
    if (left < 0) return;
    const int x = FMoveTo > FMoveFrom ? left + FWidths[static_cast<size_t>(FMoveTo)] : left - FLineWidth;
    r = RECT{x - 1, 0, x + 2, r.bottom};
  } else if (FState == TGridState::gsRowMoving) {
    if (!RowInView(FMoveTo)) return;
    const int top = RowTop(FMoveTo);
    const int y = FMoveTo > FMoveFrom ? top + FRowHeight : top - FLineWidth;
    r.top = y - 1;
    r.bottom = y + 2;
  } else {
    return;
  }
  ::FillRect(dc, &r, fw::ThemeBrush(fw::TThemeRole::Selection));
}

void TComboGrid::PaintTo(HDC dc, const RECT& clip) {
  const RECT client = ClientRect();
  fw::TSaveDC save(dc);
  if (Font()) ::SelectObject(dc, Font());
  ::SelectObject(dc, ::GetStockObject(DC_BRUSH));
  ::SetBkMode(dc, OPAQUE);
  ::FillRect(dc, &clip, fw::ThemeBrush(fw::TThemeRole::Window));

  const HBRUSH fixedLine = fw::ThemeBrush(fw::TThemeRole::Shadow), bodyLine = fw::ThemeBrush(fw::TThemeRole::Face);
  std::vector<int> cols;
  for (int c = 0; c < FFixedCols; ++c) cols.push_back(c);
  for (int c = FLeftCol; c < FColCount && ColLeft(c) < client.right; ++c) cols.push_back(c);
  auto paintRow = [&](int row) {
    const int top = RowTop(row);
    if (top >= clip.bottom || top + FRowHeight + FLineWidth <= clip.top) return;
    for (int col : cols) {
      const int left = ColLeft(col);
      const RECT rect{left, top, left + FWidths[static_cast<size_t>(col)], top + FRowHeight};
      const RECT outer{rect.left, rect.top, rect.right + FLineWidth, rect.bottom + FLineWidth};
      RECT hit;
      if (!::IntersectRect(&hit, &outer, &clip)) continue;
      const TGridDrawState state = StateOf(col, row);
      COLORREF back = fw::ThemeColor(fw::TThemeRole::Window), fore = fw::ThemeColor(fw::TThemeRole::WindowText);
      if (state & gdFixed) {
        back = fw::ThemeColor(fw::TThemeRole::Face);
        fore = fw::ThemeColor(fw::TThemeRole::FaceText);
      } else if ((state & gdSelected) && (!(state & gdFocused) || (FOptions & goDrawFocusSelected))) {
        back = fw::ThemeColor(fw::TThemeRole::Selection);
        fore = fw::ThemeColor(fw::TThemeRole::SelectionText);
      }
      ::SetBkColor(dc, back);
      ::SetTextColor(dc, fore);
      ::SetDCBrushColor(dc, back);
      DrawCell(dc, col, row, rect, state);
      if (FLineWidth > 0) {
        const bool fixed = IsFixed(col, row);
        const bool vert = fixed ? (FOptions & goFixedVertLine) : (FOptions & goVertLine);
        const bool horz = fixed ? (FOptions & goFixedHorzLine) : (FOptions & goHorzLine);
        const HBRUSH line = fixed ? fixedLine : bodyLine;
        const HBRUSH none = fw::ThemeBrush(fixed ? fw::TThemeRole::Face : fw::TThemeRole::Window);
        const RECT right{rect.right, rect.top, outer.right, outer.bottom};
        const RECT bottom{rect.left, rect.bottom, outer.right, outer.bottom};
        ::FillRect(dc, &right, vert ? line : none);
        ::FillRect(dc, &bottom, horz ? line : none);
      }
    }
  };
  for (int row = 0; row < FFixedRows && row < RowCount(); ++row) paintRow(row);
  for (int row = FTopRow; row < RowCount() && RowTop(row) < client.bottom; ++row) paintRow(row);
  DrawMoveMark(dc);
}

bool TComboGrid::Paint(HDC dc, const RECT& clip) {
  const RECT client = ClientRect();
  const int w = std::max<int>(client.right, 1), h = std::max<int>(client.bottom, 1);
  if (!FBufferDC) FBufferDC.Reset(::CreateCompatibleDC(dc));
  if (w > FBufferSize.cx || h > FBufferSize.cy || !FBuffer) {
    // Grown only: a shrinking window keeps its buffer.
    FBufferSize = SIZE{std::max<LONG>(w, FBufferSize.cx), std::max<LONG>(h, FBufferSize.cy)};
    FBuffer.Reset(::CreateCompatibleBitmap(dc, FBufferSize.cx, FBufferSize.cy));
  }
  if (!FBufferDC || !FBuffer) {
    PaintTo(dc, clip);
    return true;
  }
  fw::TSelectObject use(FBufferDC.Get(), FBuffer.Get());
  PaintTo(FBufferDC.Get(), clip);
  ::BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, FBufferDC.Get(), clip.left,
           clip.top, SRCCOPY);
  return true;
}

void TComboGrid::WMSize(int, int) {
  UpdateScrollBars();
  Invalidate();
  if (FEditing) PlaceEditor();
}

// ---- Messages the framework leaves to the control

LRESULT TComboGrid::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GRIDLAYOUT:
      if (FLayoutPending) UpdateScrollBars();
      return 0;
    case WM_SETFONT:
      // The editor took the font at its creation; the old one may be deleted now.
      if (FEditor && FEditor->HandleAllocated()) FEditor->SetFont(reinterpret_cast<HFONT>(wParam));
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (lParam == 0) {
        Scroll(msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
        return 0;
      }
      break;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      if (FOptions & goTabs) {
        int col, row;
        if (TabTarget(::GetKeyState(VK_SHIFT) < 0, col, row)) code |= DLGC_WANTTAB;
      }
      return code;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(Handle(), &pt);
        if (FState == TGridState::gsColSizing || SizingColAt(pt.x, pt.y) >= 0) {
          ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
          return TRUE;
        }
      }
      break;
    case WM_IME_STARTCOMPOSITION:
      // The first composition opens the editor, which takes the rest of it.
      if (!FEditing) ShowEditor();
      if (FEditing && FEditor) {
        FEditor->SetText(L"");
        return ::SendMessageW(FEditor->Handle(), msg, wParam, lParam);
      }
      break;
    case WM_CONTEXTMENU:
      if (OnContextPopup && reinterpret_cast<HWND>(wParam) == Handle()) {
        int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        if (x == -1 && y == -1) {
          const RECT r = CellRect(FCol, FRow);
          POINT pt{r.left, r.bottom};
          ::ClientToScreen(Handle(), &pt);
          x = pt.x;
          y = pt.y;
        }
        bool handled = false;
        OnContextPopup(this, x, y, handled);
        if (handled) return 0;
      }
      break;
    case WM_DESTROY:
      FDestroying = true;
      break;
    default:
      break;
  }
  return TWindow::WndProc(msg, wParam, lParam);
}
