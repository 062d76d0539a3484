#pragma once
// The combo grid as a screen reader reads it: a table whose children are
// its body rows, each row an object whose children are its cells (named by
// their column's header, valued by their text). The current cell also has
// an id of its own past the rows, so a focus event can name it. Rows become
// objects only when asked for.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Accessible.h"

class TComboGrid;

class TGridAccessible final : public fw::TAccessibleSource {
 public:
  explicit TGridAccessible(TComboGrid& grid) : FGrid(grid) {}

  // The table's name.
  std::wstring TableName;
  // How many body rows are rows of data (a placeholder row is none); all by default.
  std::function<int()> RowCount;
  // A row's name; its cells' texts by default.
  std::function<std::wstring(int row)> RowName;

  // The id a focus or value event names a body cell by.
  long CellId(int col, int row) const;

  long ChildCount() const override;
  long Role(long child) const override;
  std::wstring Name(long child) const override;
  std::wstring Value(long child) const override;
  long State(long child) const override;
  bool Location(long child, RECT& screen) const override;
  long ChildAt(POINT screen) const override;
  long FocusedChild() const override;
  std::unique_ptr<fw::TAccessibleSource> ChildSource(long child) override;

  // A row's or a cell's own answers, for the row objects.
  std::wstring CellName(int col) const;
  std::wstring CellValue(int col, int row) const;
  std::wstring RowText(int row) const;
  long RowState(int row) const;
  bool CellLocation(int col, int row, RECT& screen) const;
  TComboGrid& Grid() const noexcept { return FGrid; }

 private:
  int Rows() const;
  // A hidden cell id back to its cell; false for a row id.
  bool CellOf(long child, int& col, int& row) const;

  TComboGrid& FGrid;
};
