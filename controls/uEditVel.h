#pragma once
// The program's edit base: an embedded button inside the edit with the text
// kept clear of it, a character filter for numbers, Esc to cancel, Enter to
// move on, a changing event that can veto a text change, and focus events.
// The buttons are windowless: the edit draws them in its paint, keeps the
// system edit from painting over them, and hands them its mouse and timer.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/controls/uEditButtonLayout.h"
#include "controls/uSpeedButtonVel.h"
#include "framework/Edit.h"

using TEditVelChangingEvent = std::function<void(fw::TObject* sender, const std::wstring& newText,
                                                 const std::wstring& oldText, bool& allowChange)>;
using TEditVelCancelEvent = std::function<void(fw::TObject* sender, std::wstring& cancelText)>;
// hwndGetFocus: the window that loses (OnSetFocus) or gains (OnKillFocus) the focus.
using TEditVelFocusEvent = std::function<void(fw::TObject* sender, HWND hwndGetFocus)>;

// The user's decimal separator, as the numeric edits type and show it.
wchar_t UserDecimalSeparator() noexcept;

class TCustomEditVel : public fw::TCustomEdit {
 public:
  TCustomEditVel();
  ~TCustomEditVel() override;

  void Create(fw::TWindow* parent);

  bool EnterNext() const noexcept { return FEnterNext; }
  void SetEnterNext(bool value) noexcept { FEnterNext = value; }
  bool UseCancel() const noexcept { return FUseCancel; }
  void SetUseCancel(bool value) noexcept { FUseCancel = value; }
  const std::wstring& CancelText() const noexcept { return FCancelText; }
  void SetCancelText(std::wstring value) { FCancelText = std::move(value); }

  // The character filter of typed keys; derived controls may compute it.
  virtual int InputKind() const noexcept { return FInputKind; }
  bool ButtonShown() const noexcept { return FButtonShown; }
  TSpeedButtonVel& Button() noexcept { return FButton; }
  // The shown button at (x, y) of the client area, or null.
  TSpeedButtonVel* ButtonAt(int x, int y) const noexcept;
  // Draws the shown buttons that meet clip (all of them without one).
  void PaintButtons(HDC dc, const RECT* clip = nullptr);

  void SetEnabled(bool enabled) override;
  void SetVisible(bool visible) override;

  TEditVelChangingEvent OnChanging;
  TEditVelCancelEvent OnCancel;
  // These two hide TWindow's focus handlers of the same names, which this
  // class does not override (focus arrives through FocusGained/FocusLost).
  TEditVelFocusEvent OnSetFocus;
  TEditVelFocusEvent OnKillFocus;
  fw::TNotifyEvent OnButtonClick;
  // The sender is the pressed button.
  fw::TMouseEvent OnButtonMouseDown;
  fw::TMouseEvent OnButtonMouseUp;

 protected:
  void SetButtonShown(bool value);

  virtual void ButtonClick();
  virtual void PositionButtons();
  virtual void ButtonMouseDown(fw::TObject* button, fw::TMouseButton mouseButton, fw::TShiftState shift, int x, int y);
  virtual void ButtonMouseUp(fw::TObject* button, fw::TMouseButton mouseButton, fw::TShiftState shift, int x, int y);
  virtual void UpdateEditRect();
  virtual void InvalidateButtons();

  // A further button drawn and hit-tested by this edit; it lives as long as the edit.
  void HostButton(TSpeedButtonVel& button);

  // EM_SETRECTNP, EM_SCROLLCARET and the input method's composition window.
  void ApplyFormatRect(const TRectI& rect) noexcept;
  bool RightToLeft() const noexcept;
  wchar_t DecimalSeparator() const noexcept { return FDecimalSeparator; }

  void EditParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WMSize(int cx, int cy) override;
  void DpiChanged(int oldDpi, int newDpi) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Change() override;
  void KeyPress(wchar_t& key) override;
  void DoEnter() override;
  void FocusGained(HWND previous) override;
  void FocusLost(HWND next) override;

  int FInputKind = 0;
  int FChangeLock = 0;
  std::wstring FLastText;

 private:
  bool FEnterNext = false;
  bool FUseCancel = false;
  std::wstring FCancelText;
  bool AnyButtonShown() const noexcept;
  bool MouseToButton(UINT msg, WPARAM wParam, LPARAM lParam);
  void PaintWithButtons();

  bool FButtonShown = false;
  wchar_t FDecimalSeparator;
  TSpeedButtonVel FButton;
  std::vector<TSpeedButtonVel*> FHosted;
};

// Raises a change lock for a scope, also when an exception passes.
class TChangeLock {
 public:
  explicit TChangeLock(int& lock) noexcept : FLock(lock) { ++FLock; }
  ~TChangeLock() { --FLock; }
  TChangeLock(const TChangeLock&) = delete;
  TChangeLock& operator=(const TChangeLock&) = delete;

 private:
  int& FLock;
};
