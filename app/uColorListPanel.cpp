// The colour list on the main window: the grid's cells are the list.
#include <algorithm>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/ufrmTintra.h"
#include "core/color/uHexColor.h"
#include "framework/support/uAnsiCodecWin.h"
#include "core/colorlist/uColorListCell.h"
#include "core/colorlist/uColorListFile.h"
#include "framework/Beep.h"
#include "app/ole/uOLE2Color.h"
#include "core/support/uUserError.h"

namespace {

// Identities 0..6: row number, swatch, hex, red, green, blue, comment.
enum : int { ciNumber = 0, ciSwatch = 1, ciHex = 2, ciRed = 3, ciGreen = 4, ciBlue = 5, ciComment = 6 };
const int kColumnWidths[kListColumnCount] = {30, 32, 70, 32, 30, 30, 64};
const wchar_t* const kCaptions[kListColumnCount] = {L"行", L"色", L"16進", L"赤", L"緑", L"青", L"コメント"};

std::wstring HexCaption(std::uint8_t order) {
  if (order == 0) return std::wstring(kCaptions[ciHex]) + L"(RGB)";
  if (order == 1) return std::wstring(kCaptions[ciHex]) + L"(BGR)";
  return kCaptions[ciHex];
}

}  // namespace

void TfrmTintra::SetUpListActions() {
  actInsert.OnExecute = [this](fw::TObject* s) { actAddExecute(s); };
  actDelete.OnExecute = [this](fw::TObject* s) { actDelExecute(s); };
  act1Up.OnExecute = [this](fw::TObject* s) { actUpExecute(s); };
  act1Down.OnExecute = [this](fw::TObject* s) { actDownExecute(s); };
  actRGB.OnExecute = [this](fw::TObject* s) { actRGBExecute(s); };
  actBGR.OnExecute = [this](fw::TObject* s) { actBGRExecute(s); };

  Hooks.ListColumns = [this]() -> std::optional<TColumnLayout> { return ListColumns(); };
  Hooks.SetListColumns = [this](const TColumnLayout& layout) { SetListColumns(layout); };
  Hooks.FitCommentColumn = [this] { FitCommentColumn(); };
  Hooks.HexOrder = [this]() -> std::optional<std::uint8_t> { return FHexOrder; };
  Hooks.SetHexOrder = [this](std::uint8_t order) { SetHexOrder(order); };
  ColorDrag = &StartColorDrag;
}

void TfrmTintra::CreateListGrid() {
  gridItem.SetControlId(ControlIds::gridItem);
  gridItem.SetColCount(kListColumnCount);
  gridItem.SetRowCount(2);
  gridItem.SetDefaultRowHeight(17);
  for (int c = 0; c < kListColumnCount; ++c) {
    gridItem.SetColWidths(c, kColumnWidths[c]);
    gridItem.SetObjects(c, 0, c);
  }
  TCellKind& numbers = gridItem.CellKinds(0);
  numbers.HeaderAlign = numbers.BodyAlign = caCenter | caVCenter;
  numbers.Editable = false;
  gridItem.SetCells(0, 0, kCaptions[ciNumber]);
  gridItem.SetColWidths(0, 32);
  gridItem.SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goDrawFocusSelected | goColSizing |
                      goRowMoving | goColMoving | goEditing | goThumbTracking);
  LOGFONTW lf{};
  lf.lfHeight = 13;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynW(lf.lfFaceName, L"ＭＳ ゴシック", LF_FACESIZE);
  FListFont.Reset(::CreateFontIndirectW(&lf));
  gridItem.SetFont(FListFont.Get());
  gridItem.SetAlign(fw::TAlign::alClient);

  gridItem.OnDrawCell = [this](fw::TObject* s, HDC dc, int col, int row, const RECT& rect, TGridDrawState state) {
    gridItemDrawCell(s, dc, col, row, rect, state);
  };
  gridItem.OnSelectCell = [this](fw::TObject* s, int col, int row, bool& canSelect) {
    gridItemSelectCell(s, col, row, canSelect);
  };
  gridItem.OnEditEnd = [this](fw::TObject* s) { gridItemEditEnd(s); };
  gridItem.OnClick = [this](fw::TObject* s) { gridItemClick(s); };
  gridItem.OnMouseDown = [this](fw::TObject* s, fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
    gridItemMouseDown(s, button, shift, x, y);
  };
  gridItem.OnRowMoved = [this](fw::TObject* s, int from, int to) { gridItemRowMoved(s, from, to); };
  gridItem.OnColumnMoved = [this](fw::TObject* s, int from, int to) { gridItemColumnMoved(s, from, to); };
  UpdateColIndex();
  gridItem.Create(&gridItemArea);
}

