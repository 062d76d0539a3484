#pragma once
// One window base for the program's own window classes and for subclassed
// system controls: a single static window procedure binds `this`, unpacks
// the message once and calls typed virtual handlers.
#include <windows.h>

#include <functional>
#include <memory>
#include <new>
#include <string>
#include <typeinfo>
#include <vector>

#include "core/support/uGeometry.h"

namespace fw {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// A key's state read from the keyboard only when a handler asks, still
// within the message that carried it: under Wine each read is a server
// round trip, and mouse messages are many while few handlers look at Alt.
class TDeferredKey {
 public:
  constexpr TDeferredKey(bool down = false) noexcept : FDown(down) {}
  static TDeferredKey Of(int virtualKey) noexcept {
    TDeferredKey key;
    key.FKey = virtualKey;
    return key;
  }
  operator bool() const noexcept {
    if (FKey != 0) {
      FDown = ::GetKeyState(FKey) < 0;
      FKey = 0;
    }
    return FDown;
  }

 private:
  mutable int FKey = 0;
  mutable bool FDown = false;
};

// Modifier state as the handlers see it (from the message's key flags or the keyboard).
struct TShiftState {
  bool Shift = false, Ctrl = false;
  TDeferredKey Alt;
  bool Left = false, Right = false, Middle = false;
  static TShiftState FromKeyFlags(WPARAM flags) noexcept;
  static TShiftState FromKeyboard() noexcept;
};

// Common base of everything that sends events, so a handler can take any sender.
class TObject {
 public:
  virtual ~TObject() = default;
};
using TNotifyEvent = std::function<void(TObject* sender)>;

// What windows need from the program around them: the module their class is
// registered for, the class icon, and where an exception caught at a window
// procedure is reported. The application object registers itself; without
// it the module is the executable and nothing is reported.
class TWindowHost {
 public:
  virtual HINSTANCE ModuleHandle() const noexcept = 0;
  virtual HICON WindowIcon() const noexcept = 0;
  // Called from a catch block.
  virtual void HandleException() noexcept = 0;

 protected:
  ~TWindowHost() = default;
};

// Lifetime. The window dies with WM_NCDESTROY, where its binding goes;
// the object may outlive it. Destruction messages (WM_DESTROY,
// HandleDestroying) reach a derived class only while it still exists: a
// window deleted with delete (or a unique_ptr) has its handle destroyed
// before any destructor runs; one that ends with its scope (a member, on the
// stack) is destroyed by the destructor of the class it was created as if
// that class calls DestroyHandle(), and otherwise by the base, where derived
// handlers no longer run (forms check this).
// Inside one of its own handlers a window is ended with Release() (or by
// resetting a TWindowPtr): the handle goes at once, the object when the
// outermost message of this window has returned. A plain delete there is
// survived by the base class, which touches nothing after a handler that
// deleted it; a derived handler checks a TLifeGuard before going on.
class TAccessibility;
class TAccessibleSource;

class TWindow : public TObject {
 public:
  TWindow();
  ~TWindow() override;
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  static void* operator new(std::size_t size);
  // Destroys the handle while every derived part still exists, then the object.
  static void operator delete(TWindow* window, std::destroying_delete_t) noexcept;
  // For a constructor that throws inside new.
  static void operator delete(void* memory) noexcept;

  static TWindow* FromHandle(HWND wnd) noexcept;
  static void SetHost(TWindowHost* host) noexcept;

  // Tells whether the window object survived a call that may delete it.
  // Guards nest; while any exists, Release() waits for the last to go.
  class TLifeGuard {
   public:
    explicit TLifeGuard(TWindow* window) noexcept;
    ~TLifeGuard();
    TLifeGuard(const TLifeGuard&) = delete;
    TLifeGuard& operator=(const TLifeGuard&) = delete;
    explicit operator bool() const noexcept { return !FGone; }

   private:
    friend class TWindow;
    TWindow* FWindow;
    TLifeGuard* FOuter;
    bool FGone = false;
  };

  // For windows made with new: destroys the handle now and deletes the
  // object now or, inside its own messages, when the outermost returns.
  void Release() noexcept;

  HWND Handle() const noexcept { return FHandle; }
  bool HandleAllocated() const noexcept { return FHandle != nullptr; }

