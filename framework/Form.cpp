#include "framework/Form.h"

#include <vector>

#include "core/controls/uDpiScale.h"
#include "core/support/Exception.h"
#include "framework/Application.h"
#include "framework/Dpi.h"

namespace fw {

TForm::TForm() { SetVisible(false); }

TForm::~TForm() {
  if (HandleAllocated() && !CreatedAs(typeid(TForm))) {
    // A derived form ended with its scope and left its window alive: its
    // parts are gone, so none of the events it set may run now.
    OnCreate = nullptr;
    OnShow = nullptr;
    OnCloseQuery = nullptr;
    OnClose = nullptr;
    OnDestroy = nullptr;
    OnResize = nullptr;
    ::OutputDebugStringW(L"TForm: a derived form did not destroy its window in its destructor\n");
    ++FormsLeftOpen();
  }
  DestroyHandle();
}

int& TForm::FormsLeftOpen() noexcept {
  static int count = 0;
  return count;
}

void TForm::Create(TWindow* parent, DWORD style, DWORD exStyle) {
  TCreateParams p;
  p.Style = style | WS_CLIPCHILDREN;
  p.ExStyle = exStyle | WS_EX_CONTROLPARENT;
  p.ClassStyle = CS_DBLCLKS;
  CreateHandle(parent, p);
  if (FMenu) ::SetMenu(Handle(), FMenu->Handle() ? FMenu->Handle() : FMenu->Build());
  if (OnCreate) OnCreate(this);
  ApplyMonitorDpi();
}

void TForm::ApplyMonitorDpi() {
  if (!Handle()) return;
  const int dpi = WindowDpi(Handle());
  if (dpi == Dpi()) return;
  const int old = Dpi();
  // The outer size was designed around the frame of the old DPI; the frame
  // is already drawn at the new one (a larger caption and menu bar), and
  // the client area grows by the factor.
  const auto style = static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_EXSTYLE));
  const SIZE designed = FrameSize(style, exStyle, ::GetMenu(Handle()) != nullptr, old);
  const int designedHeight = Height();
  const RECT client = ClientRect();
  const int width = ScaledOuterSize(Width(), designed.cx, Width() - (client.right - client.left), old, dpi);
  ChangeFormDpi(dpi);
  // Wider first: the narrow window may have wrapped its menu bar onto two lines.
  SetBounds(Left(), Top(), width, Height());
  const int frame = Height() - ClientHeight();
  SetBounds(Left(), Top(), width, ScaledOuterSize(designedHeight, designed.cy, frame, old, dpi));
}

void TForm::ChangeFormDpi(int dpi) {
  if (dpi <= 0 || dpi == Dpi()) return;
  ChangeDpi(dpi);
  if (OnDpiChange) OnDpiChange(this);
}

void TForm::DpiChanged(int, int) {
  if (FFormFont) ReplaceFormFont();
}

void TForm::ReplaceFormFont() {
  LOGFONTW lf = FFormLogFont;
  lf.lfHeight = Scaled(lf.lfHeight);
  TUniqueFont font(::CreateFontIndirectW(&lf));
  if (!font) return;
  // The old font goes only when no control holds it any more.
  const HFONT old = FFormFont.Get();
  std::vector<TWindow*> pending{this};
  while (!pending.empty()) {
    TWindow* w = pending.back();
    pending.pop_back();
    if (old ? w->Font() == old : w == this) w->SetFont(font.Get());
    pending.insert(pending.end(), w->Children().begin(), w->Children().end());
  }
  FFormFont = std::move(font);
}

void TForm::SetFontFace(const std::wstring& face, int height, BYTE charSet) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfCharSet = charSet;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  FFormLogFont = lf;
  // Also once the window and its controls exist: each holder of the old font gets the new one first.
  ReplaceFormFont();
}

void TForm::SetMainMenu(TMainMenu* menu) {
  FMenu = menu;
  if (Handle() && FMenu) ::SetMenu(Handle(), FMenu->Handle() ? FMenu->Handle() : FMenu->Build());
}

void TForm::SetActionList(TActionList* actions) {
  FActions = actions;
  FAccel.Reset(actions ? actions->CreateAccelerators() : nullptr);
}