// ---- Column map, hex order, layout

void TfrmTintra::UpdateColIndex() {
  for (int p = 1; p < gridItem.ColCount(); ++p) {
    const std::intptr_t k = gridItem.Objects(p, 0);
    if (k < ciSwatch || k > ciComment) throw EUserError(L"TfrmTintra.UpdateColIndex: Illegal Index");
    FColIndex[static_cast<std::size_t>(k)] = p;
    gridItem.SetCells(p, 0, k == ciHex ? HexCaption(FHexOrder) : kCaptions[k]);
    TCellKind& kind = gridItem.CellKinds(p);
    kind.Editable = k >= ciRed;
    kind.HeaderAlign = caCenter | caVCenter;
    kind.BodyAlign = static_cast<std::uint8_t>((k >= ciRed && k <= ciBlue ? caRight : caLeft) | caVCenter);
  }
}

void TfrmTintra::RefreshHexColumn() {
  const int hex = FColIndex[ciHex];
  for (int r = 1; r < gridItem.RowCount() && r <= FItemCount; ++r) {
    std::int32_t red = 0, green = 0, blue = 0;
    const bool numbers = CellToInt(gridItem.Cells(FColIndex[ciRed], r), red) &&
                         CellToInt(gridItem.Cells(FColIndex[ciGreen], r), green) &&
                         CellToInt(gridItem.Cells(FColIndex[ciBlue], r), blue);
    const TColor color = RowColor(r);
    gridItem.SetCells(
        hex, r,
        numbers ? ColorToHexText(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF, FHexOrder) : std::wstring());
  }
}

void TfrmTintra::SetHexOrder(std::uint8_t order) {
  FHexOrder = order;
  UpdateColIndex();
  RefreshHexColumn();
}

void TfrmTintra::actRGBExecute(fw::TObject*) {
  if (FHexOrder == 0) return;
  actRGB.SetChecked(true);
  SetHexOrder(0);
}

void TfrmTintra::actBGRExecute(fw::TObject*) {
  if (FHexOrder == 1) return;
  actBGR.SetChecked(true);
  SetHexOrder(1);
}

void TfrmTintra::tbsmiHexOrderPopup(fw::TObject*) {
  if (FHexOrder == 0)
    actRGB.SetChecked(true);
  else if (FHexOrder == 1)
    actBGR.SetChecked(true);
}

TColumnLayout TfrmTintra::ListColumns() const {
  TColumnLayout layout{};
  for (int c = 0; c < kListColumnCount; ++c) {
    layout.Ids[static_cast<std::size_t>(c)] = static_cast<std::int32_t>(gridItem.Objects(c, 0));
    layout.Widths[static_cast<std::size_t>(c)] = gridItem.ColWidths(c);
  }
  return layout;
}

void TfrmTintra::SetListColumns(const TColumnLayout& layout) {
  for (int c = 0; c < kListColumnCount; ++c) {
    gridItem.SetObjects(c, 0, layout.Ids[static_cast<std::size_t>(c)]);
    gridItem.SetColWidths(c, layout.Widths[static_cast<std::size_t>(c)]);
  }
  UpdateColIndex();
}

void TfrmTintra::FitCommentColumn() {
  if (!gridItem.HandleAllocated()) return;
  int width = gridItem.ClientWidth() - 6 * gridItem.GridLineWidth() - gridItem.ColWidths(0);
  for (int k = ciSwatch; k <= ciBlue; ++k) width -= gridItem.ColWidths(FColIndex[static_cast<std::size_t>(k)]);
  // Too narrow a window leaves the comment column collapsed, not negative.
  gridItem.SetColWidths(FColIndex[ciComment], std::max(width, 0));
}

// ---- Rows

TColor TfrmTintra::RowColor(int row) const {
  if (row < 1 || row >= gridItem.RowCount()) return 0;
  return static_cast<TColor>(CellToChannel(gridItem.Cells(FColIndex[ciRed], row)) |
                             CellToChannel(gridItem.Cells(FColIndex[ciGreen], row)) << 8 |
                             CellToChannel(gridItem.Cells(FColIndex[ciBlue], row)) << 16);
}

void TfrmTintra::SelectRowColor(int row) {
  const TColor color = RowColor(row);
  TColorFactors& f = Factors();
  f.Red = static_cast<std::int32_t>(color & 0xFF);
  f.Grn = static_cast<std::int32_t>((color >> 8) & 0xFF);
  f.Blu = static_cast<std::int32_t>((color >> 16) & 0xFF);
  UpdateFromRGB();
}

