#pragma once
// The grid's in-place editor: a borderless edit over the current cell that
// keeps its own copy of the column's cell kind, paints the drop-down button
// of drop-down cells and owns their list.
#include <windows.h>

#include <memory>
#include <string>

#include "controls/grid/CmbGrid.h"
#include "framework/Edit.h"

class TInplaceListBox;

class TComboInplaceEdit : public fw::TCustomEdit {
 public:
  explicit TComboInplaceEdit(TComboGrid& grid);
  ~TComboInplaceEdit() override;

  void Create();
  TComboGrid& Grid() const noexcept { return FGrid; }
  const TCellKind& CellKind() const noexcept { return FCellKind; }
  void SetCellKind(const TCellKind& kind);

  // Opens a hidden list and closes an open one.
  void DropDown();
  bool ListVisible() const noexcept;
  void HideList();
  TInplaceListBox* List() const noexcept { return FList.get(); }

  // Line breaks, end-of-file and NUL would split the line of a saved list.
  static std::wstring CleanText(std::wstring text);

  // From the list.
  void ListPicked(const std::wstring& text, bool fireClick);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Change() override;
  void KeyDown(WORD& key, fw::TShiftState shift) override;
  void KeyUp(WORD& key, fw::TShiftState shift) override;
  void KeyPress(wchar_t& key) override;
  void FocusGained(HWND previous) override;
  void FocusLost(HWND next) override;

 private:
  int ButtonWidth() const noexcept;
  bool HasButton() const noexcept { return FCellKind.Kind == ckDropDown; }
  bool InButton(int x) const noexcept;
  void PaintButton(HDC dc);
  void SetTextArea();
  void Paste();

  TComboGrid& FGrid;
  TCellKind FCellKind;
  std::unique_ptr<TInplaceListBox> FList;
  int FButtonPressX = -1;
  bool FCleaning = false;
  bool FDestroyed = false;
};
