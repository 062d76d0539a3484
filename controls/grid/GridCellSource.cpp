#include "controls/grid/GridCellSource.h"

#include <algorithm>

#include "core/support/uMoveIndex.h"

bool TGridCellStore::Has(int col, int row) const noexcept {
  return col >= 0 && col < FCols && row >= 0 && row < static_cast<int>(FRows.size());
}

const std::wstring& TGridCellStore::Text(int col, int row) const {
  static const std::wstring empty;
  return Has(col, row) ? FRows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].Text : empty;
}

std::wstring TGridCellStore::CellText(int col, int row) const { return Text(col, row); }

void TGridCellStore::SetCellText(int col, int row, const std::wstring& text) {
  if (Has(col, row)) FRows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].Text = text;
}

std::intptr_t TGridCellStore::Object(int col, int row) const {
  return Has(col, row) ? FRows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].Object : 0;
}

void TGridCellStore::SetObject(int col, int row, std::intptr_t value) {
  if (Has(col, row)) FRows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].Object = value;
}

void TGridCellStore::Resize(int cols, int rows) {
  if (cols != FCols)
    for (auto& row : FRows) row.resize(static_cast<std::size_t>(cols));
  FCols = cols;
  FRows.resize(static_cast<std::size_t>(rows), std::vector<TCell>(static_cast<std::size_t>(cols)));
}

void TGridCellStore::MoveRow(int from, int to) {
  if (Has(0, from) && Has(0, to)) MoveElement(FRows, from, to);
}

void TGridCellStore::MoveColumn(int from, int to) {
  if (!Has(from, 0) || !Has(to, 0)) return;
  for (auto& row : FRows) MoveElement(row, from, to);
}

void TGridCellStore::DeleteRow(int row) {
  if (Has(0, row)) FRows.erase(FRows.begin() + row);
}

void TGridCellStore::InsertRow(int row) {
  FRows.insert(FRows.begin() + std::clamp(row, 0, static_cast<int>(FRows.size())),
               std::vector<TCell>(static_cast<std::size_t>(FCols)));
}

void TGridCellStore::ExchangeRows(int a, int b) {
  if (Has(0, a) && Has(0, b)) std::swap(FRows[static_cast<std::size_t>(a)], FRows[static_cast<std::size_t>(b)]);
}