void TfrmTintra::UpdateListActions() {
  act1Up.SetEnabled(gridItem.Row() > 1);
  act1Down.SetEnabled(gridItem.Row() < gridItem.RowCount() - 1);
  actDelete.SetEnabled(FItemCount > 1);
}

void TfrmTintra::EndListEdit() {
  struct TEnding {
    bool& Flag;
    explicit TEnding(bool& flag) : Flag(flag) { Flag = true; }
    ~TEnding() { Flag = false; }
  } ending(FEndingListEdit);
  gridItem.EndEdit();
}

void TfrmTintra::DetachList() noexcept { FListDetached = true; }

void TfrmTintra::actAddExecute(fw::TObject*) {
  // Text typed into the placeholder is no item: drop it before the row is filled.
  if (FItemCount == 0) gridItem.CancelEdit();
  const int n = ++FItemCount;
  if (gridItem.RowCount() <= n) gridItem.SetRowCount(n + 1);
  const TColorFactors& f = Factors();
  gridItem.SetCells(0, n, std::to_wstring(n));
  gridItem.SetCells(FColIndex[ciSwatch], n, L"");
  gridItem.SetCells(FColIndex[ciHex], n, ColorToHexText(f.Red, f.Grn, f.Blu, FHexOrder));
  gridItem.SetCells(FColIndex[ciRed], n, std::to_wstring(f.Red));
  gridItem.SetCells(FColIndex[ciGreen], n, std::to_wstring(f.Grn));
  gridItem.SetCells(FColIndex[ciBlue], n, std::to_wstring(f.Blu));
  gridItem.SetCells(FColIndex[ciComment], n, L"");
  gridItem.InvalidateCell(FColIndex[ciSwatch], n);
  gridItem.FocusCell(gridItem.Col(), n);
  Document.Change();
  FitCommentColumn();
  if (gridItem.HandleAllocated()) gridItem.SetFocus();
  gridItem.FocusCell(FColIndex[ciComment], n);
}

void TfrmTintra::actDelExecute(fw::TObject*) {
  if (FItemCount <= 1) return;
  gridItem.DeleteRow(gridItem.Row());
  for (int r = gridItem.Row(); r < gridItem.RowCount(); ++r) gridItem.SetCells(0, r, std::to_wstring(r));
  --FItemCount;
  FitCommentColumn();
  Document.Change();
}

void TfrmTintra::actUpExecute(fw::TObject*) {
  const int row = gridItem.Row();
  if (row <= 1 || FItemCount == 0) return;
  gridItem.ExchangeRows(row, row - 1);
  gridItem.SetCells(0, row, std::to_wstring(row));
  gridItem.SetCells(0, row - 1, std::to_wstring(row - 1));
  gridItem.FocusCell(gridItem.Col(), row - 1);
  Document.Change();
}

void TfrmTintra::actDownExecute(fw::TObject*) {
  const int row = gridItem.Row();
  if (row >= gridItem.RowCount() - 1 || FItemCount == 0) return;
  gridItem.ExchangeRows(row, row + 1);
  gridItem.SetCells(0, row, std::to_wstring(row));
  gridItem.SetCells(0, row + 1, std::to_wstring(row + 1));
  gridItem.FocusCell(gridItem.Col(), row + 1);
  Document.Change();
}

// ---- Grid events

void TfrmTintra::gridItemDrawCell(fw::TObject*, HDC dc, int col, int row, const RECT& rect, TGridDrawState) {
  if (FItemCount == 0 && row == 1) {
    ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetCurrentObject(dc, OBJ_BRUSH)));
    return;
  }
  if (row < 1 || col != FColIndex[ciSwatch]) return;
  fw::TUniqueBrush brush(::CreateSolidBrush(RowColor(row)));
  ::FillRect(dc, &rect, brush.Get());
  if (col == gridItem.Col() && row == gridItem.Row()) ::DrawFocusRect(dc, &rect);
}

void TfrmTintra::gridItemSelectCell(fw::TObject*, int, int row, bool&) {
  // The placeholder holds no colour.
  if (row >= 1 && row <= FItemCount) SelectRowColor(row);
}

