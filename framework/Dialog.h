#pragma once
// A form that behaves as a dialog box: a dialog frame with a caption and a
// system menu, centred on the screen, shown with ShowModal. Enter presses
// the focused button or else the default one, Escape the cancel button when
// there is one. Like every window of the framework its procedure lets no
// exception out: an error is reported by the application, after the loop.
#include <windows.h>

#include "framework/Button.h"
#include "framework/Form.h"

namespace fw {

class TDialog : public TForm {
 public:
  ~TDialog() override { DestroyHandle(); }

  // Creates the hidden window, owned by owner's top-level window.
  void Create(TWindow* owner, int clientWidth, int clientHeight);
  // Over the middle of the owner's window instead of the screen's, kept
  // inside the owner's monitor.
  void CenterOnOwner();

  bool PreTranslateMessage(MSG& msg) override;

 private:
  TButton* FindButton(bool cancel) const;
};

}  // namespace fw
