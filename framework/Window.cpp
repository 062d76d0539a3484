#include "framework/Window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "framework/Accessible.h"
#include "framework/Theme.h"
#include <map>
#include <unordered_map>

#include "core/controls/uDpiScale.h"
#include "core/sampling/uMonitorLayout.h"
#include "core/support/Exception.h"
#include "framework/Handles.h"

namespace fw {

namespace {

// The object behind each window of this program, and for subclassed system
// controls the procedure they had. A lookup in the process instead of a
// window property: under Wine every property read is a server round trip,
// and this one happens for every message.
struct TBinding {
  TWindow* Object = nullptr;
  WNDPROC Original = nullptr;  // null for the program's own classes
};

TWindowHost*& Host() noexcept {
  static TWindowHost* host = nullptr;
  return host;
}

HINSTANCE ModuleHandle() noexcept { return Host() ? Host()->ModuleHandle() : ::GetModuleHandleW(nullptr); }

void ReportException() noexcept {
  if (Host()) Host()->HandleException();
}

std::unordered_map<HWND, TBinding>& Bindings() {
  static std::unordered_map<HWND, TBinding> bindings;
  return bindings;
}

const wchar_t* OwnClassName(UINT classStyle) {
  // One registered class per class style; the names live for the process.
  static std::map<UINT, std::wstring> names;
  auto it = names.find(classStyle);
  if (it != names.end()) return it->second.c_str();
  wchar_t name[48];
  wsprintfW(name, L"TintraWindow%X", classStyle);
  return names.emplace(classStyle, name).first->second.c_str();
}

}  // namespace

TShiftState TShiftState::FromKeyFlags(WPARAM flags) noexcept {
  TShiftState s;
  s.Shift = (flags & MK_SHIFT) != 0;
  s.Ctrl = (flags & MK_CONTROL) != 0;
  s.Alt = TDeferredKey::Of(VK_MENU);
  s.Left = (flags & MK_LBUTTON) != 0;
  s.Right = (flags & MK_RBUTTON) != 0;
  s.Middle = (flags & MK_MBUTTON) != 0;
  return s;
}

TShiftState TShiftState::FromKeyboard() noexcept {
  TShiftState s;
  s.Shift = ::GetKeyState(VK_SHIFT) < 0;
  s.Ctrl = ::GetKeyState(VK_CONTROL) < 0;
  s.Alt = ::GetKeyState(VK_MENU) < 0;
  s.Left = ::GetKeyState(VK_LBUTTON) < 0;
  s.Right = ::GetKeyState(VK_RBUTTON) < 0;
  s.Middle = ::GetKeyState(VK_MBUTTON) < 0;
  return s;
}

TWindow::TWindow() = default;

TWindow::~TWindow() {
  // Whoever is still inside one of this window's messages must not touch it again.
  for (TLifeGuard* guard = FGuards; guard; guard = guard->FOuter) guard->FGone = true;
  FGuards = nullptr;
  FReleasePending = false;
  for (TWindow* child : FChildren) child->FParent = nullptr;
  FChildren.clear();
  if (FParent) FParent->RemoveChild(this);
  FParent = nullptr;
  // Only this class's handlers hear of it now (see the lifetime note).
  DestroyHandle();
}

void* TWindow::operator new(std::size_t size) { return ::operator new(size); }

void TWindow::operator delete(void* memory) noexcept { ::operator delete(memory); }

void TWindow::operator delete(TWindow* window, std::destroying_delete_t) noexcept {
  window->DestroyHandle();
  // The whole object's address, taken while its dynamic type is still known.
  void* memory = dynamic_cast<void*>(window);
  window->~TWindow();
  ::operator delete(memory);
}

// GCC sees a local guard's address stored in the window, not that the
// guard's destructor takes it out again.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#endif
TWindow::TLifeGuard::TLifeGuard(TWindow* window) noexcept : FWindow(window), FOuter(window->FGuards) {
  window->FGuards = this;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

TWindow::TLifeGuard::~TLifeGuard() {
  if (FGone) return;
  FWindow->FGuards = FOuter;
  if (!FOuter && FWindow->FReleasePending) delete FWindow;
}

void TWindow::Release() noexcept {
  TLifeGuard alive(this);
  DestroyHandle();
  // Deleted when the last guard goes: this one, unless a message is still running.
  if (alive) FReleasePending = true;
}

void TWindow::DestroyHandle() noexcept {
  if (!FHandle) return;
  TLifeGuard alive(this);
  ::DestroyWindow(FHandle);
  // WM_NCDESTROY has detached it, unless the system refused (another thread's window).
  if (alive && FHandle) Detach();
}

void TWindow::SetHost(TWindowHost* host) noexcept { Host() = host; }

TWindow* TWindow::FromHandle(HWND wnd) noexcept {
  if (!wnd) return nullptr;
  const auto& bindings = Bindings();
  const auto it = bindings.find(wnd);
  return it == bindings.end() ? nullptr : it->second.Object;
}

void TWindow::AddChild(TWindow* child) { FChildren.push_back(child); }

void TWindow::RemoveChild(TWindow* child) {
  FChildren.erase(std::remove(FChildren.begin(), FChildren.end(), child), FChildren.end());
}

namespace {

// IDs stay within 16 bits: WM_COMMAND carries them in a word.
int NextAutoControlId() noexcept {
  static int next = TWindow::kFirstAutoControlId;
  const int id = next;
  next = next == TWindow::kLastAutoControlId ? TWindow::kFirstAutoControlId : next + 1;
  return id;
}

}  // namespace

void TWindow::CreateHandle(TWindow* parent, TCreateParams params) {
  FCreatedType = &typeid(*this);
  CreateParams(params);
  if (FParent != parent) {
    if (FParent) FParent->RemoveChild(this);
    FParent = parent;
    if (FParent) FParent->AddChild(this);
  }
  if (FVisible) params.Style |= WS_VISIBLE;
  if (!FEnabled) params.Style |= WS_DISABLED;
  if (params.Text.empty()) params.Text = FText;
  HWND parentWnd = parent ? parent->Handle() : params.MessageOnly ? HWND_MESSAGE : nullptr;
  if (!parent) params.Style &= ~WS_CHILD;
  if ((params.Style & WS_CHILD) && !params.Menu) {
    if (FControlId == 0) FControlId = NextAutoControlId();
    params.Menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(FControlId));
  }
  if (parent && (params.Style & WS_CHILD) && parent->FDpi != FDpi) {
    // Made later inside a window already at another DPI: the bounds given
    // before were designed at the DPI of their time.
    ScaleSetBounds(parent->FDpi);
    FDpi = parent->FDpi;
  }
  int x = FLeft, y = FTop, w = FWidth, h = FHeight;
  HWND wnd;
  if (params.ClassName) {
    wnd = ::CreateWindowExW(params.ExStyle, params.ClassName, params.Text.c_str(), params.Style, x, y, w, h, parentWnd,
                            params.Menu, ModuleHandle(), nullptr);
    if (!wnd) throw Exception(L"TWindow.CreateHandle: CreateWindowEx failed");
    Attach(wnd);
    FSubclassed = true;
    // Set before the procedure changes, so the first message finds it.
    Bindings()[wnd].Original = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(wnd, GWLP_WNDPROC));
    ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticSubclassProc));
  } else {
    const wchar_t* cls = OwnClassName(params.ClassStyle);
    WNDCLASSEXW wc{sizeof(wc)};
    if (!::GetClassInfoExW(ModuleHandle(), cls, &wc)) {
      wc.cbSize = sizeof(wc);
      wc.style = params.ClassStyle;
      wc.lpfnWndProc = StaticWndProc;
      wc.hInstance = ModuleHandle();
      wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
      wc.hIcon = Host() ? Host()->WindowIcon() : nullptr;
      wc.lpszClassName = cls;
      if (!::RegisterClassExW(&wc)) throw Exception(L"TWindow.CreateHandle: RegisterClassEx failed");
    }
    wnd = ::CreateWindowExW(params.ExStyle, cls, params.Text.c_str(), params.Style, x, y, w, h, parentWnd, params.Menu,
                            ModuleHandle(), this);
    if (!wnd) throw Exception(L"TWindow.CreateHandle: CreateWindowEx failed");
  }
  if (!FFont && FParent) FFont = FParent->FFont;  // children take the parent's font
  if (FFont) ::SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(FFont), FALSE);
  if (params.Cursor) FCursor = params.Cursor;
  CaptureBounds();
  HandleCreated();
  if (FParent && FAlign != TAlign::alNone) FParent->Realign();
}

