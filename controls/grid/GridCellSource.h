#pragma once
// Where a grid's cells live. The grid reads every text it shows through a
// source and hands it each finished edit and each row or column the user
// dragged; a view of data held elsewhere supplies its own source, and the
// grid's own string store is the default.
#include <cstdint>
#include <string>
#include <vector>

class TGridCellSource {
 public:
  virtual ~TGridCellSource() = default;
  // Any row and column the grid has, the fixed ones included.
  virtual std::wstring CellText(int col, int row) const = 0;
  // An edit ended with this text, or the program set it.
  virtual void SetCellText(int col, int row, const std::wstring& text) = 0;
  // The row at from goes to to, the ones between shift by one.
  virtual void MoveRow(int from, int to) = 0;
  virtual void MoveColumn(int from, int to) = 0;
};

// Texts and an integer per cell, in rows of columns.
class TGridCellStore final : public TGridCellSource {
 public:
  std::wstring CellText(int col, int row) const override;
  void SetCellText(int col, int row, const std::wstring& text) override;
  void MoveRow(int from, int to) override;
  void MoveColumn(int from, int to) override;

  const std::wstring& Text(int col, int row) const;
  std::intptr_t Object(int col, int row) const;
  void SetObject(int col, int row, std::intptr_t value);
  void Resize(int cols, int rows);
  void DeleteRow(int row);
  void InsertRow(int row);
  void ExchangeRows(int a, int b);

 private:
  struct TCell {
    std::wstring Text;
    std::intptr_t Object = 0;
  };
  bool Has(int col, int row) const noexcept;

  std::vector<std::vector<TCell>> FRows;
  int FCols = 0;
};
