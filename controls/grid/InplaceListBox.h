#pragma once
// The drop-down list of the grid's in-place editor: a tool window without a
// parent, so it may reach past the grid, that never takes activation.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Window.h"

class TComboInplaceEdit;

class TInplaceListBox : public fw::TWindow {
 public:
  explicit TInplaceListBox(TComboInplaceEdit& editor);

  void Create();
  TComboInplaceEdit& Editor() const noexcept { return FEditor; }
  void SetItems(const std::vector<std::wstring>& items);
  int Count() const noexcept;
  int ItemIndex() const noexcept;
  void SetItemIndex(int index) noexcept;
  std::wstring Item(int index) const;
  // Shown below the given screen rectangle, without activation.
  void ShowAt(const RECT& below, int width);
  void Hide();

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void SelectionMayHaveChanged();

  TComboInplaceEdit& FEditor;
  int FLastIndex = -1;
};