void TForm::Show() {
  SetVisible(true);
  if (!FShown) {
    FShown = true;
    ::UpdateWindow(Handle());
  }
}

int TForm::ShowModal() {
  if (!Handle() || FModal || Visible()) throw Exception(L"TForm.ShowModal: the form cannot be made modal");
  // Declared in this order so that they end in the reverse one: the owner
  // enabled before the form hides (the activation goes back to it), the
  // error the loop met reported once the form is hidden, and a form released
  // inside the loop deleted last.
  TLifeGuard alive(this);
  TModalScope modal;
  struct TModalEnd {
    TForm* Form;
    TLifeGuard& Alive;
    HWND Owner = nullptr;
    ~TModalEnd() {
      if (Owner) ::EnableWindow(Owner, TRUE);
      if (!Alive) return;
      Form->FModal = false;
      Form->SetVisible(false);
    }
  } end{this, alive};
  FModal = true;
  FModalResult = mrNone;
  Show();
  ::SetActiveWindow(Handle());
  if (FActiveControl && FActiveControl->CanFocus())
    FActiveControl->SetFocus();
  else if (HWND focus = ::GetFocus(); !focus || !::IsChild(Handle(), focus))
    SelectNext(false);
  if (HWND owner = ::GetWindow(Handle(), GW_OWNER); owner && ::IsWindowEnabled(owner)) {
    end.Owner = owner;
    ::EnableWindow(owner, FALSE);
  }
  ModalShown();
  if (alive) Application().RunModalLoop([this, &alive] { return !alive || FModalResult != mrNone || !Handle(); });
  if (!alive) return mrCancel;
  if (FModalResult == mrNone) FModalResult = mrCancel;
  return FModalResult;
}

TWindowState TForm::WindowState() const noexcept {
  if (Handle() && ::IsWindowVisible(Handle())) {
    if (::IsZoomed(Handle())) return TWindowState::wsMaximized;
    if (::IsIconic(Handle())) return TWindowState::wsMinimized;
    return TWindowState::wsNormal;
  }
  return FWindowState;
}

