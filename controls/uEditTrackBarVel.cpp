#include "controls/uEditTrackBarVel.h"

#include "controls/uControlGlyphs.h"
#include "controls/uTrackBarVel.h"

namespace {

// A press asked for from outside (a screen reader's default action), done
// outside the call that asked.
constexpr UINT kWmPressPart = WM_APP + 0x3E1;

}  // namespace

TModifierKeys AsyncModifierKeys() noexcept {
  return TModifierKeys{::GetAsyncKeyState(VK_SHIFT) < 0, ::GetAsyncKeyState(VK_CONTROL) < 0,
                       ::GetAsyncKeyState(VK_MENU) < 0};
}

// ---- TTimerSpeedButtonVel

TTimerSpeedButtonVel::~TTimerSpeedButtonVel() = default;

void TTimerSpeedButtonVel::HostChanging() {
  FRepeat.Release();
  if (FTimer) FTimer->Stop();
}

void TTimerSpeedButtonVel::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  TSpeedButtonVel::MouseDown(button, shift, x, y);
  if (!Host()) return;
  Click();
  FRepeat.Press();
  if (!FTimer) FTimer = std::make_unique<fw::TWindowTimer>(FTimerId);
  FTimer->Start(Host(), FRepeat.Interval());
  Invalidate();
  Update();
}

bool TTimerSpeedButtonVel::Timer(UINT_PTR id) {
  if (id != FTimerId) return false;
  if (!FTimer) return true;
  // On the held button: drawn down, and the edit holds the mouse for it.
  const bool click = FRepeat.Tick(State() == fw::TButtonState::bsDown, Dragging() && ::GetCapture() == Host());
  if (!FRepeat.Enabled()) {
    FTimer->Stop();
    return true;
  }
  FTimer->SetInterval(FRepeat.Interval());
  if (!click) return true;
  try {
    Click();
  } catch (...) {
    FRepeat.ClickFailed();
    FTimer->Stop();
    throw;
  }
  return true;
}

void TTimerSpeedButtonVel::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int, int) {
  FRepeat.Release();
  if (FTimer) FTimer->Stop();
  // Released off the button: the release itself adds no click.
  TSpeedButtonVel::MouseUp(button, shift, -1, -1);
  Invalidate();
  Update();
}

// ---- TCustomEditTrackBarVel

TCustomEditTrackBarVel::TCustomEditTrackBarVel() {
  FModel.SetDecimalSeparator(DecimalSeparator());
  FModel.OnPositionSet = [this](TEditTrackBarModel&) { PositionSet(); };
  SetButtonShown(true);
  SetAccessibleSource(&Accessible);
  for (TTimerSpeedButtonVel* b : {&FUpButton, &FDownButton}) {
    HostButton(*b);
    b->OnMouseDown = [this](fw::TObject* s, fw::TMouseButton mb, fw::TShiftState sh, int x, int y) {
      ButtonMouseDown(s, mb, sh, x, y);
    };
    b->OnMouseUp = [this](fw::TObject* s, fw::TMouseButton mb, fw::TShiftState sh, int x, int y) {
      ButtonMouseUp(s, mb, sh, x, y);
    };
  }
  FUpButton.OnClick = [this](fw::TObject*) { SpinClick(sbUp); };
  FDownButton.OnClick = [this](fw::TObject*) { SpinClick(sbDown); };
}

TCustomEditTrackBarVel::~TCustomEditTrackBarVel() {
  // Cut off before the source goes, not when the window does after it.
  SetAccessibleSource(nullptr);
}

void TCustomEditTrackBarVel::PressPart(int part) {
  if (HandleAllocated()) ::PostMessageW(Handle(), kWmPressPart, static_cast<WPARAM>(part), 0);
}

void TCustomEditTrackBarVel::PressNow(int part) {
  if (part == 1 || part == 2) {
    SpinClick(part == 1 ? sbUp : sbDown);
    EndModify();
  } else if (part == 3 && !FPopup) {
    if (!Focused() && CanFocus()) SetFocus();
    // As a click: the pop-up opens and, with no button held, closes again.
    OpenPopup(Button().Width() / 2, Button().Height() / 2);
  }
}

void TCustomEditTrackBarVel::PositionSet() {
  if (FChangeLock != 0) return;
  TChangeLock lock(FChangeLock);
  SetText(FModel.PositionText());
}

void TCustomEditTrackBarVel::SetPosition(double value) { FModel.SetPosition(value); }

void TCustomEditTrackBarVel::SetPrecision(double value) { FModel.SetPrecision(value); }

void TCustomEditTrackBarVel::SetHex(bool value) { FModel.SetHex(value); }

void TCustomEditTrackBarVel::SetMin(double value) { FModel.SetMin(value); }

void TCustomEditTrackBarVel::SetMax(double value) { FModel.SetMax(value); }

void TCustomEditTrackBarVel::SetTrackBarStyle(TEditTrackBarVelStyle value) { FModel.SetTrackBarStyle(value); }

