#include "app/uColorListPanel.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/ole/uOLE2Color.h"
#include "app/uUiText.h"
#include "app/resources/StringIds.h"
#include "core/color/uHexColor.h"
#include "core/colorlist/uColorListCell.h"
#include "core/colorlist/uColorListFile.h"
#include "core/sampling/uMonitorLayout.h"
#include "core/support/uUserError.h"
#include "framework/Beep.h"
#include "framework/support/uAnsiCodecWin.h"

namespace {

// Identities 0..6: row number, swatch, hex, red, green, blue, comment.
enum : int { ciNumber = 0, ciSwatch = 1, ciHex = 2, ciRed = 3, ciGreen = 4, ciBlue = 5, ciComment = 6 };
constexpr std::array<std::int32_t, kListColumnCount> kDesignedWidths{32, 32, 70, 32, 30, 30, 64};
constexpr UINT kCaptions[kListColumnCount] = {IDS_COL_NUMBER, IDS_COL_SWATCH, IDS_COL_HEX,    IDS_COL_RED,
                                              IDS_COL_GREEN,  IDS_COL_BLUE,   IDS_COL_COMMENT};

std::wstring Caption(std::intptr_t column) { return UiText(kCaptions[column]); }

std::wstring HexCaption(std::uint8_t order) {
  if (order == 0) return Caption(ciHex) + L"(RGB)";
  if (order == 1) return Caption(ciHex) + L"(BGR)";
  return Caption(ciHex);
}

}  // namespace

TColorListPanel::TColorListPanel(std::function<TColor()> currentColor, TColorDragFunc colorDrag)
    : FCurrentColor(std::move(currentColor)), FColorDrag(colorDrag ? std::move(colorDrag) : &StartColorDrag) {}

TColumnLayout TColorListPanel::DesignedColumns() { return DefaultColumnLayout(kDesignedWidths); }

void TColorListPanel::Create(fw::TWindow& parent) {
  gridItem.SetControlId(ControlIds::gridItem);
  gridItem.SetColCount(kListColumnCount);
  gridItem.SetRowCount(2);
  gridItem.SetDefaultRowHeight(17);
  for (int c = 0; c < kListColumnCount; ++c) {
    gridItem.SetColWidths(c, kDesignedWidths[static_cast<std::size_t>(c)]);
    gridItem.SetObjects(c, 0, c);
  }
  TCellKind& numbers = gridItem.CellKinds(0);
  numbers.HeaderAlign = numbers.BodyAlign = caCenter | caVCenter;
  numbers.Editable = false;
  gridItem.SetCells(0, 0, Caption(ciNumber));
  gridItem.SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goDrawFocusSelected | goColSizing |
                      goRowMoving | goColMoving | goEditing | goThumbTracking);
  const LOGFONTW lf = UiFont(IDS_FONT_FIXED, 13);
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
  gridItem.OnContextPopup = [this](fw::TObject*, int x, int y, bool& handled) {
    if (!OnContextMenu || FDetached) return;
    handled = true;
    OnContextMenu(this, x, y);
  };
  UpdateColIndex();
  gridItem.Create(&parent);
}

void TColorListPanel::DpiChanged() {
  // The editor holds the font that goes now.
  EndListEdit();
  LOGFONTW lf = UiFont(IDS_FONT_FIXED, 13);
  lf.lfHeight = gridItem.Scaled(lf.lfHeight);
  fw::TUniqueFont font(::CreateFontIndirectW(&lf));
  if (!font) return;
  gridItem.SetFont(font.Get());
  FListFont = std::move(font);
}

// ---- Column map, hex order, layout

