#include "controls/grid/GridAccessible.h"

#include "controls/grid/CmbGrid.h"

namespace {

// One body row: its cells are its children, column 0 first.
class TGridRowAccessible final : public fw::TAccessibleSource {
 public:
  TGridRowAccessible(const TGridAccessible& table, int row) : FTable(table), FRow(row) {}

  long ChildCount() const override { return FTable.Grid().ColCount(); }
  long Role(long child) const override { return child == CHILDID_SELF ? ROLE_SYSTEM_ROW : ROLE_SYSTEM_CELL; }
  std::wstring Name(long child) const override {
    return child == CHILDID_SELF ? FTable.RowText(FRow) : FTable.CellName(static_cast<int>(child) - 1);
  }
  std::wstring Value(long child) const override {
    return child == CHILDID_SELF ? std::wstring() : FTable.CellValue(static_cast<int>(child) - 1, FRow);
  }
  long State(long) const override { return FTable.RowState(FRow); }
  bool Location(long child, RECT& screen) const override {
    const TComboGrid& grid = FTable.Grid();
    if (child != CHILDID_SELF) return FTable.CellLocation(static_cast<int>(child) - 1, FRow, screen);
    RECT first{}, last{};
    if (!FTable.CellLocation(0, FRow, first) || !FTable.CellLocation(grid.ColCount() - 1, FRow, last)) return false;
    screen = {first.left, first.top, last.right, first.bottom};
    return true;
  }
  long FocusedChild() const override {
    const TComboGrid& grid = FTable.Grid();
    return grid.Row() == FRow ? grid.Col() + 1 : CHILDID_SELF;
  }

 private:
  const TGridAccessible& FTable;
  int FRow;
};

}  // namespace

int TGridAccessible::Rows() const {
  const int body = FGrid.RowCount() - FGrid.FixedRows();
  return RowCount ? std::min(RowCount(), body) : body;
}

long TGridAccessible::CellId(int col, int row) const {
  return Rows() + 1 + static_cast<long>(row - FGrid.FixedRows()) * FGrid.ColCount() + col;
}

bool TGridAccessible::CellOf(long child, int& col, int& row) const {
  const long cell = child - Rows() - 1;
  if (child <= Rows() || cell >= static_cast<long>(Rows()) * FGrid.ColCount()) return false;
  row = static_cast<int>(cell / FGrid.ColCount()) + FGrid.FixedRows();
  col = static_cast<int>(cell % FGrid.ColCount());
  return true;
}

long TGridAccessible::ChildCount() const { return Rows(); }

long TGridAccessible::Role(long child) const {
  int col = 0, row = 0;
  if (child == CHILDID_SELF) return ROLE_SYSTEM_TABLE;
  return CellOf(child, col, row) ? ROLE_SYSTEM_CELL : ROLE_SYSTEM_ROW;
}

std::wstring TGridAccessible::Name(long child) const {
  int col = 0, row = 0;
  if (child == CHILDID_SELF) return TableName;
  if (CellOf(child, col, row)) return CellName(col);
  return RowText(static_cast<int>(child) - 1 + FGrid.FixedRows());
}

std::wstring TGridAccessible::Value(long child) const {
  int col = 0, row = 0;
  return CellOf(child, col, row) ? CellValue(col, row) : std::wstring();
}

long TGridAccessible::State(long child) const {
  int col = 0, row = 0;
  if (child == CHILDID_SELF) return 0;
  if (CellOf(child, col, row)) return RowState(row);
  return RowState(static_cast<int>(child) - 1 + FGrid.FixedRows());
}

bool TGridAccessible::Location(long child, RECT& screen) const {
  int col = 0, row = 0;
  if (child == CHILDID_SELF) return false;
  if (CellOf(child, col, row)) return CellLocation(col, row, screen);
  return CellLocation(0, static_cast<int>(child) - 1 + FGrid.FixedRows(), screen);
}

long TGridAccessible::ChildAt(POINT screen) const {
  POINT client = screen;
  ::ScreenToClient(FGrid.Handle(), &client);
  int col = 0, row = 0;
  if (!FGrid.MouseToCell(client.x, client.y, col, row) || row < FGrid.FixedRows()) return CHILDID_SELF;
  return row - FGrid.FixedRows() < Rows() ? row - FGrid.FixedRows() + 1 : CHILDID_SELF;
}

long TGridAccessible::FocusedChild() const {
  if (FGrid.Row() - FGrid.FixedRows() >= Rows()) return CHILDID_SELF;
  return CellId(FGrid.Col(), FGrid.Row());
}

std::unique_ptr<fw::TAccessibleSource> TGridAccessible::ChildSource(long child) {
  if (child < 1 || child > Rows()) return nullptr;
  return std::make_unique<TGridRowAccessible>(*this, static_cast<int>(child) - 1 + FGrid.FixedRows());
}

std::wstring TGridAccessible::CellName(int col) const { return FGrid.Cells(col, 0); }

std::wstring TGridAccessible::CellValue(int col, int row) const { return FGrid.Cells(col, row); }

std::wstring TGridAccessible::RowText(int row) const {
  if (RowName) return RowName(row);
  std::wstring text;
  for (int col = 0; col < FGrid.ColCount(); ++col) {
    const std::wstring cell = FGrid.Cells(col, row);
    if (cell.empty()) continue;
    if (!text.empty()) text += L", ";
    text += cell;
  }
  return text;
}

long TGridAccessible::RowState(int row) const {
  long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
  if (row == FGrid.Row()) state |= STATE_SYSTEM_SELECTED;
  RECT r{};
  if (!CellLocation(0, row, r)) state |= STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
  return state;
}

bool TGridAccessible::CellLocation(int col, int row, RECT& screen) const {
  // Empty for a cell out of view.
  RECT r = FGrid.CellRect(col, row);
  if (r.right <= r.left || r.bottom <= r.top) return false;
  ::MapWindowPoints(FGrid.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  screen = r;
  return true;
}