void TWindow::RecreateHandle(TCreateParams params) {
  if (FHandle) {
    FText = Text();
    // Children of this window die with it; they are re-created by their owners.
    DestroyHandle();
  }
  CreateHandle(FParent, std::move(params));
}

void TWindow::Attach(HWND wnd) {
  FHandle = wnd;
  Bindings()[wnd] = TBinding{this, nullptr};
}

void TWindow::Detach() {
  if (!FHandle) return;
  auto& bindings = Bindings();
  const auto it = bindings.find(FHandle);
  if (it != bindings.end() && it->second.Object == this) {
    const auto ours = reinterpret_cast<LONG_PTR>(&StaticSubclassProc);
    if (!FSubclassed || !::IsWindow(FHandle)) {
      bindings.erase(it);
    } else if (::GetWindowLongPtrW(FHandle, GWLP_WNDPROC) == ours) {
      ::SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.Original));
      bindings.erase(it);
    } else {
      // Subclassed again on top of us: keep passing messages through until
      // the window is gone.
      it->second.Object = nullptr;
    }
  }
  FSubclassed = false;
  FHandle = nullptr;
}

LRESULT CALLBACK TWindow::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* self = nullptr;
  try {
    if (msg == WM_NCCREATE) {
      self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      if (self) self->Attach(wnd);
    } else {
      self = FromHandle(wnd);
    }
  } catch (...) {
    return msg == WM_NCCREATE ? FALSE : ::DefWindowProcW(wnd, msg, wParam, lParam);
  }
  if (!self) return ::DefWindowProcW(wnd, msg, wParam, lParam);
  LRESULT result = 0;
  TLifeGuard alive(self);
  try {
    result = self->Dispatch(msg, wParam, lParam);
  } catch (...) {
    ReportException();
  }
  if (msg == WM_NCDESTROY && alive) self->Detach();
  return result;
}

