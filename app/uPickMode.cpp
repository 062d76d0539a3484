#include "app/uPickMode.h"

#include <memory>
#include <utility>

#include "app/resources/StringIds.h"
#include "app/uScreenSampler.h"
#include "app/uUiText.h"
#include "core/colorout/uColorNames.h"
#include "core/colorout/uCopyFormats.h"
#include "core/sampling/uLoupePlacement.h"
#include "core/sampling/uNudge.h"
#include "core/sampling/uZoomView.h"
#include "framework/Application.h"
#include "framework/Cursors.h"
#include "framework/Dpi.h"
#include "framework/Handles.h"
#include "framework/Theme.h"

namespace {

// Posted by the hooks, which must not do the work inside the input path.
enum : UINT { kMsgMove = WM_APP + 1, kMsgPick, kMsgCancel, kMsgKey, kMsgWheel, kMsgUnhook };
enum : UINT_PTR { kFollowTimer = 1, kReleaseTimer = 2 };
// The pointer is asked at this rate besides the hook's moves: under Wine a
// pointer over a window of no Wine program moves without any event.
constexpr UINT kFollowMs = 15;
// A release that never comes (the button let go while the hook was not
// asked) must not keep the hook for ever.
constexpr UINT kReleaseWaitMs = 1000;

bool IsPickKey(DWORD key) {
  switch (key) {
    case VK_ESCAPE:
    case VK_RETURN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case 'F':
    case VK_ADD:
    case VK_SUBTRACT:
    case VK_OEM_PLUS:
    case VK_OEM_MINUS:
      return true;
    default:
      return false;
  }
}

int ButtonBit(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return 4;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
      return 8;
    default:
      return 0;
  }
}

}  // namespace

// Takes what the hooks post and the timers, in the pick's own thread.
class TPickMode::TMessageWindow : public fw::TWindow {
 public:
  explicit TMessageWindow(TPickMode& owner) : FOwner(owner) {
    TCreateParams p;
    p.Style = WS_POPUP;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    SetVisible(false);
    CreateHandle(nullptr, p);
  }
  ~TMessageWindow() override { DestroyHandle(); }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if ((msg >= kMsgMove && msg <= kMsgUnhook) || msg == WM_TIMER) {
      fw::Guarded([&] { FOwner.Handle(msg, wParam, lParam); });
      return 0;
    }
    return fw::TWindow::WndProc(msg, wParam, lParam);
  }

 private:
  TPickMode& FOwner;
};

TPickMode::TPickMode() {
  FHook.OnMouse = [this](UINT message, POINT at, int delta) { return HookMouse(message, at, delta); };
  FHook.OnKey = [this](UINT message, DWORD key) { return HookKey(message, key); };
}

TPickMode::~TPickMode() {
  FHook.Remove();
  delete FWindow;
}

bool TPickMode::Start(const TPickRequest& request) {
  if (FActive) return false;
  if (!FWindow) FWindow = new TMessageWindow(*this);
  if (!FLoupe.Handle()) FLoupe.Create(UiText(IDS_PICK_LOUPE_TITLE));
  if (!FHook.Install()) return false;
  ::KillTimer(FWindow->Handle(), kReleaseTimer);
  FMonitors = fw::DisplayMonitors();
  FSampling = request.Sampling;
  FZoom = ZoomStep(request.Zoom, 0);
  FColor.reset();
  FLast = POINT{INT_MIN, INT_MIN};
  FActive = true;
  FRaise = true;
  FCursor = std::make_unique<fw::TSystemCursorScope>(fw::CursorEntry(crSpoit));
  if (request.Freeze) FFrozen.Freeze(FMonitors, fw::CursorEntry(crSpoit), UiText(IDS_PICK_FROZEN_TITLE));
  if (request.StartAt) ::SetCursorPos(request.StartAt->x, request.StartAt->y);
  ::SetTimer(FWindow->Handle(), kFollowTimer, kFollowMs, nullptr);
  Follow();
  return true;
}

void TPickMode::Cancel() { Finish(false); }

bool TPickMode::HookMouse(UINT message, POINT, int wheelDelta) {
  if (!FActive && FButtonsDown == 0) return false;
  const HWND wnd = FWindow ? FWindow->Handle() : nullptr;
  if (message == WM_MOUSEMOVE) {
    if (FActive && !FMovePosted && wnd) FMovePosted = ::PostMessageW(wnd, kMsgMove, 0, 0) != FALSE;
    return false;
  }
  if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) {
    if (FActive && message == WM_MOUSEWHEEL && wnd) ::PostMessageW(wnd, kMsgWheel, static_cast<WPARAM>(wheelDelta), 0);
    return FActive;
  }
  const int bit = ButtonBit(message);
  if (bit == 0) return false;
  const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
                    message == WM_XBUTTONDOWN;
  if (down) {
    if (!FActive) return false;
    FButtonsDown |= bit;
    if (wnd && bit == 1) ::PostMessageW(wnd, kMsgPick, 0, 0);
    if (wnd && bit == 2) ::PostMessageW(wnd, kMsgCancel, 0, 0);
    return true;
  }
  if (!(FButtonsDown & bit)) return false;
  FButtonsDown &= ~bit;
  if (!FActive && FButtonsDown == 0 && wnd) ::PostMessageW(wnd, kMsgUnhook, 0, 0);
  return true;
}

bool TPickMode::HookKey(UINT message, DWORD key) {
  if (!FActive || !IsPickKey(key)) return false;
  if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && FWindow)
    ::PostMessageW(FWindow->Handle(), kMsgKey, key, 0);
  return true;
}

