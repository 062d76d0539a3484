#pragma once
// A numeric edit holding one floating value, Position, between Min and Max
// and quantised to Precision, with two auto-repeating spin buttons and a
// button that opens a pop-up track bar. The value rules are the portable
// TEditTrackBarModel's; this layer does the window work.
#include <windows.h>

#include <initializer_list>
#include <memory>

#include "core/controls/uAutoRepeat.h"
#include "core/controls/uEditTrackBarModel.h"
#include "controls/uEditTrackBarAccessible.h"
#include "controls/uEditVel.h"
#include "framework/Timer.h"

class TfrmPopup;

// A spin button: one click at the press, the next after 400 ms, then every
// 100 ms while the pointer stays on the held button. Its timer runs on the
// host edit, under an ID of its own.
class TTimerSpeedButtonVel : public TSpeedButtonVel {
 public:
  explicit TTimerSpeedButtonVel(UINT_PTR timerId) noexcept : FTimerId(timerId) {}
  ~TTimerSpeedButtonVel() override;

  UINT_PTR TimerId() const noexcept { return FTimerId; }
  // Null until the first press.
  const fw::TWindowTimer* RepeatTimer() const noexcept { return FTimer.get(); }

  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  bool Timer(UINT_PTR id) override;

 protected:
  void HostChanging() override;

 private:
  UINT_PTR FTimerId;
  TAutoRepeat FRepeat;
  std::unique_ptr<fw::TWindowTimer> FTimer;
};

enum TEditTrackBarVelButton { etbvbUpDown, etbvbTrackBar };

class TEditTrackBarVelButtons {
 public:
  constexpr TEditTrackBarVelButtons() noexcept = default;
  constexpr TEditTrackBarVelButtons(std::initializer_list<TEditTrackBarVelButton> buttons) noexcept {
    for (TEditTrackBarVelButton b : buttons) FBits |= 1u << b;
  }
  constexpr bool Contains(TEditTrackBarVelButton b) const noexcept { return (FBits & (1u << b)) != 0; }
  constexpr bool Empty() const noexcept { return FBits == 0; }
  constexpr bool operator==(const TEditTrackBarVelButtons&) const noexcept = default;

 private:
  unsigned FBits = 0;
};

class TCustomEditTrackBarVel : public TCustomEditVel {
 public:
  TCustomEditTrackBarVel();
  ~TCustomEditTrackBarVel() override;

  double Position() const noexcept { return FModel.Position(); }
  void SetPosition(double value);
  // Follows precision, minimum, hexadecimal and style.
  int InputKind() const noexcept override { return FModel.InputKind(); }
  double Precision() const noexcept { return FModel.Precision(); }
  // Raises EUserError for a value other than 1 on a hexadecimal control.
  void SetPrecision(double value);
  bool Hex() const noexcept { return FModel.Hex(); }
  void SetHex(bool value);
  double Min() const noexcept { return FModel.Min(); }
  void SetMin(double value);
  double Max() const noexcept { return FModel.Max(); }
  void SetMax(double value);
  double TrackBarMin() const noexcept { return FModel.TrackBarMin(); }
  void SetTrackBarMin(double value) { FModel.SetTrackBarMin(value); }
  double TrackBarMax() const noexcept { return FModel.TrackBarMax(); }
  void SetTrackBarMax(double value) { FModel.SetTrackBarMax(value); }
  double LineSize() const noexcept { return FModel.LineSize(); }
  void SetLineSize(double value) { FModel.SetLineSize(value); }
  double PageSize() const noexcept { return FModel.PageSize(); }
  void SetPageSize(double value) { FModel.SetPageSize(value); }
  bool Wrap() const noexcept { return FModel.Wrap(); }
  void SetWrap(bool value) { FModel.SetWrap(value); }
  TEditTrackBarVelStyle TrackBarStyle() const noexcept { return FModel.TrackBarStyle(); }
  void SetTrackBarStyle(TEditTrackBarVelStyle value);
  TEditTrackBarVelButtons Buttons() const noexcept { return FButtons; }
  void SetButtons(TEditTrackBarVelButtons value);

  // x without the noise of floating-point steps (about four significant
  // digits of the range).
  double TidyValue(double x) const { return FModel.TidyValue(x); }

  bool Modifying() const noexcept { return FModel.Modifying(); }
  TTimerSpeedButtonVel& UpButton() noexcept { return FUpButton; }
  TTimerSpeedButtonVel& DownButton() noexcept { return FDownButton; }
  // The open pop-up track bar, null while closed.
  TfrmPopup* Popup() const noexcept { return FPopup.get(); }

  // What a screen reader reads; the owner names the editor and its range.
  TEditTrackBarAccessible Accessible{*this};
  // Presses a button as a click does, once the current message is done:
  // 1 up, 2 down, 3 the pop-up button.
  void PressPart(int part);


  fw::TNotifyEvent OnModifyStart;
  fw::TNotifyEvent OnModifyEnd;
  // The spin buttons' timers on the edit; the system edit's own use small IDs.
  static constexpr UINT_PTR kUpTimerId = 0x7E01;
  static constexpr UINT_PTR kDownTimerId = 0x7E02;

  // Runs while the pop-up is open, once it has started dragging (tests
  // drive the track bar from here); null in the program.
  fw::TNotifyEvent OnPopupShown;

 protected:
  void PositionButtons() override;
  void ButtonMouseDown(fw::TObject* button, fw::TMouseButton mouseButton, fw::TShiftState shift, int x, int y) override;
  void ButtonMouseUp(fw::TObject* button, fw::TMouseButton mouseButton, fw::TShiftState shift, int x, int y) override;
  void UpdateEditRect() override;
  void InvalidateButtons() override;

  void EditParams(TCreateParams& params) override;
  void HandleCreated() override;
  void DpiChanged(int oldDpi, int newDpi) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Change() override;
  void KeyDown(WORD& key, fw::TShiftState shift) override;
  void KeyUp(WORD& key, fw::TShiftState shift) override;
  void FocusGained(HWND previous) override;

 private:
  void PositionSet();
  void PressNow(int part);
  void BeginModify();
  void EndModify();
  void SpinClick(TSpinButton button);
  void OpenPopup(int pressX, int pressY);
  void TrackBarChange();

  TEditTrackBarModel FModel;
  std::unique_ptr<TfrmPopup> FPopup;
  TTimerSpeedButtonVel FUpButton{kUpTimerId};
  TTimerSpeedButtonVel FDownButton{kDownTimerId};
  TEditTrackBarVelButtons FButtons{etbvbUpDown, etbvbTrackBar};
};

// The published form; it adds no behaviour.
class TEditTrackBarVel : public TCustomEditTrackBarVel {};

// Modifier keys from the asynchronous key state, as the spin buttons and the
// pop-up read them at the moment of a step.
TModifierKeys AsyncModifierKeys() noexcept;