void TColorListPanel::UpdateColIndex() {
  for (int p = 1; p < gridItem.ColCount(); ++p) {
    const std::intptr_t k = gridItem.Objects(p, 0);
    if (k < ciSwatch || k > ciComment) throw EUserError(L"TfrmTintra.UpdateColIndex: Illegal Index");
    FColIndex[static_cast<std::size_t>(k)] = p;
    gridItem.SetCells(p, 0, k == ciHex ? HexCaption(FHexOrder) : Caption(k));
    TCellKind& kind = gridItem.CellKinds(p);
    kind.Editable = k >= ciRed;
    kind.HeaderAlign = caCenter | caVCenter;
    kind.BodyAlign = static_cast<std::uint8_t>((k >= ciRed && k <= ciBlue ? caRight : caLeft) | caVCenter);
  }
}

void TColorListPanel::RefreshHexColumn() {
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

void TColorListPanel::SetHexOrder(std::uint8_t order) {
  FHexOrder = order;
  UpdateColIndex();
  RefreshHexColumn();
}

TColumnLayout TColorListPanel::ListColumns() const {
  TColumnLayout layout{};
  for (int c = 0; c < kListColumnCount; ++c) {
    layout.Ids[static_cast<std::size_t>(c)] = static_cast<std::int32_t>(gridItem.Objects(c, 0));
    // Kept at 96 DPI, so a stored layout means the same on any monitor.
    layout.Widths[static_cast<std::size_t>(c)] = PhysicalToLogical(gridItem.ColWidths(c), gridItem.Dpi());
  }
  return layout;
}

void TColorListPanel::SetListColumns(const TColumnLayout& layout) {
  for (int c = 0; c < kListColumnCount; ++c) {
    gridItem.SetObjects(c, 0, layout.Ids[static_cast<std::size_t>(c)]);
    gridItem.SetColWidths(c, gridItem.Scaled(layout.Widths[static_cast<std::size_t>(c)]));
  }
  UpdateColIndex();
}

void TColorListPanel::FitCommentColumn() {
  if (!gridItem.HandleAllocated()) return;
  int width = gridItem.ClientWidth() - 6 * gridItem.GridLineWidth() - gridItem.ColWidths(0);
  for (int k = ciSwatch; k <= ciBlue; ++k) width -= gridItem.ColWidths(FColIndex[static_cast<std::size_t>(k)]);
  // Too narrow a window leaves the comment column collapsed, not negative.
  gridItem.SetColWidths(FColIndex[ciComment], std::max(width, 0));
}

// ---- Rows

TColor TColorListPanel::RowColor(int row) const {
  if (row < 1 || row >= gridItem.RowCount()) return 0;
  return static_cast<TColor>(CellToChannel(gridItem.Cells(FColIndex[ciRed], row)) |
                             CellToChannel(gridItem.Cells(FColIndex[ciGreen], row)) << 8 |
                             CellToChannel(gridItem.Cells(FColIndex[ciBlue], row)) << 16);
}

bool TColorListPanel::CanMoveUp() const noexcept { return gridItem.Row() > 1; }

bool TColorListPanel::CanMoveDown() const noexcept { return gridItem.Row() < gridItem.RowCount() - 1; }

void TColorListPanel::SelectRow(int row) {
  if (OnSelectColor) OnSelectColor(this, RowColor(row));
}

void TColorListPanel::Modified() {
  if (OnModified) OnModified(this);
  ListChanged();
}

void TColorListPanel::ListChanged() {
  if (OnListChange) OnListChange(this);
}

void TColorListPanel::EndListEdit() {
  struct TEnding {
    bool& Flag;
    explicit TEnding(bool& flag) : Flag(flag) { Flag = true; }
    ~TEnding() { Flag = false; }
  } ending(FEndingListEdit);
  gridItem.EndEdit();
}

void TColorListPanel::actAddExecute(fw::TObject*) {
  // Text typed into the placeholder is no item: drop it before the row is filled.
  if (FItemCount == 0) gridItem.CancelEdit();
  const TColor color = FCurrentColor ? FCurrentColor() : 0;
  const int red = static_cast<int>(color & 0xFF), green = static_cast<int>((color >> 8) & 0xFF),
            blue = static_cast<int>((color >> 16) & 0xFF);
  const int n = ++FItemCount;
  if (gridItem.RowCount() <= n) gridItem.SetRowCount(n + 1);
  gridItem.SetCells(0, n, std::to_wstring(n));
  gridItem.SetCells(FColIndex[ciSwatch], n, L"");
  gridItem.SetCells(FColIndex[ciHex], n, ColorToHexText(red, green, blue, FHexOrder));
  gridItem.SetCells(FColIndex[ciRed], n, std::to_wstring(red));
  gridItem.SetCells(FColIndex[ciGreen], n, std::to_wstring(green));
  gridItem.SetCells(FColIndex[ciBlue], n, std::to_wstring(blue));
  gridItem.SetCells(FColIndex[ciComment], n, L"");
  gridItem.InvalidateCell(FColIndex[ciSwatch], n);
  gridItem.FocusCell(gridItem.Col(), n);
  Modified();
  FitCommentColumn();
  if (gridItem.HandleAllocated()) gridItem.SetFocus();
  gridItem.FocusCell(FColIndex[ciComment], n);
}

const std::wstring& TColorListPanel::RowComment(int row) const { return gridItem.Cells(FColIndex[ciComment], row); }

std::vector<TPaletteEntry> TColorListPanel::Rows() const {
  std::vector<TPaletteEntry> rows;
  for (int r = 1; r <= FItemCount && r < gridItem.RowCount(); ++r) rows.push_back({RowColor(r), RowComment(r)});
  return rows;
}

void TColorListPanel::AppendColors(std::span<const TPaletteEntry> entries) {
  if (entries.empty()) return;
  // Text typed into the placeholder is no item.
  if (FItemCount == 0) gridItem.CancelEdit();
  const int first = FItemCount + 1;
  gridItem.SetRowCount(FItemCount + static_cast<int>(entries.size()) + 1);
  for (const TPaletteEntry& entry : entries) {
    const int red = static_cast<int>(entry.color & 0xFF), green = static_cast<int>((entry.color >> 8) & 0xFF),
              blue = static_cast<int>((entry.color >> 16) & 0xFF);
    const int n = ++FItemCount;
    gridItem.SetCells(0, n, std::to_wstring(n));
    gridItem.SetCells(FColIndex[ciSwatch], n, L"");
    gridItem.SetCells(FColIndex[ciHex], n, ColorToHexText(red, green, blue, FHexOrder));
    gridItem.SetCells(FColIndex[ciRed], n, std::to_wstring(red));
    gridItem.SetCells(FColIndex[ciGreen], n, std::to_wstring(green));
    gridItem.SetCells(FColIndex[ciBlue], n, std::to_wstring(blue));
    gridItem.SetCells(FColIndex[ciComment], n, entry.comment);
  }
  gridItem.FocusCell(gridItem.Col(), first);
  gridItem.Invalidate();
  FitCommentColumn();
  Modified();
}

void TColorListPanel::actDelExecute(fw::TObject*) {
  if (FItemCount <= 1) return;
  gridItem.DeleteRow(gridItem.Row());
  for (int r = gridItem.Row(); r < gridItem.RowCount(); ++r) gridItem.SetCells(0, r, std::to_wstring(r));
  --FItemCount;
  FitCommentColumn();
  Modified();
}

void TColorListPanel::actUpExecute(fw::TObject*) {
  const int row = gridItem.Row();
  if (row <= 1 || FItemCount == 0) return;
  gridItem.ExchangeRows(row, row - 1);
  gridItem.SetCells(0, row, std::to_wstring(row));
  gridItem.SetCells(0, row - 1, std::to_wstring(row - 1));
  gridItem.FocusCell(gridItem.Col(), row - 1);
  Modified();
}

void TColorListPanel::actDownExecute(fw::TObject*) {
  const int row = gridItem.Row();
  if (row >= gridItem.RowCount() - 1 || FItemCount == 0) return;
  gridItem.ExchangeRows(row, row + 1);
  gridItem.SetCells(0, row, std::to_wstring(row));
  gridItem.SetCells(0, row + 1, std::to_wstring(row + 1));
  gridItem.FocusCell(gridItem.Col(), row + 1);
  Modified();
}

// ---- Grid events

void TColorListPanel::gridItemDrawCell(fw::TObject*, HDC dc, int col, int row, const RECT& rect, TGridDrawState) {
  if (FItemCount == 0 && row == 1) {
    ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetCurrentObject(dc, OBJ_BRUSH)));
    return;
  }
  if (row < 1 || col != FColIndex[ciSwatch]) return;
  fw::TUniqueBrush brush(::CreateSolidBrush(RowColor(row)));
  ::FillRect(dc, &rect, brush.Get());
  if (col == gridItem.Col() && row == gridItem.Row()) ::DrawFocusRect(dc, &rect);
}

