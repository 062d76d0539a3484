#pragma once
// The system EDIT control, subclassed, with the edit events. The messages
// behind the events go to protected virtuals (Change, KeyPress, KeyDown,
// DoEnter...) that derived controls override; each fires its event.
#include <windows.h>

#include <string>

#include "framework/Events.h"
#include "framework/Window.h"

namespace fw {

class TCustomEdit : public TWindow {
 public:
  TCustomEdit();

  void Create(TWindow* parent);

  // Compared first: an unchanged text is not written again and raises no
  // change. A multi-line edit reports no EN_CHANGE for WM_SETTEXT, so the
  // change is raised here for it. Without the focus the window itself takes
  // the text at its next message (a paint at the latest); the change is
  // raised at once all the same.
  void SetText(const std::wstring& text);
  // Kept from the last read or write until the edit reports a change or
  // anyone sets its text: every message to a subclassed window costs a
  // round trip to the server under Wine, and the numeric edits read their
  // text several times per change.
  std::wstring Text() const;

  int SelStart() const noexcept;
  void SetSelStart(int start) noexcept;
  int SelLength() const noexcept;
  void SetSelLength(int length) noexcept;
  void SelectAll() noexcept;

  int MaxLength() const noexcept { return FMaxLength; }
  // 0: no limit beyond the system's.
  void SetMaxLength(int length) noexcept;
  bool AutoSelect() const noexcept { return FAutoSelect; }
  void SetAutoSelect(bool value) noexcept { FAutoSelect = value; }
  bool ReadOnly() const noexcept { return FReadOnly; }
  void SetReadOnly(bool value) noexcept;
  bool TabStop() const noexcept { return FTabStop; }
  void SetTabStop(bool value) noexcept;
  bool MultiLine() const noexcept;

  // Shown on a context-menu request instead of the edit's own; not owned.
  HMENU PopupMenu() const noexcept { return FPopupMenu; }
  void SetPopupMenu(HMENU menu) noexcept { FPopupMenu = menu; }

  // Between DoEnter and DoExit: the edit is the active control of its window.
  bool Entered() const noexcept { return FEntered; }

  TNotifyEvent OnChange;
  TNotifyEvent OnClick;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;

 protected:
  // Extra styles of the window; the base adds single-line edit styles.
  virtual void EditParams(TCreateParams& /*params*/) {}
  // Destroys and creates the window again (style changes), keeping the text,
  // the limits and the place in the tab order.
  void RecreateWnd();

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool CNCommand(WORD code, WORD id) override;
  HBRUSH CNCtlColor(HDC dc) override;

  virtual void Change();
  virtual void KeyPress(wchar_t& key);
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void Click();
  // The edit becomes, or stops being, the active control of its window:
  // focus moves that stay inside the top-level window.
  virtual void DoEnter();
  virtual void DoExit();
  // Every WM_SETFOCUS and WM_KILLFOCUS, after the system edit has seen it.
  virtual void FocusGained(HWND /*previous*/) {}
  virtual void FocusLost(HWND /*next*/) {}
  // True when the request was handled; false lets the system edit show its menu.
  virtual bool ContextMenu(int screenX, int screenY);
  // The left button went down on the edit and is not yet released.
  bool LeftButtonDown() const noexcept { return FLeftDown; }
  // Gives the window a text set while it was idle (any message does).
  void FlushText();

 private:
  TCreateParams MakeParams();
  void ApplyLimits() noexcept;

  int FMaxLength = 0;
  bool FAutoSelect = true;
  bool FReadOnly = false;
  bool FTabStop = true;
  bool FEntered = false;
  bool FLeftDown = false;
  bool FChangeSeen = false;
  bool FHasFocus = false;
  bool FTextPending = false;
  bool FFlushing = false;
  mutable bool FTextCached = false;
  mutable std::wstring FTextCache;
  HMENU FPopupMenu = nullptr;
};

}  // namespace fw