void TfrmTintra::gridItemEditEnd(fw::TObject*) {
  if (FListDetached || gridItem.Destroying()) return;
  // Destroying the window hides it first and the editor then loses the focus:
  // that is no end of an edit (a close has ended it already).
  if (!FEndingListEdit && HandleAllocated() && !::IsWindowVisible(Handle())) return;
  const int col = gridItem.EditedCol(), row = gridItem.EditedRow();
  if (col < 1 || col >= gridItem.ColCount() || row < 1 || row >= gridItem.RowCount()) return;
  if (row > FItemCount) {
    // Typing into the placeholder makes no item.
    gridItem.SetCells(col, row, L"");
    return;
  }
  const std::wstring text = gridItem.Cells(col, row);
  if (col == FColIndex[ciRed] || col == FColIndex[ciGreen] || col == FColIndex[ciBlue]) {
    // A channel must stay a number, or the file would lose the whole line.
    std::int32_t value = 0;
    if (text != gridItem.EditedOriginal()) {
      if (!CellToInt(text, value)) {
        gridItem.SetCells(col, row, gridItem.EditedOriginal());
        fw::MessageBeep(0);
      } else {
        gridItem.SetCells(col, row, std::to_wstring(std::clamp<std::int32_t>(value, 0, 255)));
      }
    }
  } else if (col == FColIndex[ciComment]) {
    gridItem.SetCells(col, row, SanitizeCommentText(text));
  }
  Document.Change();
  SelectRowColor(row);
  const TColorFactors& f = Factors();
  gridItem.SetCells(FColIndex[ciHex], row, ColorToHexText(f.Red, f.Grn, f.Blu, FHexOrder));
  gridItem.Invalidate();
}

void TfrmTintra::gridItemClick(fw::TObject*) { UpdateListActions(); }

void TfrmTintra::gridItemMouseDown(fw::TObject*, fw::TMouseButton button, fw::TShiftState, int x, int y) {
  // A press that opened the editor is for typing, not for dragging.
  if (button != fw::TMouseButton::mbLeft || gridItem.EditorMode() || !ColorDrag) return;
  int col = 0, row = 0;
  if (!gridItem.MouseToCell(x, y, col, row) || col < 1 || row < 1 || row > FItemCount) return;
  ColorDrag(RowColor(row));
}

void TfrmTintra::gridItemRowMoved(fw::TObject*, int, int) {
  Document.Change();
  for (int r = 1; r < gridItem.RowCount(); ++r) gridItem.SetCells(0, r, std::to_wstring(r));
}

void TfrmTintra::gridItemColumnMoved(fw::TObject*, int, int) { UpdateColIndex(); }

// ---- Document

void TfrmTintra::DocumentChange(fw::TObject*) { UpdateListActions(); }

void TfrmTintra::DocumentClear(fw::TObject*) {
  gridItem.CancelEdit();
  FItemCount = 0;
  gridItem.SetRowCount(2);
  // An emptied list must not bring an old colour back through its placeholder.
  for (int c = 0; c < gridItem.ColCount(); ++c) gridItem.SetCells(c, 1, L"");
  gridItem.Invalidate();
  UpdateListActions();
  UpdateCaption();
}

void TfrmTintra::DocumentLoadFromStream(fw::TObject*, TStream& stream) {
  // Parsed whole before the grid is touched: a read error keeps the old list.
  const std::vector<TColorListItem> items = ColorListLoadFromStream(stream, TAnsiCodecWin());
  if (items.empty()) {
    Document.Clear();
    UpdateListActions();
    return;
  }
  gridItem.CancelEdit();
  const int n = static_cast<int>(items.size());
  gridItem.SetRowCount(n + 1);
  for (int r = 1; r <= n; ++r) {
    const TColorListItem& item = items[static_cast<std::size_t>(r - 1)];
    gridItem.SetCells(0, r, std::to_wstring(r));
    gridItem.SetCells(FColIndex[ciSwatch], r, L"");
    gridItem.SetCells(FColIndex[ciRed], r, std::to_wstring(item.Red));
    gridItem.SetCells(FColIndex[ciGreen], r, std::to_wstring(item.Green));
    gridItem.SetCells(FColIndex[ciBlue], r, std::to_wstring(item.Blue));
    gridItem.SetCells(FColIndex[ciComment], r, item.Comment);
    gridItem.SetCells(FColIndex[ciHex], r,
                      ColorToHexText(std::clamp(item.Red, 0, 255), std::clamp(item.Green, 0, 255),
                                     std::clamp(item.Blue, 0, 255), FHexOrder));
  }
  FItemCount = n;
  gridItem.Invalidate();
  UpdateListActions();
}

void TfrmTintra::DocumentSaveToStream(fw::TObject*, TStream& stream) {
  std::vector<TColorListRow> rows;
  rows.reserve(static_cast<std::size_t>(FItemCount));
  for (int r = 1; r <= FItemCount && r < gridItem.RowCount(); ++r)
    rows.push_back({gridItem.Cells(FColIndex[ciRed], r), gridItem.Cells(FColIndex[ciGreen], r),
                    gridItem.Cells(FColIndex[ciBlue], r), gridItem.Cells(FColIndex[ciComment], r)});
  ColorListSaveToStream(stream, rows, TAnsiCodecWin());
}