void TPickMode::Handle(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case kMsgMove:
      FMovePosted = false;
      Follow();
      return;
    case kMsgPick:
      Finish(true);
      return;
    case kMsgCancel:
      Finish(false);
      return;
    case kMsgUnhook:
      EndHook();
      return;
    case kMsgWheel:
      if (const int notches = FWheel.Take(static_cast<int>(static_cast<INT_PTR>(wParam))))
        SetZoom(ZoomStep(FZoom, notches));
      return;
    case WM_TIMER:
      if (wParam == kFollowTimer) Follow();
      if (wParam == kReleaseTimer) EndHook();
      return;
    case kMsgKey:
      break;
    default:
      return;
  }
  if (!FActive) return;
  switch (const DWORD key = static_cast<DWORD>(wParam)) {
    case VK_ESCAPE:
      Finish(false);
      return;
    case VK_RETURN:
      Finish(true);
      return;
    case 'F':
      ToggleFreeze();
      return;
    case VK_ADD:
    case VK_OEM_PLUS:
      SetZoom(ZoomStep(FZoom, 1));
      return;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
      SetZoom(ZoomStep(FZoom, -1));
      return;
    default:
      Nudge(key);
  }
}

void TPickMode::Follow() {
  if (!FActive) return;
  POINT p{};
  if (CursorPos)
    p = CursorPos();
  else if (!::GetCursorPos(&p))
    return;
  if (p.x != FLast.x || p.y != FLast.y) Update(p);
}

void TPickMode::Update(POINT at) {
  FLast = at;
  const TPointI pointer{at.x, at.y};
  const int index = NearestMonitor(FMonitors, pointer);
  const int dpi = index >= 0 ? FMonitors[static_cast<std::size_t>(index)].Dpi : kDefaultDpi;
  const TZoomGeometry view = TLoupeWindow::ViewGeometry(dpi, FZoom);
  const TRectI keepOut = CaptureRect(view, FSampling.Size);
  const TLoupePlacement place = PlaceLoupe(FMonitors, pointer, TLoupeWindow::kWidth, TLoupeWindow::kHeight, keepOut);
  // Moved first: the copy must not catch the loupe where it was. Raised
  // when it first shows and when the frozen screen came over it.
  const TLoupePlacement shown{FLoupe.Bounds(), FLoupe.LoupeDpi()};
  if (FRaise || !LoupeMayStay(FMonitors, pointer, keepOut, shown, place))
    FLoupe.PlaceAt(place.Bounds, place.Dpi, std::exchange(FRaise, false));
  const COLORREF fill = fw::ThemeColor(fw::TThemeRole::Face);
  if (const std::optional<TPixelSource> frozen = FFrozen.Source()) {
    FLoupe.Capture.Capture(*frozen, at, view, FSampling.Size, FMonitors, fill);
  } else {
    fw::TWindowDC screen(nullptr);
    FLoupe.Capture.Capture(TPixelSource{screen.Get(), {}}, at, view, FSampling.Size, FMonitors, fill);
  }
  FColor = FLoupe.Capture.Sample(FSampling);
  FLoupe.SampleSize = FSampling.Size;
  FLoupe.Color = FColor;
  FLoupe.ColorText = !FColor ? L"" : ColorText ? ColorText(*FColor) : FormatColor(TCopyFormat::HexUpper, *FColor);
  FLoupe.NameText = FColor ? ColorNameText(*FColor) : L"";
  FLoupe.PositionText = std::to_wstring(at.x) + L", " + std::to_wstring(at.y);
  FLoupe.PaintNow();
}

void TPickMode::Nudge(DWORD key) {
  const bool shift = ::GetAsyncKeyState(VK_SHIFT) < 0;
  const std::optional<TPointI> to = NudgedPoint(FMonitors, TPointI{FLast.x, FLast.y}, key, shift);
  if (!to) return;
  ::SetCursorPos(to->X, to->Y);
  // The move the system makes of it may come late or, at an edge, not at all.
  Update(POINT{to->X, to->Y});
}

void TPickMode::SetZoom(int zoom) {
  FZoom = ZoomStep(zoom, 0);
  Update(FLast);
}

void TPickMode::ToggleFreeze() {
  if (FFrozen.Frozen())
    FFrozen.Thaw();
  else
    FFrozen.Freeze(FMonitors, fw::CursorEntry(crSpoit), UiText(IDS_PICK_FROZEN_TITLE));
  FRaise = true;
  Update(FLast);
}

void TPickMode::Finish(bool picked) {
  if (!FActive) return;
  FActive = false;
  ::KillTimer(FWindow->Handle(), kFollowTimer);
  if (FLoupe.Handle()) ::ShowWindow(FLoupe.Handle(), SW_HIDE);
  FFrozen.Thaw();
  FCursor.reset();
  if (FButtonsDown == 0)
    EndHook();
  else
    ::SetTimer(FWindow->Handle(), kReleaseTimer, kReleaseWaitMs, nullptr);
  const std::optional<TColor> color = FColor;
  if (picked && color) {
    if (OnPick) OnPick(*color);
  } else if (OnCancel) {
    OnCancel();
  }
}

void TPickMode::EndHook() {
  if (FActive) return;
  if (FWindow) ::KillTimer(FWindow->Handle(), kReleaseTimer);
  FButtonsDown = 0;
  FHook.Remove();
}