LRESULT CALLBACK TWindow::StaticSubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto& bindings = Bindings();
  auto it = bindings.find(wnd);
  if (it == bindings.end()) return ::DefWindowProcW(wnd, msg, wParam, lParam);  // cannot happen
  const TBinding binding = it->second;
  if (!binding.Object) {
    const LRESULT result = ::CallWindowProcW(binding.Original, wnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) bindings.erase(wnd);
    return result;
  }
  LRESULT result = 0;
  TLifeGuard alive(binding.Object);
  try {
    result = binding.Object->Dispatch(msg, wParam, lParam);
  } catch (...) {
    ReportException();
  }
  if (msg == WM_NCDESTROY) {
    if (alive) binding.Object->Detach();
    result = ::CallWindowProcW(binding.Original, wnd, msg, wParam, lParam);
    bindings.erase(wnd);
  }
  return result;
}

void TWindow::SetAccessibleSource(TAccessibleSource* source) {
  FAccessibility.reset();
  if (source) FAccessibility = std::make_unique<TAccessibility>(*this, *source);
}

void TWindow::NotifyAccessible(DWORD event, long child) const noexcept {
  if (FAccessibility) FAccessibility->Notify(event, child);
}

LRESULT TWindow::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETOBJECT && FAccessibility) {
    if (const LRESULT answer = FAccessibility->Answer(wParam, lParam)) return answer;
  }
  if (msg == WM_DESTROY && FAccessibility) FAccessibility->Disconnect();
  if (msg == WM_NCDESTROY) {
    HandleDestroying();
    return FSubclassed ? 0 : ::DefWindowProcW(FHandle, msg, wParam, lParam);
  }
  return WndProc(msg, wParam, lParam);
}

LRESULT TWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Destroyed by the handler that ran before: nothing is left to process it.
  if (!FHandle) return 0;
  if (FSubclassed) {
    const auto& bindings = Bindings();
    const auto it = bindings.find(FHandle);
    if (it != bindings.end() && it->second.Original)
      return ::CallWindowProcW(it->second.Original, FHandle, msg, wParam, lParam);
  }
  return ::DefWindowProcW(FHandle, msg, wParam, lParam);
}

