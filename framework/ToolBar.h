#pragma once
// A button bar (comctl32 tool bar) whose buttons are actions: image, hint as
// tool tip, check mark as the pressed state, enabled state.
#include <windows.h>
#include <commctrl.h>

#include "framework/Action.h"
#include "framework/ImageList.h"
#include "framework/Window.h"

namespace fw {

class TToolBar : public TWindow {
 public:
  explicit TToolBar(TActionList& actions);
  ~TToolBar() override;

  void Create(TWindow* parent, TImageList& images);
  void AddAction(TAction& action);
  void AddSeparator();
  int ButtonCount() const noexcept;
  HWND ToolTips() const noexcept;

 protected:
  bool CNCommand(WORD code, WORD id) override;
  bool CNNotify(NMHDR* hdr, LRESULT& result) override;
  void DpiChanged(int oldDpi, int newDpi) override;

 private:
  void Refresh(TAction& action);
  void ApplySizes();
  BYTE StateOf(const TAction& action) const noexcept;

  TActionList& FActions;
  TImageList* FImages = nullptr;  // the images are drawn at the bar's DPI
  std::wstring FTipText;
};

}  // namespace fw
