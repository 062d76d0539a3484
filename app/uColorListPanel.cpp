#include "app/uColorListPanel.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/ole/uOLE2Color.h"
#include "app/uUiText.h"
#include "app/resources/StringIds.h"
#include "core/colorout/uColorChannels.h"
#include "core/sampling/uMonitorLayout.h"
#include "core/support/uUserError.h"
#include "framework/Beep.h"
#include "framework/Theme.h"
#include "framework/support/uAnsiCodecWin.h"

namespace {

constexpr std::array<std::int32_t, kListColumnCount> kDesignedWidths{32, 32, 70, 32, 30, 30, 64};
constexpr UINT kCaptions[kListColumnCount] = {IDS_COL_NUMBER, IDS_COL_SWATCH, IDS_COL_HEX,    IDS_COL_RED,
                                              IDS_COL_GREEN,  IDS_COL_BLUE,   IDS_COL_COMMENT};

std::wstring Caption(int column, std::uint8_t hexOrder) {
  std::wstring caption = UiText(kCaptions[column]);
  if (column == lcHex && hexOrder == 0) caption += L"(RGB)";
  if (column == lcHex && hexOrder == 1) caption += L"(BGR)";
  return caption;
}

TColorListItem ItemOf(TColor color, std::wstring comment = {}) {
  return {RedOf(color), GreenOf(color), BlueOf(color), std::move(comment)};
}

}  // namespace

TColorListPanel::TColorListPanel(std::function<TColor()> currentColor, TColorDragFunc colorDrag)
    : FCurrentColor(std::move(currentColor)), FColorDrag(colorDrag ? std::move(colorDrag) : &StartColorDrag) {}

TColumnLayout TColorListPanel::DesignedColumns() { return DefaultColumnLayout(kDesignedWidths); }

void TColorListPanel::Create(fw::TWindow& parent) {
  gridItem.SetControlId(ControlIds::gridItem);
  gridItem.SetColCount(kListColumnCount);
  gridItem.SetCellSource(this);
  gridItem.SetRowCount(2);
  gridItem.SetDefaultRowHeight(17);
  for (int c = 0; c < kListColumnCount; ++c) gridItem.SetColWidths(c, kDesignedWidths[static_cast<std::size_t>(c)]);
  TCellKind& numbers = gridItem.CellKinds(0);
  numbers.HeaderAlign = numbers.BodyAlign = caCenter | caVCenter;
  numbers.Editable = false;
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
  gridItem.Accessible.TableName = UiText(IDS_A11Y_LIST);
  gridItem.Accessible.RowCount = [this] { return FList.Count(); };
  gridItem.Accessible.RowName = [this](int row) {
    if (row < 1 || row > FList.Count()) return std::wstring();
    const std::wstring& comment = FList.Item(row - 1).Comment;
    const std::wstring hex = FList.CellText(row - 1, lcHex, FHexOrder);
    return comment.empty() ? hex : hex + L", " + comment;
  };
  UpdateColIndex();
  gridItem.Create(&parent);
}

void TColorListPanel::DpiChanged() {
  EndListEdit();
  LOGFONTW lf = UiFont(IDS_FONT_FIXED, 13);
  lf.lfHeight = gridItem.Scaled(lf.lfHeight);
  fw::TUniqueFont font(::CreateFontIndirectW(&lf));
  if (!font) return;
  // The grid hands the new font to its editor before the old one goes.
  gridItem.SetFont(font.Get());
  FListFont = std::move(font);
}

// ---- The grid's cells

std::wstring TColorListPanel::CellText(int col, int row) const {
  if (col < 0 || col >= kListColumnCount) return {};
  if (row == 0) return FCaptions[static_cast<std::size_t>(col)];
  // The placeholder row of an empty list shows nothing.
  if (row < 1 || row > FList.Count()) return {};
  return FList.CellText(row - 1, FList.ColumnAt(col), FHexOrder);
}