void TForm::SetWindowState(TWindowState state) {
  FWindowState = state;
  if (!Handle() || !::IsWindowVisible(Handle())) return;
  const int show[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
  ::ShowWindow(Handle(), show[static_cast<int>(state)]);
}

void TForm::SetVisible(bool visible) {
  if (visible && !Visible() && Handle()) {
    const LONG_PTR style = ::GetWindowLongPtrW(Handle(), GWL_STYLE), ex = ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
    if (FWindowState != TWindowState::wsNormal)
      ::ShowWindow(Handle(), FWindowState == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOWMINNOACTIVE);
    else if ((style & WS_CAPTION) == WS_CAPTION && !(style & WS_CHILD) && !(ex & WS_EX_NOACTIVATE))
      // A form with a title bar becomes the active window as it shows, as any
      // program's does; otherwise (under Wine without a window manager) no
      // window of the program is active and the keys reach none of its
      // controls. Bare pop-ups stay as they are: activating one of those
      // costs Wine two seconds of waiting for the X focus.
      ::ShowWindow(Handle(), SW_SHOW);
  }
  TWindow::SetVisible(visible);
}

void TForm::Close() {
  if (Handle()) ::SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TForm::SelectNext(bool backwards) {
  HWND focus = ::GetFocus();
  if (focus && !::IsChild(Handle(), focus)) focus = nullptr;
  HWND next = ::GetNextDlgTabItem(Handle(), focus, backwards);
  ShowFocusCues(Handle());
  if (next) ::SetFocus(next);
}

namespace {

// Undo, redo, cut, copy, paste and select all belong to the edit box that
// has the focus, as in any Windows program; the window's commands keep
// these keys everywhere else.
bool IsEditBoxKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  switch (msg.wParam) {
    case 'Z':
    case 'Y':
    case 'X':
    case 'C':
    case 'V':
    case 'A':
      break;
    default:
      return false;
  }
  if (::GetKeyState(VK_CONTROL) >= 0 || ::GetKeyState(VK_MENU) < 0) return false;
  return (::SendMessageW(msg.hwnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0;
}

}  // namespace

bool TForm::PreTranslateMessage(MSG& msg) {
  if (!Handle()) return false;
  if (msg.hwnd != Handle() && !::IsChild(Handle(), msg.hwnd)) return false;
  if (FAccel && !IsEditBoxKey(msg) && ::TranslateAcceleratorW(Handle(), FAccel.Get(), &msg)) return true;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && ::GetKeyState(VK_CONTROL) >= 0 &&
      ::GetKeyState(VK_MENU) >= 0) {
    LRESULT code = ::SendMessageW(msg.hwnd, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&msg));
    if (!(code & (DLGC_WANTTAB | DLGC_WANTMESSAGE))) {
      SelectNext(::GetKeyState(VK_SHIFT) < 0);
      return true;
    }
  }
  return false;
}

bool TForm::MenuCommand(WORD id) {
  if (FActions) {
    if (TAction* a = FActions->FindById(id)) {
      a->Execute();
      return true;
    }
  }
  return FMenu && FMenu->Click(id);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SHOWWINDOW:
      if (wParam && !FShown) {
        FShown = true;
        if (OnShow) OnShow(this);
      }
      break;
    case WM_DPICHANGED: {
      // Moved to a monitor of another DPI. The system's rectangle keeps the
      // window's place under the pointer; a move of our own (a stored
      // position on another monitor) already has the size it wants.
      const bool own = ApplyingBounds();
      const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
      ChangeFormDpi(LOWORD(wParam));
      if (!own && Handle())
        ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                       suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_INITMENUPOPUP:
      if (FMenu) FMenu->Popup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_NEXTDLGCTL:
      // Sent by controls that move on with Enter; forms handle it as dialogs do.
      if (LOWORD(lParam))
        ::SetFocus(reinterpret_cast<HWND>(wParam));
      else
        SelectNext(wParam != 0);
      return 0;
    case WM_ACTIVATE:
      // Give the focus back to the control that had it when the form was left.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND f = ::GetFocus();
        if (f && ::IsChild(Handle(), f)) FLastFocus = f;
      } else if (FLastFocus && ::IsWindow(FLastFocus) && ::IsChild(Handle(), FLastFocus) &&
                 ::IsWindowVisible(FLastFocus) && ::IsWindowEnabled(FLastFocus)) {
        ::SetFocus(FLastFocus);
        return 0;
      } else if (FDefaultControl && FDefaultControl->Handle() && ::IsWindowVisible(FDefaultControl->Handle())) {
        // Never the form itself: the keys would reach no control.
        ::SetFocus(FDefaultControl->Handle());
        return 0;
      }
      break;
    case WM_CLOSE: {
      TLifeGuard alive(this);
      bool canClose = true;
      if (OnCloseQuery) OnCloseQuery(this, canClose);
      if (!alive || !canClose) return 0;
      if (OnClose) OnClose(this);
      if (!alive) return 0;
      if (FModal) {
        if (FModalResult == mrNone) FModalResult = mrCancel;
      } else if (Handle()) {
        ::DestroyWindow(Handle());
      }
      return 0;
    }
    case WM_QUERYENDSESSION: {
      // Ending the session is a close request: the same question, and a
      // refusal keeps the session going.
      TLifeGuard alive(this);
      bool canClose = true;
      if (OnCloseQuery) OnCloseQuery(this, canClose);
      return canClose || !alive ? TRUE : FALSE;
    }
    case WM_ENDSESSION:
      // The process may be ended as soon as this returns, so the main form
      // closes here as a clean exit would, and writes what it writes then.
      if (wParam && Application().MainForm() == this) {
        TLifeGuard alive(this);
        if (OnClose) OnClose(this);
        if (alive && Handle()) ::DestroyWindow(Handle());
        return 0;
      }
      break;
    case WM_DESTROY: {
      const bool mainForm = Application().MainForm() == this;
      TLifeGuard alive(this);
      if (OnDestroy) OnDestroy(this);
      if (mainForm) ::PostQuitMessage(0);
      if (!alive) return 0;
      break;
    }
    default:
      break;
  }
  return TWindow::WndProc(msg, wParam, lParam);
}

}  // namespace fw