LRESULT TWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  // Any handler below may end this window; every path that goes on checks.
  TLifeGuard alive(this);
  switch (msg) {
    case WM_SIZE: {
      LRESULT r = DefaultProc(msg, wParam, lParam);
      if (!FApplyingBounds) CaptureBounds();
      WMSize(LOWORD(lParam), HIWORD(lParam));
      if (!alive) return r;
      Realign();
      for (TWindow* child : std::vector<TWindow*>(FChildren)) {
        child->ParentResized();
        if (!alive) return r;
      }
      if (OnResize) OnResize(this);
      return r;
    }
    case WM_SETTINGCHANGE:
      // High contrast on or off: the whole palette changes, as with new colours.
      if (wParam == SPI_SETHIGHCONTRAST && !FParent) return ::SendMessageW(FHandle, WM_SYSCOLORCHANGE, 0, 0);
      break;
    case WM_SYSCOLORCHANGE: {
      // Only top-level windows hear of it; each window passes it on, so
      // every control can rebuild what it drew in system colours.
      if (!FParent) RefreshTheme();
      LRESULT r = DefaultProc(msg, wParam, lParam);
      // Handles, not objects: a child may go while another one is told.
      std::vector<HWND> children;
      for (TWindow* child : FChildren)
        if (child->FHandle) children.push_back(child->FHandle);
      for (HWND child : children)
        if (::IsWindow(child)) ::SendMessageW(child, WM_SYSCOLORCHANGE, wParam, lParam);
      if (!FParent) ::RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
      return r;
    }
    case WM_MOVE: {
      LRESULT r = DefaultProc(msg, wParam, lParam);
      if (!FApplyingBounds) CaptureBounds();
      return r;
    }
    case WM_PAINT: {
      if (FSubclassed) break;
      TPaintDC dc(FHandle);
      Paint(dc.Get(), dc.Info().rcPaint);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT r = ClientRect();
      if (Paint(reinterpret_cast<HDC>(wParam), r)) return 0;
      break;
    }
    case WM_ERASEBKGND:
      if (WMEraseBkgnd(reinterpret_cast<HDC>(wParam))) return 1;
      if (!FSubclassed) {
        RECT r = ClientRect();
        ::FillRect(reinterpret_cast<HDC>(wParam), &r, ThemeBrush(TThemeRole::Face));
        return 1;
      }
      break;
    case WM_SETCURSOR:
      if (FCursor && LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == FHandle) {
        ::SetCursor(FCursor);
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      TMouseButton b = msg == WM_LBUTTONDOWN   ? TMouseButton::mbLeft
                       : msg == WM_RBUTTONDOWN ? TMouseButton::mbRight
                                               : TMouseButton::mbMiddle;
      if (WMMouseDown(b, TShiftState::FromKeyFlags(wParam), x, y)) return 0;
      break;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      TMouseButton b = msg == WM_LBUTTONDBLCLK   ? TMouseButton::mbLeft
                       : msg == WM_RBUTTONDBLCLK ? TMouseButton::mbRight
                                                 : TMouseButton::mbMiddle;
      if (WMDoubleClick(b, TShiftState::FromKeyFlags(wParam), x, y)) return 0;
      // A double click also counts as a press, as the second press of a pair.
      if (WMMouseDown(b, TShiftState::FromKeyFlags(wParam), x, y)) return 0;
      break;
    }
    case WM_MOUSEMOVE:
      if (WMMouseMove(TShiftState::FromKeyFlags(wParam), x, y)) return 0;
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      TMouseButton b = msg == WM_LBUTTONUP   ? TMouseButton::mbLeft
                       : msg == WM_RBUTTONUP ? TMouseButton::mbRight
                                             : TMouseButton::mbMiddle;
      if (WMMouseUp(b, TShiftState::FromKeyFlags(wParam), x, y)) return 0;
      break;
    }
    case WM_MOUSEWHEEL:
      if (WMMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), TShiftState::FromKeyFlags(GET_KEYSTATE_WPARAM(wParam)), x, y))
        return 0;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(wParam);
      if (WMKeyDown(key, TShiftState::FromKeyboard()) || key == 0) return 0;
      wParam = key;
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(wParam);
      if (WMKeyUp(key, TShiftState::FromKeyboard()) || key == 0) return 0;
      wParam = key;
      break;
    }
    case WM_CHAR: {
      wchar_t ch = static_cast<wchar_t>(wParam);
      WMChar(ch);
      if (ch == 0) return 0;
      wParam = ch;
      break;
    }
    case WM_TIMER:
      WMTimer(wParam);
      break;
    case WM_SETFOCUS: {
      // An edit's default processing tells its parent, whose handler may end the edit.
      LRESULT r = DefaultProc(msg, wParam, lParam);
      if (alive) WMSetFocus(reinterpret_cast<HWND>(wParam));
      return r;
    }
    case WM_KILLFOCUS: {
      LRESULT r = DefaultProc(msg, wParam, lParam);
      if (alive) WMKillFocus(reinterpret_cast<HWND>(wParam));
      return r;
    }
    case WM_CAPTURECHANGED:
      WMCaptureChanged(reinterpret_cast<HWND>(lParam));
      break;
    case WM_CANCELMODE:
      WMCancelMode();
      break;
    case WM_COMMAND: {
      HWND ctl = reinterpret_cast<HWND>(lParam);
      if (ctl) {
        if (TWindow* child = FromHandle(ctl); child && child != this) {
          if (child->CNCommand(HIWORD(wParam), LOWORD(wParam))) return 0;
        }
      } else if (MenuCommand(LOWORD(wParam))) {
        return 0;
      }
      break;
    }
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      LRESULT result = 0;
      if (TWindow* child = FromHandle(hdr->hwndFrom); child && child != this) {
        if (child->CNNotify(hdr, result)) return result;
      }
      // Tool tips of a tool bar send through the tool bar's parent, not the
      // bar. Handles, not objects: a handler may add or end children.
      if (hdr->code == TTN_GETDISPINFOW && alive) {
        std::vector<HWND> children;
        for (TWindow* c : FChildren)
          if (c->FHandle) children.push_back(c->FHandle);
        for (HWND wnd : children) {
          TWindow* c = FromHandle(wnd);
          if (!c || c->FParent != this) continue;
          if (c->CNNotify(hdr, result)) return result;
          if (!alive) return 0;
        }
      }
      break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (TWindow* child = FromHandle(reinterpret_cast<HWND>(lParam)); child && child != this) {
        if (child->CNScroll(LOWORD(wParam), HIWORD(wParam))) return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (TWindow* child = FromHandle(reinterpret_cast<HWND>(lParam)); child && child != this) {
        if (HBRUSH b = child->CNCtlColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(b);
      }
      break;
    default:
      break;
  }
  return alive ? DefaultProc(msg, wParam, lParam) : 0;
}