void TCustomEditTrackBarVel::SetButtons(TEditTrackBarVelButtons value) {
  if (value == FButtons) return;
  const bool wasMultiLine = !FButtons.Empty();
  FButtons = value;
  const bool upDown = value.Contains(etbvbUpDown);
  FUpButton.SetVisible(upDown);
  FDownButton.SetVisible(upDown);
  const bool trackBar = value.Contains(etbvbTrackBar);
  if (trackBar != ButtonShown())
    SetButtonShown(trackBar);  // re-creates the window
  else if (HandleAllocated() && wasMultiLine != !value.Empty())
    RecreateWnd();
  PositionButtons();
  UpdateEditRect();
}

void TCustomEditTrackBarVel::EditParams(TCreateParams& params) {
  TCustomEditVel::EditParams(params);
  if (!FButtons.Empty()) params.Style |= ES_MULTILINE;
}

void TCustomEditTrackBarVel::HandleCreated() {
  // The glyphs are the program's own and outlive the edit: no copies to make.
  if (!Button().Glyph()) Button().SetSharedGlyph(GlyphAtDpi(ControlGlyphs().TrackBarDivider, Dpi()));
  if (!FUpButton.Glyph()) FUpButton.SetSharedGlyph(GlyphAtDpi(ControlGlyphs().SpinUp, Dpi()));
  if (!FDownButton.Glyph()) FDownButton.SetSharedGlyph(GlyphAtDpi(ControlGlyphs().SpinDown, Dpi()));
  const bool upDown = FButtons.Contains(etbvbUpDown);
  FUpButton.SetVisible(upDown);
  FDownButton.SetVisible(upDown);
  // Hosts the buttons, places them and applies the formatting rectangle.
  TCustomEditVel::HandleCreated();
}

void TCustomEditTrackBarVel::DpiChanged(int oldDpi, int newDpi) {
  // The base scales the embedded button's glyph and places every button.
  for (TSpeedButtonVel* b : {&FUpButton, &FDownButton})
    if (IsControlGlyph(b->Glyph())) b->SetSharedGlyph(GlyphAtDpi(b->Glyph(), Dpi()));
  TCustomEditVel::DpiChanged(oldDpi, newDpi);
}

void TCustomEditTrackBarVel::PositionButtons() {
  TCustomEditVel::PositionButtons();
  const TSpinButtonRects r =
      SpinButtonRects(Width(), Height(), FButtons.Contains(etbvbTrackBar), RightToLeft(), Scaled(kEditButtonWidth));
  FUpButton.SetBounds(r.Up.Left, r.Up.Top, r.Up.Width(), r.Up.Height());
  FDownButton.SetBounds(r.Down.Left, r.Down.Top, r.Down.Width(), r.Down.Height());
}

void TCustomEditTrackBarVel::UpdateEditRect() {
  if (!HandleAllocated() || !MultiLine()) return;
  ApplyFormatRect(EditTrackBarFormatRect(Width(), Height(), FButtons.Contains(etbvbUpDown),
                                         FButtons.Contains(etbvbTrackBar), RightToLeft(), Scaled(kEditButtonWidth)));
  InvalidateButtons();
}

void TCustomEditTrackBarVel::InvalidateButtons() {
  TCustomEditVel::InvalidateButtons();
  FUpButton.Invalidate();
  FDownButton.Invalidate();
}

LRESULT TCustomEditTrackBarVel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kWmPressPart) {
    PressNow(static_cast<int>(wParam));
    return 0;
  }
  if ((msg == WM_SETFOCUS || msg == WM_KILLFOCUS) && FPopup && FPopup->Handle()) {
    // The drag in the pop-up is part of editing here: the edit keeps its
    // focus state, and nobody hears of the round trip.
    HWND other = reinterpret_cast<HWND>(wParam);
    if (other && (other == FPopup->Handle() || ::IsChild(FPopup->Handle(), other))) return 0;
  }
  return TCustomEditVel::WndProc(msg, wParam, lParam);
}

void TCustomEditTrackBarVel::FocusGained(HWND previous) {
  UpdateEditRect();
  TCustomEditVel::FocusGained(previous);
}

void TCustomEditTrackBarVel::Change() {
  {
    // The typed number becomes Position without the text being rewritten.
    TChangeLock lock(FChangeLock);
    FModel.ApplyText(Text());
  }
  TCustomEditVel::Change();
}

void TCustomEditTrackBarVel::BeginModify() {
  if (FModel.BeginModify() && OnModifyStart) OnModifyStart(this);
}

void TCustomEditTrackBarVel::EndModify() {
  if (FModel.EndModify() && OnModifyEnd) OnModifyEnd(this);
}