void TColorListPanel::SetCellText(int col, int row, const std::wstring& text) {
  // Typing into the placeholder makes no item.
  if (row < 1 || row > FList.Count()) return;
  TListChange change;
  const TCellEdit edit = FList.SetCell(row - 1, FList.ColumnAt(col), text, IDS_STEP_EDIT, &change);
  FEditStepped = edit == TCellEdit::Changed;
  if (edit == TCellEdit::Refused) fw::MessageBeep(0);
  gridItem.InvalidateRow(row);
}

void TColorListPanel::MoveRow(int from, int to) {
  if (from >= 1 && to >= 1 && from <= FList.Count() && to <= FList.Count()) FList.Move(from - 1, to - 1, IDS_STEP_MOVE);
}

void TColorListPanel::MoveColumn(int from, int to) { FList.MoveColumn(from, to); }

// ---- Column map, hex order, layout

void TColorListPanel::UpdateColIndex() {
  FCaptions[0] = Caption(lcNumber, FHexOrder);
  for (int p = 1; p < gridItem.ColCount(); ++p) {
    const TListColumnId k = FList.ColumnAt(p);
    FCaptions[static_cast<std::size_t>(p)] = Caption(k, FHexOrder);
    TCellKind& kind = gridItem.CellKinds(p);
    kind.Editable = k >= lcRed;
    kind.HeaderAlign = caCenter | caVCenter;
    kind.BodyAlign = static_cast<std::uint8_t>((k >= lcRed && k <= lcBlue ? caRight : caLeft) | caVCenter);
  }
  gridItem.InvalidateRow(0);
}

void TColorListPanel::RefreshHexColumn() { gridItem.Invalidate(); }

void TColorListPanel::SetHexOrder(std::uint8_t order) {
  FHexOrder = order;
  UpdateColIndex();
  RefreshHexColumn();
}

TColumnLayout TColorListPanel::ListColumns() const {
  TColumnLayout layout{FList.ColumnIds(), {}};
  for (int c = 0; c < kListColumnCount; ++c)
    // Kept at 96 DPI, so a stored layout means the same on any monitor.
    layout.Widths[static_cast<std::size_t>(c)] = PhysicalToLogical(gridItem.ColWidths(c), gridItem.Dpi());
  return layout;
}

void TColorListPanel::SetListColumns(const TColumnLayout& layout) {
  if (!FList.SetColumnIds(layout.Ids)) throw EUserError(L"TfrmTintra.UpdateColIndex: Illegal Index");
  for (int c = 0; c < kListColumnCount; ++c)
    gridItem.SetColWidths(c, gridItem.Scaled(layout.Widths[static_cast<std::size_t>(c)]));
  UpdateColIndex();
  gridItem.Invalidate();
}

void TColorListPanel::FitCommentColumn() {
  if (!gridItem.HandleAllocated()) return;
  int width = gridItem.ClientWidth() - 6 * gridItem.GridLineWidth() - gridItem.ColWidths(0);
  for (int k = lcSwatch; k <= lcBlue; ++k) width -= gridItem.ColWidths(ColIndex(k));
  // Too narrow a window leaves the comment column collapsed, not negative.
  gridItem.SetColWidths(ColIndex(lcComment), std::max(width, 0));
}

// ---- Rows

TColor TColorListPanel::RowColor(int row) const {
  return row >= 1 && row <= FList.Count() ? FList.Color(row - 1) : 0;
}

const std::wstring& TColorListPanel::RowComment(int row) const {
  static const std::wstring none;
  return row >= 1 && row <= FList.Count() ? FList.Item(row - 1).Comment : none;
}

bool TColorListPanel::CanMoveUp() const noexcept { return gridItem.Row() > 1; }

bool TColorListPanel::CanMoveDown() const noexcept { return gridItem.Row() < gridItem.RowCount() - 1; }

std::vector<TPaletteEntry> TColorListPanel::Rows() const {
  std::vector<TPaletteEntry> rows;
  rows.reserve(static_cast<std::size_t>(FList.Count()));
  FList.Snapshot().ForEach([&](const TColorListItem& item) { rows.push_back({ItemColor(item), item.Comment}); });
  return rows;
}