RECT TWindow::ClientRect() const noexcept {
  RECT r{0, 0, FWidth, FHeight};
  if (FHandle) ::GetClientRect(FHandle, &r);
  return r;
}

int TWindow::ClientWidth() const noexcept {
  RECT r = ClientRect();
  return r.right - r.left;
}

int TWindow::ClientHeight() const noexcept {
  RECT r = ClientRect();
  return r.bottom - r.top;
}

void TWindow::CaptureBounds() {
  if (!FHandle) return;
  RECT r;
  ::GetWindowRect(FHandle, &r);
  HWND parent = ::GetParent(FHandle);
  if (parent && (::GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD))
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  FLeft = r.left;
  FTop = r.top;
  FWidth = r.right - r.left;
  FHeight = r.bottom - r.top;
}

void TWindow::ApplyBounds() {
  if (!FHandle) return;
  FApplyingBounds = true;
  ::SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  FApplyingBounds = false;
}

void TWindow::SetBounds(int left, int top, int width, int height) {
  FSetBounds = TRectI{left, top, left + width, top + height};
  FSetBoundsDpi = FDpi;
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  ApplyBounds();
  if (FParent && FAlign != TAlign::alNone) FParent->Realign();
}

int TWindow::Scaled(int designed) const noexcept { return LogicalToPhysical(designed, FDpi); }

void TWindow::CollectDpiTree(std::vector<TWindow*>& tree) {
  tree.push_back(this);
  for (TWindow* child : FChildren) {
    // Pop-ups that a control keeps as its children place themselves on the screen.
    if (child->FHandle && !(::GetWindowLongW(child->FHandle, GWL_STYLE) & WS_CHILD)) continue;
    child->CollectDpiTree(tree);
  }
}

bool TWindow::ScaleSetBounds(int dpi) noexcept {
  if (FSetBoundsDpi <= 0) return false;
  // By the edges, so controls that touch or keep apart at one DPI do so at any.
  const TRectI r = ScaleRectForDpi(FSetBounds, FSetBoundsDpi, dpi);
  FLeft = r.Left;
  FTop = r.Top;
  FWidth = r.Width();
  FHeight = r.Height();
  return true;
}

