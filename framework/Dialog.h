#pragma once
// A form that behaves as a dialog box: a dialog frame with a caption and a
// system menu, centred on the window it belongs to, shown with ShowModal. Enter presses
// the focused button or else the default one, Escape the cancel button when
// there is one, Alt and a letter the control whose caption marks it. Like every window of the framework its procedure lets no
// exception out: an error is reported by the application, after the loop.
#include <windows.h>

#include "core/support/uGeometry.h"
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
  // The access key of a button (pressed) or a label (the next control gets
  // the focus); false when no control shows it.
  bool PressAccessKey(wchar_t key);

 private:
  TButton* FindButton(bool cancel) const;
  // Centred on owner, inside the work area of its monitor.
  static TPointI PlaceOn(HWND owner, int width, int height);
};

}  // namespace fw