void TCustomEditTrackBarVel::KeyDown(WORD& key, fw::TShiftState shift) {
  TCustomEditVel::KeyDown(key, shift);
  const std::optional<TStepKey> step = StepKeyOf(key);
  if (!step || !KeyStepAllowed(TModifierKeys{shift.Shift, shift.Ctrl, shift.Alt})) return;
  BeginModify();
  FModel.StepByKey(*step);
  SetSelStart(static_cast<int>(Text().size()));
  Click();
  Invalidate();
  Update();
  key = 0;
}

void TCustomEditTrackBarVel::KeyUp(WORD& key, fw::TShiftState shift) {
  TCustomEditVel::KeyUp(key, shift);
  if (!StepKeyOf(key) || !FModel.Modifying()) return;
  EndModify();
  key = 0;
}

void TCustomEditTrackBarVel::SpinClick(TSpinButton button) {
  BeginModify();
  FModel.StepBySpin(button, AsyncModifierKeys());
  Click();
}

void TCustomEditTrackBarVel::ButtonMouseDown(fw::TObject* button, fw::TMouseButton mouseButton, fw::TShiftState shift,
                                             int x, int y) {
  TCustomEditVel::ButtonMouseDown(button, mouseButton, shift, x, y);
  if (!Focused() && CanFocus()) SetFocus();
  if (button == &Button() && !FPopup) OpenPopup(x, y);
}

void TCustomEditTrackBarVel::ButtonMouseUp(fw::TObject* button, fw::TMouseButton mouseButton, fw::TShiftState shift,
                                           int x, int y) {
  TCustomEditVel::ButtonMouseUp(button, mouseButton, shift, x, y);
  if (button != &Button()) EndModify();
}

void TCustomEditTrackBarVel::OpenPopup(int pressX, int pressY) {
  const TTrackBarScale scale = FModel.PopupScale();
  // One step has no track to drag along (and the thumb offset would divide by zero).
  if (!scale.CanOpen()) return;
  const TTrackBarMarks marks = TrackBarMarks(scale, DecimalSeparator());
  const TTrackBarSettings settings = TrackBarSettings(scale, Position(), LineSize(), PageSize(), Precision());

  FPopup = std::make_unique<TfrmPopup>();
  FPopup->Build(Handle(), scale, marks, settings);
  FPopup->TrackBar.OnChange = [this](fw::TObject*) { TrackBarChange(); };
  FPopup->OnShown = [this](fw::TObject*) {
    if (OnPopupShown) OnPopupShown(this);
  };

  RECT popupRect, trackRect, work;
  ::GetWindowRect(FPopup->Handle(), &popupRect);
  ::GetWindowRect(FPopup->TrackBar.Handle(), &trackRect);
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) work = RECT{0, 0, 0x7FFF, 0x7FFF};
  POINT press{Button().Left() + pressX, Button().Top() + pressY};
  ::ClientToScreen(Handle(), &press);
  POINT editBottom{0, Height() - 2};
  ::ClientToScreen(Handle(), &editBottom);
  const int thumb = ThumbOffset(FPopup->TrackBar.Position(), FPopup->TrackBar.Min(), FPopup->TrackBar.Max(),
                                FPopup->TrackBar.Width());
  const TPopupPlacement place =
      PlacePopup(TPointI{press.x, press.y}, editBottom.y, Height(),
                 TPointI{popupRect.right - popupRect.left, popupRect.bottom - popupRect.top},
                 trackRect.left - popupRect.left, thumb, TRectI{work.left, work.top, work.right, work.bottom});
  FPopup->SetBounds(place.Left, place.Top, popupRect.right - popupRect.left, popupRect.bottom - popupRect.top);
  if (place.MoveCursor) ::SetCursorPos(place.Cursor.X, place.Cursor.Y);
  FModel.BeginTrackDrag(place.Cursor);

  {
    // Also when the loop ends by an exception: the run ends, the button comes
    // up and the pop-up goes before it passes on.
    struct TRelease {
      TCustomEditTrackBarVel& Edit;
      ~TRelease() {
        Edit.Button().SetShownDown(false);
        Edit.FPopup.reset();
      }
    } release{*this};
    try {
      Button().SetShownDown(true);
      BeginModify();
      FPopup->ShowModal();
    } catch (...) {
      EndModify();
      throw;
    }
    EndModify();
  }
  if (CanFocus()) SetFocus();
  // The caret hidden at the press: no release reaches the button.
  ::ShowCaret(Handle());
  Button().AbortPress();
}

void TCustomEditTrackBarVel::TrackBarChange() {
  if (!FPopup) return;
  POINT pointer{};
  ::GetCursorPos(&pointer);
  if (FModel.TrackValueHeld(TPointI{pointer.x, pointer.y})) {
    // The thumb stays where the value is.
    FPopup->TrackBar.SetPosition(FModel.PopupScale().IndexOf(Position()));
    return;
  }
  const double value = FModel.PopupScale().ValueOf(FPopup->TrackBar.Position());
  if (!FModel.ApplyTrackValue(value, AsyncModifierKeys())) return;
  Click();
  Invalidate();
  Update();
}
