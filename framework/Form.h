#pragma once
// A top-level window with the form events, a menu bar, accelerators from
// its actions and dialog-style focus movement.
#include <windows.h>

#include <functional>

#include "framework/Action.h"
#include "framework/Handles.h"
#include "framework/Application.h"
#include "framework/Menu.h"
#include "framework/ModalResult.h"
#include "framework/Window.h"

namespace fw {

using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

class TForm : public TWindow, public TMessageFilter, public TModalResultTarget {
 public:
  TForm();
  ~TForm() override;

  // Creates the window (hidden); top-level unless a parent is given.
  void Create(TWindow* parent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW, DWORD exStyle = 0);
  void Show();
  // A modal form ends its loop with the cancel result instead of being destroyed.
  void Close();

  static_assert(mrOk == IDOK && mrCancel == IDCANCEL);
  int ModalResult() const noexcept { return FModalResult; }
  void SetModalResult(int value) noexcept override { FModalResult = value; }
  // Shows the created form, disables its owner and runs the application's
  // modal loop until a modal result is set, the window is gone or the
  // program quits (both give mrCancel); then enables the owner, hides the
  // form and reports an error the loop met. The form may be released
  // inside the loop; it is deleted after the loop has ended.
  int ShowModal();
  bool Modal() const noexcept { return FModal; }

  // The control that gets the focus when the form is shown modally.
  TWindow* ActiveControl() const noexcept { return FActiveControl; }
  void SetActiveControl(TWindow* control) noexcept { FActiveControl = control; }
  // Set while the form is still hidden, the state is applied when it is
  // first shown, so a maximized form never appears at its normal size.
  TWindowState WindowState() const noexcept;
  void SetWindowState(TWindowState state);
  void SetVisible(bool visible) override;

  // The form's font, handed to every child created after it is set; the
  // height is at 96 DPI and follows the form's DPI.
  void SetFontFace(const std::wstring& face, int height, BYTE charSet);
  HFONT FormFont() const noexcept { return FFormFont.Get(); }

  void SetMainMenu(TMainMenu* menu);
  void SetActionList(TActionList* actions);

  // Accelerators and Tab movement; true when the message was consumed.
  bool PreTranslateMessage(MSG& msg) override;

  // Takes the form to the DPI of the monitor it is on: the client area, the
  // controls and the font grow by the same factor. Create does it after
  // OnCreate; a form may do it sooner, before a stored position applies.
  void ApplyMonitorDpi();

  // Moves the focus to the next (or previous) control in tab order.
  void SelectNext(bool backwards);

  // Derived forms whose destructor left the window to this one, so that their
  // destroy event could not run: each such class must call DestroyHandle()
  // in its destructor. Tests read it.
  static int& FormsLeftOpen() noexcept;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnClose;
  TNotifyEvent OnDestroy;
  // After the form and its controls went to another DPI (Dpi() tells it).
  // The control that takes the focus when the form is activated and no
  // control of it had the focus before.
  void SetDefaultControl(TWindow* control) noexcept { FDefaultControl = control; }

  TNotifyEvent OnDpiChange;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool MenuCommand(WORD id) override;
  // Inside ShowModal: the form is shown, active and focused; the loop follows.
  virtual void ModalShown() {}
  void DpiChanged(int oldDpi, int newDpi) override;

 private:
  void ChangeFormDpi(int dpi);
  // A new font from the form's face at its DPI, for the form and every
  // control that held the old one.
  void ReplaceFormFont();

  TWindow* FDefaultControl = nullptr;
  TUniqueFont FFormFont;
  LOGFONTW FFormLogFont{};  // the height at 96 DPI
  TUniqueAccel FAccel;
  TMainMenu* FMenu = nullptr;
  TActionList* FActions = nullptr;
  bool FShown = false;
  bool FModal = false;
  int FModalResult = mrNone;
  TWindow* FActiveControl = nullptr;
  TWindowState FWindowState = TWindowState::wsNormal;
  HWND FLastFocus = nullptr;
};

}  // namespace fw