void TColorListPanel::ShowRows(const TListChange& change) {
  gridItem.SetRowCount(std::max(FList.Count(), 1) + 1);
  if (change.Shifted)
    gridItem.InvalidateRows(change.First + 1, -1);
  else if (!change.None())
    gridItem.InvalidateRows(change.First + 1, change.Last + 1);
}

void TColorListPanel::SelectRow(int row) {
  if (OnSelectColor) OnSelectColor(this, RowColor(row));
}

void TColorListPanel::ReportModified() {
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
  // The colour first: ending an edit selects the edited row's colour.
  const TColor color = FCurrentColor ? FCurrentColor() : 0;
  // Text typed into the placeholder is no item: drop it before the row is filled.
  if (FList.Count() == 0)
    gridItem.CancelEdit();
  else
    EndListEdit();
  ShowRows(FList.Add(ItemOf(color), IDS_STEP_ADD));
  const int n = FList.Count();
  gridItem.FocusCell(gridItem.Col(), n);
  ReportModified();
  FitCommentColumn();
  if (gridItem.HandleAllocated()) gridItem.SetFocus();
  gridItem.FocusCell(ColIndex(lcComment), n);
}

void TColorListPanel::AppendColors(std::span<const TPaletteEntry> entries, TListStepLabel label) {
  if (entries.empty()) return;
  if (FList.Count() == 0)
    gridItem.CancelEdit();
  else
    EndListEdit();
  std::vector<TColorListItem> items;
  items.reserve(entries.size());
  for (const TPaletteEntry& entry : entries) items.push_back(ItemOf(entry.color, entry.comment));
  const int first = FList.Count() + 1;
  ShowRows(FList.Append(std::move(items), label));
  gridItem.FocusCell(gridItem.Col(), first);
  FitCommentColumn();
  ReportModified();
}

void TColorListPanel::ReplaceItems(std::vector<TColorListItem> items, int current) {
  gridItem.CancelEdit();
  FList.ReplaceAll(std::move(items));
  FList.ForgetSavedPoint();
  gridItem.SetRowCount(std::max(FList.Count(), 1) + 1);
  gridItem.Invalidate();
  gridItem.FocusCell(gridItem.Col(), std::clamp(current, 0, std::max(FList.Count() - 1, 0)) + 1);
  FitCommentColumn();
  ReportModified();
}

void TColorListPanel::actDelExecute(fw::TObject*) {
  EndListEdit();
  if (!FList.CanDelete()) return;
  const int row = gridItem.Row();
  FList.SetCurrent(row - 1);
  FList.Delete(row - 1, IDS_STEP_DELETE);
  // The grid keeps its row number, or goes to the new last row.
  gridItem.DeleteRow(row);
  FitCommentColumn();
  ReportModified();
}

void TColorListPanel::actUpExecute(fw::TObject*) {
  EndListEdit();
  const int row = gridItem.Row();
  if (row <= 1 || FList.Count() == 0) return;
  FList.SetCurrent(row - 1);
  FList.Move(row - 1, row - 2, IDS_STEP_UP);
  gridItem.ExchangeRows(row, row - 1);
  gridItem.FocusCell(gridItem.Col(), row - 1);
  ReportModified();
}

void TColorListPanel::actDownExecute(fw::TObject*) {
  EndListEdit();
  const int row = gridItem.Row();
  if (row >= gridItem.RowCount() - 1 || FList.Count() == 0) return;
  FList.SetCurrent(row - 1);
  FList.Move(row - 1, row, IDS_STEP_DOWN);
  gridItem.ExchangeRows(row, row + 1);
  gridItem.FocusCell(gridItem.Col(), row + 1);
  ReportModified();
}

void TColorListPanel::Undo() { UndoOrRedo(true); }

void TColorListPanel::Redo() { UndoOrRedo(false); }

void TColorListPanel::UndoOrRedo(bool undo) {
  EndListEdit();
  if (undo ? !FList.CanUndo() : !FList.CanRedo()) return;
  ShowRows(undo ? FList.Undo() : FList.Redo());
  // The row the step left current, as the step found or made it.
  gridItem.FocusCell(gridItem.Col(), std::max(FList.Current(), 0) + 1);
  FitCommentColumn();
  ReportModified();
}