void TColorListPanel::gridItemSelectCell(fw::TObject*, int, int row, bool&) {
  // The placeholder holds no colour.
  if (row >= 1 && row <= FItemCount) SelectRow(row);
}

void TColorListPanel::gridItemEditEnd(fw::TObject*) {
  if (FDetached || gridItem.Destroying()) return;
  // Destroying the window hides it first and the editor then loses the focus:
  // that is no end of an edit (a close has ended it already).
  if (!FEndingListEdit && gridItem.HandleAllocated() && !::IsWindowVisible(gridItem.Handle())) return;
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
  Modified();
  SelectRow(row);
  const TColor color = RowColor(row);
  gridItem.SetCells(FColIndex[ciHex], row,
                    ColorToHexText(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF, FHexOrder));
  gridItem.Invalidate();
}

void TColorListPanel::gridItemClick(fw::TObject*) { ListChanged(); }

void TColorListPanel::gridItemMouseDown(fw::TObject*, fw::TMouseButton button, fw::TShiftState, int x, int y) {
  // A press that opened the editor is for typing, not for dragging.
  if (button != fw::TMouseButton::mbLeft || gridItem.EditorMode()) return;
  int col = 0, row = 0;
  if (!gridItem.MouseToCell(x, y, col, row) || col < 1 || row < 1 || row > FItemCount) return;
  FColorDrag(RowColor(row));
}