  // Screen readers read the window through source from now on (the system's
  // own object when null); it must live as long as the window.
  void SetAccessibleSource(TAccessibleSource* source);
  // After a change a screen reader should hear of, with the changed part.
  void NotifyAccessible(DWORD event, long child = 0) const noexcept;
  TWindow* Parent() const noexcept { return FParent; }
  const std::vector<TWindow*>& Children() const noexcept { return FChildren; }

  // Geometry in the parent's client coordinates.
  int Left() const noexcept { return FLeft; }
  int Top() const noexcept { return FTop; }
  int Width() const noexcept { return FWidth; }
  int Height() const noexcept { return FHeight; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  RECT ClientRect() const noexcept;
  int ClientWidth() const noexcept;
  int ClientHeight() const noexcept;

  TAlign Align() const noexcept { return FAlign; }
  void SetAlign(TAlign align);

  bool Visible() const noexcept { return FVisible; }
  virtual void SetVisible(bool visible);
  bool Enabled() const noexcept { return FEnabled; }
  virtual void SetEnabled(bool enabled);

  int Tag() const noexcept { return FTag; }
  void SetTag(int tag) noexcept { FTag = tag; }
  // The child window's ID (GetDlgCtrlID), set before the window is created;
  // a child without one gets a distinct ID from the framework's own range.
  int ControlId() const noexcept { return FControlId; }
  void SetControlId(int id) noexcept { FControlId = id; }
  static constexpr int kFirstAutoControlId = 0x4000;
  static constexpr int kLastAutoControlId = 0x7FFF;

  int TabOrder() const noexcept { return FTabOrder; }
  void SetTabOrder(int order) noexcept { FTabOrder = order; }

  std::wstring Text() const;
  void SetText(const std::wstring& text);

  HFONT Font() const noexcept { return FFont; }
  // The font is not owned; the form owns the one it hands down.
  void SetFont(HFONT font);

  // Cursor shown over the client area; null keeps the class cursor.
  HCURSOR Cursor() const noexcept { return FCursor; }
  void SetCursor(HCURSOR cursor) noexcept { FCursor = cursor; }

  void Invalidate(bool erase = false) const noexcept;
  void Update() const noexcept;
  void SetFocus() noexcept;
  bool Focused() const noexcept;
  bool CanFocus() const noexcept;

  // Lays out the aligned children inside the client area.
  void Realign();

  // The DPI this window's pixels are at: 96, the DPI its layout numbers are
  // written for, until its form takes the DPI of its monitor.
  int Dpi() const noexcept { return FDpi; }
  // A length designed at 96 DPI, in this window's pixels.
  int Scaled(int designed) const noexcept;
  // Takes the window and its child windows to another DPI. Each child's
  // bounds come from those last given to SetBounds, at the DPI they were
  // given at (the designed numbers, unless changed since), so going back
  // and forth adds no rounding; then each scales what else it draws.
  void ChangeDpi(int dpi);

  TNotifyEvent OnResize;

 protected:
  struct TCreateParams {
    const wchar_t* ClassName = nullptr;  // null: the program's own window class
    DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ExStyle = 0;
    std::wstring Text;
    HMENU Menu = nullptr;
    UINT ClassStyle = CS_DBLCLKS;
    HCURSOR Cursor = nullptr;
    HBRUSH Background = nullptr;
    // A message-only window (no parent given): never shown, enumerated or activated.
    bool MessageOnly = false;
  };

  // Creates the window as a child of parent (or top level when parent is null).
  void CreateHandle(TWindow* parent, TCreateParams params);
  // Destroys the handle while the whole object, derived parts too, exists.
  void DestroyHandle() noexcept;
  // Inside a destructor: true when type is the class the window was created
  // as, so the handlers of that class are still whole.
  bool CreatedAs(const std::type_info& type) const noexcept { return !FCreatedType || *FCreatedType == type; }
  // Destroys and creates the window again with new parameters (style changes that need it).
  void RecreateHandle(TCreateParams params);
  virtual void CreateParams(TCreateParams& /*params*/) {}

  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

  // Typed handlers; returning false lets the default processing run.
  virtual void HandleCreated() {}
  virtual void HandleDestroying() {}
  virtual void WMSize(int /*cx*/, int /*cy*/) {}
  // After the parent's size changed and its aligned children were laid out:
  // for controls kept at a distance from the parent's edges.
  virtual void ParentResized() {}
  // Inside ChangeDpi, once this window's bounds are at the new DPI; every
  // window of the tree already answers Dpi() with the new value.
  virtual void DpiChanged(int /*oldDpi*/, int /*newDpi*/) {}
  // True inside this window's own move or resize.
  bool ApplyingBounds() const noexcept { return FApplyingBounds; }
  // Drawing, from WM_PAINT and WM_PRINTCLIENT alike; false means "not painted here".
  virtual bool Paint(HDC /*dc*/, const RECT& /*clip*/) { return false; }
  virtual bool WMEraseBkgnd(HDC /*dc*/) { return false; }
  virtual bool WMMouseDown(TMouseButton, TShiftState, int /*x*/, int /*y*/) { return false; }
  virtual bool WMMouseMove(TShiftState, int /*x*/, int /*y*/) { return false; }
  virtual bool WMMouseUp(TMouseButton, TShiftState, int /*x*/, int /*y*/) { return false; }
  virtual bool WMDoubleClick(TMouseButton, TShiftState, int /*x*/, int /*y*/) { return false; }
  virtual bool WMMouseWheel(int /*delta*/, TShiftState, int /*screenX*/, int /*screenY*/) { return false; }
  virtual bool WMKeyDown(WORD& /*key*/, TShiftState) { return false; }
  virtual bool WMKeyUp(WORD& /*key*/, TShiftState) { return false; }
  // The character may be changed; setting it to 0 swallows the key.
  virtual void WMChar(wchar_t& /*key*/) {}
  // The control's default processing runs after it: system controls have timers of their own.
  virtual void WMTimer(UINT_PTR /*id*/) {}
  virtual void WMSetFocus(HWND /*previous*/) {}
  virtual void WMKillFocus(HWND /*next*/) {}
  virtual void WMCaptureChanged(HWND /*newCapture*/) {}
  virtual void WMCancelMode() {}
  // Notifications reflected from the parent to the control that sent them.
  virtual bool CNCommand(WORD /*code*/, WORD /*id*/) { return false; }
  virtual bool CNNotify(NMHDR* /*hdr*/, LRESULT& /*result*/) { return false; }
  virtual HBRUSH CNCtlColor(HDC /*dc*/) { return nullptr; }
  // WM_HSCROLL and WM_VSCROLL of a control (track bars notify that way).
  virtual bool CNScroll(WORD /*code*/, WORD /*position*/) { return false; }
  // Menu and accelerator commands (WM_COMMAND without a control).
  virtual bool MenuCommand(WORD /*id*/) { return false; }

 private:
  static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK StaticSubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  void Attach(HWND wnd);
  void Detach();
  void AddChild(TWindow* child);
  void RemoveChild(TWindow* child);
  void ApplyBounds();
  void CaptureBounds();
  void CollectDpiTree(std::vector<TWindow*>& tree);
  // The bounds last given to SetBounds, at dpi; false when none were given.
  bool ScaleSetBounds(int dpi) noexcept;

  HWND FHandle = nullptr;
  const std::type_info* FCreatedType = nullptr;
  TWindow* FParent = nullptr;
  std::unique_ptr<TAccessibility> FAccessibility;
  std::vector<TWindow*> FChildren;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  int FDpi = 96;
  // What SetBounds was last given, and the DPI it was given at (0: never).
  TRectI FSetBounds{0, 0, 0, 0};
  int FSetBoundsDpi = 0;
  TAlign FAlign = TAlign::alNone;
  bool FVisible = true;
  bool FEnabled = true;
  bool FSubclassed = false;
  bool FApplyingBounds = false;
  int FTag = 0;
  int FControlId = 0;
  int FTabOrder = 0;
  HFONT FFont = nullptr;
  HCURSOR FCursor = nullptr;
  std::wstring FText;
  TLifeGuard* FGuards = nullptr;  // innermost first
  bool FReleasePending = false;
};

// Owns a window made with new; reset or destruction releases it, so the
// owner may drop it from inside the window's own handlers.
struct TReleaseWindow {
  void operator()(TWindow* window) const noexcept { window->Release(); }
};
template <typename T>
using TWindowPtr = std::unique_ptr<T, TReleaseWindow>;

// Focus rectangles show once the keyboard is in use (the window's UI state).
bool FocusCuesShown(HWND window) noexcept;
// The keyboard moved the focus: cues show from now on in the whole window.
void ShowFocusCues(HWND topLevel) noexcept;

}  // namespace fw