// ---- Grid events

void TColorListPanel::gridItemDrawCell(fw::TObject*, HDC dc, int col, int row, const RECT& rect, TGridDrawState) {
  if (FList.Count() == 0 && row == 1) {
    ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetCurrentObject(dc, OBJ_BRUSH)));
    return;
  }
  if (row < 1 || col != ColIndex(lcSwatch)) return;
  const TColor color = RowColor(row);
  fw::TUniqueBrush brush(::CreateSolidBrush(DisplayColor ? DisplayColor(color) : color));
  ::FillRect(dc, &rect, brush.Get());
  // The true colour stays; a frame in the theme's text colour keeps it apart from any background.
  if (fw::ThemeHighContrast()) ::FrameRect(dc, &rect, fw::ThemeBrush(fw::TThemeRole::WindowText));
  if (col == gridItem.Col() && row == gridItem.Row()) ::DrawFocusRect(dc, &rect);
}

void TColorListPanel::gridItemSelectCell(fw::TObject*, int, int row, bool&) {
  // The placeholder holds no colour.
  if (row < 1 || row > FList.Count()) return;
  FList.SetCurrent(row - 1);
  SelectRow(row);
}

void TColorListPanel::gridItemEditEnd(fw::TObject*) {
  const bool stepped = std::exchange(FEditStepped, false);
  if (FDetached || gridItem.Destroying()) return;
  // Destroying the window hides it first and the editor then loses the focus:
  // that is no end of an edit (a close has ended it already).
  if (!FEndingListEdit && gridItem.HandleAllocated() && !::IsWindowVisible(gridItem.Handle())) return;
  const int col = gridItem.EditedCol(), row = gridItem.EditedRow();
  if (col < 1 || col >= gridItem.ColCount() || row < 1 || row > FList.Count()) return;
  // Every end of an edit marks the list, also one that changed nothing.
  if (!stepped) FList.MarkModified();
  ReportModified();
  SelectRow(row);
  gridItem.InvalidateRow(row);
}

void TColorListPanel::gridItemClick(fw::TObject*) { ListChanged(); }

void TColorListPanel::gridItemMouseDown(fw::TObject*, fw::TMouseButton button, fw::TShiftState, int x, int y) {
  // A press that opened the editor is for typing, not for dragging.
  if (button != fw::TMouseButton::mbLeft || gridItem.EditorMode()) return;
  int col = 0, row = 0;
  if (!gridItem.MouseToCell(x, y, col, row) || col < 1 || row < 1 || row > FList.Count()) return;
  FColorDrag(RowColor(row));
}

void TColorListPanel::gridItemRowMoved(fw::TObject*, int, int) { ReportModified(); }

void TColorListPanel::gridItemColumnMoved(fw::TObject*, int, int) { UpdateColIndex(); }

// ---- Document

void TColorListPanel::DocumentClear(fw::TObject*) {
  gridItem.CancelEdit();
  FList.ReplaceAll({});
  gridItem.SetRowCount(2);
  gridItem.Invalidate();
  ListChanged();
}

bool TColorListPanel::DocumentLoadFromStream(fw::TObject*, TStream& stream) {
  TColorListReadResult read = ColorListLoadFromStreamChecked(stream, TAnsiCodecWin());
  if (OnCheckRead) OnCheckRead(read);
  if (read.Items.empty()) return false;
  gridItem.CancelEdit();
  FList.ReplaceAll(std::move(read.Items));
  gridItem.SetRowCount(FList.Count() + 1);
  // The grid keeps its current row; the list follows it.
  FList.SetCurrent(gridItem.Row() - 1);
  gridItem.Invalidate();
  ListChanged();
  return true;
}

void TColorListPanel::DocumentSaveToStream(fw::TObject*, TStream& stream) {
  ColorListSaveToStream(stream, FList.Snapshot(), TAnsiCodecWin());
}