void TWindow::ChangeDpi(int dpi) {
  if (dpi <= 0) dpi = kDefaultDpi;
  if (dpi == FDpi) return;
  const int old = FDpi;
  std::vector<TWindow*> tree;
  CollectDpiTree(tree);
  // All first: a parent's resize places its children, which must read the new DPI.
  for (TWindow* w : tree) w->FDpi = dpi;
  for (TWindow* w : tree) {
    if (w != this && w->ScaleSetBounds(dpi)) w->ApplyBounds();
    w->DpiChanged(old, dpi);
  }
  for (TWindow* w : tree) w->Realign();
}

void TWindow::SetAlign(TAlign align) {
  if (FAlign == align) return;
  FAlign = align;
  if (FParent) FParent->Realign();
}

void TWindow::SetVisible(bool visible) {
  if (FVisible == visible) return;
  FVisible = visible;
  if (FHandle) ::ShowWindow(FHandle, visible ? SW_SHOWNA : SW_HIDE);
  if (FParent && FAlign != TAlign::alNone) FParent->Realign();
}

void TWindow::SetEnabled(bool enabled) {
  if (FEnabled == enabled) return;
  FEnabled = enabled;
  if (FHandle) ::EnableWindow(FHandle, enabled);
}

std::wstring TWindow::Text() const {
  if (!FHandle) return FText;
  int n = ::GetWindowTextLengthW(FHandle);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = ::GetWindowTextW(FHandle, s.data(), n + 1);
  s.resize(static_cast<size_t>(n));
  return s;
}

void TWindow::SetText(const std::wstring& text) {
  FText = text;
  if (FHandle) ::SetWindowTextW(FHandle, text.c_str());
}

void TWindow::SetFont(HFONT font) {
  FFont = font;
  if (FHandle) ::SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TWindow::Invalidate(bool erase) const noexcept {
  if (FHandle) ::InvalidateRect(FHandle, nullptr, erase);
}

void TWindow::Update() const noexcept {
  if (FHandle) ::UpdateWindow(FHandle);
}

void TWindow::SetFocus() noexcept {
  if (FHandle) ::SetFocus(FHandle);
}

bool TWindow::Focused() const noexcept { return FHandle && ::GetFocus() == FHandle; }

bool TWindow::CanFocus() const noexcept {
  for (HWND w = FHandle; w; w = ::GetParent(w)) {
    if (!::IsWindowVisible(w) || !::IsWindowEnabled(w)) return false;
    if (!(::GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) break;
  }
  return FHandle != nullptr;
}

void TWindow::Realign() {
  if (!FHandle) return;
  RECT r = ClientRect();
  auto place = [](TWindow* c, int l, int t, int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (c->FLeft == l && c->FTop == t && c->FWidth == w && c->FHeight == h) return;
    c->FLeft = l;
    c->FTop = t;
    c->FWidth = w;
    c->FHeight = h;
    c->ApplyBounds();
  };
  // Same order as form designers use: top, bottom, left, right, then client.
  // A copy: a size handler placed on the way may add or remove children.
  const std::vector<TWindow*> children = FChildren;
  for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    for (TWindow* c : children) {
      if (std::find(FChildren.begin(), FChildren.end(), c) == FChildren.end()) continue;  // gone meanwhile
      if (c->FAlign != pass || !c->FVisible) continue;
      switch (pass) {
        case TAlign::alTop:
          place(c, r.left, r.top, r.right - r.left, c->FHeight);
          r.top += c->FHeight;
          break;
        case TAlign::alBottom:
          place(c, r.left, r.bottom - c->FHeight, r.right - r.left, c->FHeight);
          r.bottom -= c->FHeight;
          break;
        case TAlign::alLeft:
          place(c, r.left, r.top, c->FWidth, r.bottom - r.top);
          r.left += c->FWidth;
          break;
        case TAlign::alRight:
          place(c, r.right - c->FWidth, r.top, c->FWidth, r.bottom - r.top);
          r.right -= c->FWidth;
          break;
        case TAlign::alClient:
          place(c, r.left, r.top, r.right - r.left, r.bottom - r.top);
          break;
        default:
          break;
      }
    }
  }
}

bool FocusCuesShown(HWND window) noexcept {
  return window && (::SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

void ShowFocusCues(HWND topLevel) noexcept {
  if (topLevel && !FocusCuesShown(topLevel))
    ::SendMessageW(topLevel, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

}  // namespace fw
