#pragma once
// The system push button, subclassed. A click (mouse, space bar, or Enter
// and Escape in a dialog) fires OnClick and then hands the button's modal
// result to the form it sits on.
#include <windows.h>

#include <string>

#include "framework/Window.h"

namespace fw {

class TButton : public TWindow {
 public:
  void Create(TWindow* parent, const std::wstring& caption);

  // Pressed by Enter in a dialog, and drawn with the thick border.
  bool Default() const noexcept { return FDefault; }
  void SetDefault(bool value);
  // Pressed by Escape in a dialog.
  bool Cancel() const noexcept { return FCancel; }
  void SetCancel(bool value) noexcept { FCancel = value; }
  int ModalResult() const noexcept { return FModalResult; }
  void SetModalResult(int value) noexcept { FModalResult = value; }

  void Click();

  TNotifyEvent OnClick;

 protected:
  bool CNCommand(WORD code, WORD id) override;

 private:
  bool FDefault = false;
  bool FCancel = false;
  int FModalResult = 0;
};

}  // namespace fw
