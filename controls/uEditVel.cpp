#include "controls/uEditVel.h"

#include <imm.h>
#include <windowsx.h>

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
  HostButton(FButton);
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

void TCustomEditVel::HostButton(TSpeedButtonVel& button) {
  FHosted.push_back(&button);
  if (HandleAllocated()) button.SetHost(Handle());
}

TSpeedButtonVel* TCustomEditVel::ButtonAt(int x, int y) const noexcept {
  for (TSpeedButtonVel* b : FHosted)
    if (b->HitTest(x, y)) return b;
  return nullptr;
}

void TCustomEditVel::PaintButtons(HDC dc, const RECT* clip) {
  for (TSpeedButtonVel* b : FHosted) {
    if (!b->Visible()) continue;
    const TRectI& r = b->BoundsRect();
    if (clip && (r.Right <= clip->left || r.Left >= clip->right || r.Bottom <= clip->top || r.Top >= clip->bottom))
      continue;
    b->Paint(dc);
  }
}

void TCustomEditVel::EditParams(TCreateParams& params) {
  // Only a multi-line edit honours a formatting rectangle.
  if (FButtonShown) params.Style |= ES_MULTILINE;
}

void TCustomEditVel::HandleCreated() {
  // The glyph is the program's own and outlives the edit: no copy to make.
  if (!FButton.Glyph()) FButton.SetSharedGlyph(GlyphAtDpi(ControlGlyphs().EditEllipsis, Dpi()));
  for (TSpeedButtonVel* b : FHosted) {
    b->SetHost(Handle());
    b->SetEnabled(Enabled());
  }
  FButton.SetVisible(FButtonShown);
  PositionButtons();
  UpdateEditRect();
}

void TCustomEditVel::WMSize(int, int) {
  PositionButtons();
  UpdateEditRect();
}

void TCustomEditVel::DpiChanged(int, int) {
  // Only the program's glyphs are shared; one of the user's is the user's.
  if (IsControlGlyph(FButton.Glyph())) FButton.SetSharedGlyph(GlyphAtDpi(FButton.Glyph(), Dpi()));
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
  for (TSpeedButtonVel* b : FHosted) b->SetEnabled(enabled);
}

void TCustomEditVel::SetVisible(bool visible) {
  fw::TCustomEdit::SetVisible(visible);
  for (TSpeedButtonVel* b : FHosted) b->SetEnabled(Enabled());
}

bool TCustomEditVel::RightToLeft() const noexcept {
  return HandleAllocated() && (::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
}

void TCustomEditVel::ButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

void TCustomEditVel::PositionButtons() {
  const TRectI r = EmbeddedButtonRect(Width(), Height(), RightToLeft(), Scaled(kEditButtonWidth));
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
  // Only the focused edit can have a composition going.
  if (!Focused()) return;
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

void TCustomEditVel::PaintWithButtons() {
  // A text set while the edit was idle goes in before the paint starts:
  // written inside it, it would invalidate the edit once more.
  FlushText();
  fw::TPaintDC dc(Handle());
  if (!dc.Get()) return;
  PaintButtons(dc.Get(), &dc.Info().rcPaint);
  // The system edit fills whatever its DC may reach: not the buttons.
  for (TSpeedButtonVel* b : FHosted) {
    if (!b->Visible()) continue;
    const TRectI& r = b->BoundsRect();
    ::ExcludeClipRect(dc.Get(), r.Left, r.Top, r.Right, r.Bottom);
  }
  fw::TCustomEdit::WndProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.Get()), 0);
}

namespace {

fw::TMouseButton MouseButtonOf(UINT msg) noexcept {
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
      return fw::TMouseButton::mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      return fw::TMouseButton::mbMiddle;
    default:
      return fw::TMouseButton::mbLeft;
  }
}

}  // namespace

// The mouse over a button, or held after a press on one, goes to the
// button; the rest to the system edit. True when a button took the message.
bool TCustomEditVel::MouseToButton(UINT msg, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  TSpeedButtonVel* dragging = nullptr;
  for (TSpeedButtonVel* b : FHosted)
    if (b->Dragging()) dragging = b;
  const fw::TShiftState shift = fw::TShiftState::FromKeyFlags(wParam);
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!dragging) return false;
      dragging->MouseMove(x - dragging->Left(), y - dragging->Top());
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      // A double click on a button is a second press.
      TSpeedButtonVel* b = dragging ? dragging : ButtonAt(x, y);
      if (!b) return false;
      if (b->Enabled()) b->MouseDown(MouseButtonOf(msg), shift, x - b->Left(), y - b->Top());
      return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      // Held by the system edit's own press (a drag selection): its release.
      TSpeedButtonVel* b = dragging ? dragging : ::GetCapture() == Handle() ? nullptr : ButtonAt(x, y);
      if (!b) return false;
      b->MouseUp(MouseButtonOf(msg), shift, x - b->Left(), y - b->Top());
      return true;
    }
    default:
      return false;
  }
}

bool TCustomEditVel::AnyButtonShown() const noexcept {
  for (const TSpeedButtonVel* b : FHosted)
    if (b->Visible()) return true;
  return false;
}

LRESULT TCustomEditVel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      if (AnyButtonShown()) {
        PaintWithButtons();
        return 0;
      }
      break;
    case WM_PRINTCLIENT: {
      const LRESULT r = fw::TCustomEdit::WndProc(msg, wParam, lParam);
      PaintButtons(reinterpret_cast<HDC>(wParam));
      return r;
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT) {
        const DWORD pos = ::GetMessagePos();
        POINT pt{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
        ::ScreenToClient(Handle(), &pt);
        if (ButtonAt(pt.x, pt.y)) {
          ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
          return TRUE;
        }
      }
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
      if (MouseToButton(msg, wParam, lParam)) return 0;
      break;
    }
    case WM_RBUTTONUP: {
      // The system edit still hears of it: its default processing asks for
      // the context menu, as a release on a button window did.
      TLifeGuard alive(this);
      MouseToButton(msg, wParam, lParam);
      if (!alive) return 0;
      break;
    }
    case WM_CAPTURECHANGED:
      for (TSpeedButtonVel* b : FHosted)
        if (b->Dragging() && reinterpret_cast<HWND>(lParam) != Handle()) b->CaptureLost();
      break;
    case WM_TIMER:
      for (TSpeedButtonVel* b : FHosted)
        if (b->Timer(wParam)) return 0;
      break;
    case WM_DESTROY:
      for (TSpeedButtonVel* b : FHosted) b->SetHost(nullptr);
      break;
    default:
      break;
  }
  if (msg == WM_GETDLGCODE) {
    LRESULT code = fw::TCustomEdit::WndProc(msg, wParam, lParam);
    // A multi-line edit claims every key, Tab included; this one is a
    // single-line edit in all but its style.
    if (MultiLine()) code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
    return code;
  }
  if (msg == WM_NCPAINT) {
    // A themed edit (Wine's) paints its frame part over the whole window,
    // the buttons inside it too.
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
