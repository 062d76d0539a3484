#include "controls/uEditVel.h"

#include <imm.h>

#include "controls/uControlGlyphs.h"
#include "core/controls/uEditInputFilter.h"
#include "framework/Beep.h"
#include "core/support/uStrings.h"

wchar_t UserDecimalSeparator() noexcept {
  wchar_t buf[8] = {};
  if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8) > 1 && buf[0] != 0) return buf[0];
  return L'.';
}

TCustomEditVel::TCustomEditVel() : FDecimalSeparator(UserDecimalSeparator()) {
  FButton.SetVisible(false);
  FButton.SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  FButton.OnClick = [this](fw::TObject*) { ButtonClick(); };
  FButton.OnMouseDown = [this](fw::TObject* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
    ButtonMouseDown(s, b, sh, x, y);
  };
  FButton.OnMouseUp = [this](fw::TObject* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
    ButtonMouseUp(s, b, sh, x, y);
  };
}

TCustomEditVel::~TCustomEditVel() = default;

void TCustomEditVel::Create(fw::TWindow* parent) { fw::TCustomEdit::Create(parent); }

void TCustomEditVel::EditParams(TCreateParams& params) {
  // Only a multi-line edit honours a formatting rectangle.
  if (FButtonShown) params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
}

void TCustomEditVel::HandleCreated() {
  // Also after a re-creation, which destroyed the button's window with the edit's.
  if (!FButton.HandleAllocated()) {
    if (!FButton.Glyph()) FButton.SetGlyph(CopyGlyph(ControlGlyphs().EditEllipsis));
    FButton.SetVisible(FButtonShown);
    FButton.Create(this);
  }
  FButton.SetVisible(FButtonShown);
  FButton.SetEnabled(Enabled());
  PositionButtons();
  UpdateEditRect();
}

void TCustomEditVel::WMSize(int, int) {
  PositionButtons();
  UpdateEditRect();
}

void TCustomEditVel::SetButtonShown(bool value) {
  if (value == FButtonShown) return;
  FButtonShown = value;
  if (HandleAllocated())
    RecreateWnd();
  else
    FButton.SetVisible(value);
}

void TCustomEditVel::SetEnabled(bool enabled) {
  fw::TCustomEdit::SetEnabled(enabled);
  FButton.SetEnabled(enabled);
}

void TCustomEditVel::SetVisible(bool visible) {
  fw::TCustomEdit::SetVisible(visible);
  FButton.SetEnabled(Enabled());
}

bool TCustomEditVel::RightToLeft() const noexcept {
  return HandleAllocated() && (::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
}

void TCustomEditVel::ButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

void TCustomEditVel::PositionButtons() {
  const TRectI r = EmbeddedButtonRect(Width(), Height(), RightToLeft());
  FButton.SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TCustomEditVel::ButtonMouseDown(fw::TObject* button, fw::TMouseButton mouseButton, fw::TShiftState shift, int x,
                                     int y) {
  if (TabStop() && !Focused() && CanFocus()) SetFocus();
  ::HideCaret(Handle());
  if (OnButtonMouseDown) OnButtonMouseDown(button, mouseButton, shift, x, y);
}

void TCustomEditVel::ButtonMouseUp(fw::TObject* button, fw::TMouseButton mouseButton, fw::TShiftState shift, int x,
                                   int y) {
  ::ShowCaret(Handle());
  if (OnButtonMouseUp) OnButtonMouseUp(button, mouseButton, shift, x, y);
  SetSelStart(static_cast<int>(Text().size()));
}

void TCustomEditVel::ApplyFormatRect(const TRectI& rect) noexcept {
  if (!HandleAllocated()) return;
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  ::SendMessageW(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
  ::SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
  if (HIMC imc = ::ImmGetContext(Handle())) {
    if (::ImmGetOpenStatus(imc)) {
      COMPOSITIONFORM form{};
      form.dwStyle = CFS_POINT;
      form.ptCurrentPos = {r.left, r.top};
      ::ImmSetCompositionWindow(imc, &form);
    }
    ::ImmReleaseContext(Handle(), imc);
  }
}

void TCustomEditVel::UpdateEditRect() {
  if (!FButtonShown || !HandleAllocated()) return;
  const TRectI wanted = EditVelFormatRect(Width(), Height(), FButton.Width(), RightToLeft());
  RECT current{};
  ::SendMessageW(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&current));
  if (current.left == wanted.Left && current.top == wanted.Top && current.right == wanted.Right &&
      current.bottom == wanted.Bottom)
    return;
  ApplyFormatRect(wanted);
  InvalidateButtons();
}

void TCustomEditVel::InvalidateButtons() { FButton.Invalidate(); }

LRESULT TCustomEditVel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETDLGCODE) {
    LRESULT code = fw::TCustomEdit::WndProc(msg, wParam, lParam);
    // A multi-line edit claims every key, Tab included; this one is a
    // single-line edit in all but its style.
    if (MultiLine()) code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
    return code;
  }
  if (msg == WM_NCPAINT) {
    // A themed edit (Wine's) paints its frame part over the whole window,
    // through a DC that does not spare the child windows: the buttons.
    LRESULT r = fw::TCustomEdit::WndProc(msg, wParam, lParam);
    if (FButtonShown || MultiLine()) InvalidateButtons();
    return r;
  }
  return fw::TCustomEdit::WndProc(msg, wParam, lParam);
}

void TCustomEditVel::Change() {
  const std::wstring text = Text();
  bool allowed = true;
  if (FChangeLock == 0 && OnChanging && text != FLastText) OnChanging(this, text, FLastText, allowed);
  if (allowed) {
    fw::TCustomEdit::Change();
    FLastText = Text();
    return;
  }
  TChangeLock lock(FChangeLock);
  const auto caret = static_cast<int>(CommonPrefixLength(FLastText, text));
  // The restored text raises one more change, which fires OnChange for it.
  const std::wstring restored = FLastText;
  SetText(restored);
  SetSelStart(caret);
}

void TCustomEditVel::KeyPress(wchar_t& key) {
  fw::TCustomEdit::KeyPress(key);
  if (key == 0) return;
  const std::wstring text = Text();
  const TKeyPressOptions options{FUseCancel, FEnterNext, MultiLine(), InputKind()};
  const TKeyDecision decision = DecideKeyPress(key, options, TEditSelection{text, SelStart(), SelLength()});
  switch (decision.Action) {
    case kaAccept:
      break;
    case kaReplace:
      key = decision.Char;
      break;
    case kaReject:
      fw::MessageBeep(0);
      key = 0;
      break;
    case kaSwallow:
      key = 0;
      break;
    case kaCancel: {
      key = 0;
      std::wstring cancelText = FCancelText;
      if (OnCancel) OnCancel(this, cancelText);
      SetText(cancelText);
      break;
    }
    case kaNextControl:
      key = 0;
      // The form moves the focus on, as a dialog does.
      if (HWND form = ::GetAncestor(Handle(), GA_ROOT)) ::SendMessageW(form, WM_NEXTDLGCTL, 0, 0);
      break;
  }
}

void TCustomEditVel::DoEnter() {
  // The base selects only in single-line edits.
  if (AutoSelect() && !LeftButtonDown() && MultiLine()) SelectAll();
  fw::TCustomEdit::DoEnter();
  UpdateEditRect();
  FCancelText = Text();
}

void TCustomEditVel::FocusGained(HWND previous) {
  if (OnSetFocus) OnSetFocus(this, previous);
}

void TCustomEditVel::FocusLost(HWND next) {
  if (OnKillFocus) OnKillFocus(this, next);
}