void TColorListPanel::gridItemRowMoved(fw::TObject*, int, int) {
  Modified();
  for (int r = 1; r < gridItem.RowCount(); ++r) gridItem.SetCells(0, r, std::to_wstring(r));
}

void TColorListPanel::gridItemColumnMoved(fw::TObject*, int, int) { UpdateColIndex(); }

// ---- Document

void TColorListPanel::DocumentClear(fw::TObject*) {
  gridItem.CancelEdit();
  FItemCount = 0;
  gridItem.SetRowCount(2);
  // An emptied list must not bring an old colour back through its placeholder.
  for (int c = 0; c < gridItem.ColCount(); ++c) gridItem.SetCells(c, 1, L"");
  gridItem.Invalidate();
  ListChanged();
}

bool TColorListPanel::DocumentLoadFromStream(fw::TObject*, TStream& stream) {
  const TColorListReadResult read = ColorListLoadFromStreamChecked(stream, TAnsiCodecWin());
  if (OnCheckRead) OnCheckRead(read);
  const std::vector<TColorListItem>& items = read.Items;
  if (items.empty()) return false;
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
  ListChanged();
  return true;
}

void TColorListPanel::DocumentSaveToStream(fw::TObject*, TStream& stream) {
  std::vector<TColorListRow> rows;
  rows.reserve(static_cast<std::size_t>(FItemCount));
  for (int r = 1; r <= FItemCount && r < gridItem.RowCount(); ++r)
    rows.push_back({gridItem.Cells(FColIndex[ciRed], r), gridItem.Cells(FColIndex[ciGreen], r),
                    gridItem.Cells(FColIndex[ciBlue], r), gridItem.Cells(FColIndex[ciComment], r)});
  ColorListSaveToStream(stream, rows, TAnsiCodecWin());
}
