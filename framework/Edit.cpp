#include "framework/Edit.h"

#include "framework/Theme.h"

#include <windowsx.h>

#include "framework/Application.h"

namespace fw {

namespace {

// The system class paints with its parent's clipping (CS_PARENTDC), which
// ignores WS_CLIPCHILDREN and so paints over buttons placed inside the edit.
// A superclass without it behaves as the system edit otherwise.
const wchar_t* EditClassName() {
  static const wchar_t* name = [] {
    constexpr const wchar_t* kName = L"TintraEdit";
    WNDCLASSEXW wc{sizeof(wc)};
    if (!::GetClassInfoExW(nullptr, L"EDIT", &wc)) return L"EDIT";
    wc.cbSize = sizeof(wc);
    wc.style &= ~static_cast<UINT>(CS_PARENTDC | CS_GLOBALCLASS);
    wc.hInstance = Application().Handle();
    wc.lpszClassName = kName;
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return L"EDIT";
    return kName;
  }();
  return name;
}

}  // namespace

TCustomEdit::TCustomEdit() = default;

TWindow::TCreateParams TCustomEdit::MakeParams() {
  TCreateParams p;
  p.ClassName = EditClassName();
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL;
  if (FTabStop) p.Style |= WS_TABSTOP;
  if (FReadOnly) p.Style |= ES_READONLY;
  p.ExStyle = WS_EX_CLIENTEDGE;
  EditParams(p);
  return p;
}

void TCustomEdit::Create(TWindow* parent) {
  CreateHandle(parent, MakeParams());
  ApplyLimits();
}

void TCustomEdit::RecreateWnd() {
  if (!HandleAllocated()) return;
  // A new window goes to the top of the z-order, which is the tab order.
  HWND previous = ::GetWindow(Handle(), GW_HWNDPREV);
  const bool entered = FEntered;
  FlushText();
  RecreateHandle(MakeParams());
  FTextCached = false;
  FTextPending = false;
  ::SetWindowPos(Handle(), previous ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ApplyLimits();
  FHasFocus = Focused();
  FEntered = entered && FHasFocus;
}

void TCustomEdit::ApplyLimits() noexcept {
  if (!HandleAllocated()) return;
  ::SendMessageW(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FReadOnly) ::SendMessageW(Handle(), EM_SETREADONLY, TRUE, 0);
}

std::wstring TCustomEdit::Text() const {
  if (!HandleAllocated()) return TWindow::Text();
  if (!FTextCached) {
    FTextCache = TWindow::Text();
    FTextCached = true;
  }
  return FTextCache;
}

void TCustomEdit::SetText(const std::wstring& text) {
  if (Text() == text) return;
  if (HandleAllocated() && !FHasFocus) {
    // The system edit lays out its text at every write, which costs far
    // more than the paint (under Wine about as much as a screen read). An
    // edit nobody types in takes its text when it next paints or gets any
    // message, so a burst of writes between paints is laid out once.
    FTextCache = text;
    FTextCached = true;
    if (!FTextPending) {
      FTextPending = true;
      ::InvalidateRect(Handle(), nullptr, FALSE);
    }
    Change();
    return;
  }
  FChangeSeen = false;
  TWindow::SetText(text);
  if (HandleAllocated() && !FChangeSeen) {
    // Unless a change handler has written the text again meanwhile.
    FTextCache = text;
    FTextCached = true;
  }
  if (!HandleAllocated() || (MultiLine() && !FChangeSeen)) Change();
}

void TCustomEdit::FlushText() {
  if (!FTextPending) return;
  FTextPending = false;
  const std::wstring text = FTextCache;
  // The change was raised when the text was set.
  FFlushing = true;
  TWindow::SetText(text);
  FFlushing = false;
  FTextCache = text;
  FTextCached = true;
}

int TCustomEdit::SelStart() const noexcept {
  if (!HandleAllocated()) return 0;
  DWORD start = 0, end = 0;
  ::SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int start) noexcept {
  if (HandleAllocated()) ::SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start);
}

int TCustomEdit::SelLength() const noexcept {
  if (!HandleAllocated()) return 0;
  DWORD start = 0, end = 0;
  ::SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int length) noexcept {
  if (!HandleAllocated()) return;
  const int start = SelStart();
  ::SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

void TCustomEdit::SelectAll() noexcept {
  if (HandleAllocated()) ::SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::SetMaxLength(int length) noexcept {
  FMaxLength = length < 0 ? 0 : length;
  ApplyLimits();
}

void TCustomEdit::SetReadOnly(bool value) noexcept {
  FReadOnly = value;
  if (HandleAllocated()) ::SendMessageW(Handle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetTabStop(bool value) noexcept {
  FTabStop = value;
  if (!HandleAllocated()) return;
  LONG_PTR style = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
  style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  ::SetWindowLongPtrW(Handle(), GWL_STYLE, style);
}

bool TCustomEdit::MultiLine() const noexcept {
  return HandleAllocated() && (::GetWindowLongPtrW(Handle(), GWL_STYLE) & ES_MULTILINE) != 0;
}

bool TCustomEdit::CNCommand(WORD code, WORD) {
  if (code != EN_CHANGE) return false;
  if (FFlushing) return true;
  FTextCached = false;
  FChangeSeen = true;
  Change();
  return true;
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::KeyPress(wchar_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TCustomEdit::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TCustomEdit::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TCustomEdit::Click() {
  if (OnClick) OnClick(this);
}

void TCustomEdit::DoEnter() {
  // A click places the caret itself; only keyboard entry selects everything.
  // Multi-line edits keep their selection, as the system's do.
  if (FAutoSelect && !FLeftDown && !MultiLine()) SelectAll();
  if (OnEnter) OnEnter(this);
}

void TCustomEdit::DoExit() {
  if (OnExit) OnExit(this);
}

bool TCustomEdit::ContextMenu(int screenX, int screenY) {
  if (!FPopupMenu) return false;
  if (screenX == -1 && screenY == -1) {
    // From the keyboard: open at the control.
    RECT r;
    ::GetWindowRect(Handle(), &r);
    screenX = r.left + 4;
    screenY = r.bottom;
  }
  ::TrackPopupMenu(FPopupMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenX, screenY, 0, ::GetAncestor(Handle(), GA_ROOT),
                   nullptr);
  return true;
}

LRESULT TCustomEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (FTextPending) {
    // Whatever asks the edit anything (paint, read, focus, selection) sees
    // the text last set; a text written from outside replaces it.
    if (msg == WM_SETTEXT || msg == WM_DESTROY || msg == WM_NCDESTROY)
      FTextPending = false;
    else
      FlushText();
  }
  // An in-place editor may be ended by any event below or by its parent's
  // answer to a notification the default processing sends.
  TLifeGuard alive(this);
  switch (msg) {
    case WM_SETTEXT:
      FTextCached = false;
      break;
    case WM_CHAR: {
      wchar_t ch = static_cast<wchar_t>(wParam);
      KeyPress(ch);
      if (ch == 0 || !alive) return 0;
      return DefaultProc(msg, ch, lParam);
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(wParam);
      KeyDown(key, TShiftState::FromKeyboard());
      if (key == 0 || !alive) return 0;
      return DefaultProc(msg, key, lParam);
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(wParam);
      KeyUp(key, TShiftState::FromKeyboard());
      if (key == 0 || !alive) return 0;
      return DefaultProc(msg, key, lParam);
    }
    case WM_SETFOCUS: {
      FHasFocus = true;
      LRESULT r = DefaultProc(msg, wParam, lParam);
      if (!alive) return r;
      if (!FEntered) {
        FEntered = true;
        DoEnter();
        if (!alive) return r;
      }
      FocusGained(reinterpret_cast<HWND>(wParam));
      return r;
    }
    case WM_KILLFOCUS: {
      FHasFocus = false;
      LRESULT r = DefaultProc(msg, wParam, lParam);
      if (!alive) return r;
      // Focus that leaves the top-level window (another program, a pop-up)
      // comes back to the same control: that is no exit.
      HWND next = reinterpret_cast<HWND>(wParam);
      if (FEntered && next && ::GetAncestor(next, GA_ROOT) == ::GetAncestor(Handle(), GA_ROOT)) {
        FEntered = false;
        DoExit();
        if (!alive) return r;
      }
      FocusLost(next);
      return r;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FLeftDown = true;
      return DefaultProc(msg, wParam, lParam);
    case WM_LBUTTONUP: {
      const bool wasDown = FLeftDown;
      FLeftDown = false;
      LRESULT r = DefaultProc(msg, wParam, lParam);
      if (!alive) return r;
      POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT client = ClientRect();
      if (wasDown && ::PtInRect(&client, pt)) Click();
      return r;
    }
    case WM_CAPTURECHANGED:
      FLeftDown = false;
      break;
    case WM_CONTEXTMENU:
      if (ContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) return 0;
      return DefaultProc(msg, wParam, lParam);
    case WM_GETDLGCODE:
      // Without the message the edit never enters its dialog mode, in which
      // Esc would post WM_CLOSE to the parent panel of a multi-line edit.
      return DefaultProc(msg, wParam, 0);
    default:
      break;
  }
  return TWindow::WndProc(msg, wParam, lParam);
}

HBRUSH TCustomEdit::CNCtlColor(HDC dc) {
  // The theme's colours, not the class's: one palette decides all the window shows.
  const bool enabled = ::IsWindowEnabled(Handle()) != FALSE;
  const bool editable = enabled && !(::GetWindowLongW(Handle(), GWL_STYLE) & ES_READONLY);
  ::SetTextColor(dc, ThemeColor(enabled ? TThemeRole::WindowText : TThemeRole::GrayText));
  ::SetBkColor(dc, ThemeColor(editable ? TThemeRole::Window : TThemeRole::Face));
  return ThemeBrush(editable ? TThemeRole::Window : TThemeRole::Face);
}

}  // namespace fw
