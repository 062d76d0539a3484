#pragma once
// The pick mode: from a key, a command or the command line, the loupe
// follows the pointer over every window; a left click or Enter picks, a
// right click or Esc cancels, the arrows move the pointer by one physical
// pixel (ten with Shift), the wheel and + / - zoom, F freezes the screen or
// lets it go. Clicks and keys of a pick never reach the window under the
// pointer, and nothing of the pick activates a window.
#include <windows.h>

#include <climits>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/uFrozenScreen.h"
#include "app/uLoupeWindow.h"
#include "core/color/uColor.h"
#include "core/sampling/uMonitorLayout.h"
#include "core/sampling/uPickSettings.h"
#include "core/sampling/uZoomView.h"
#include "framework/Cursors.h"
#include "framework/InputHook.h"
#include "framework/Window.h"

struct TPickRequest {
  TSampling Sampling;
  int Zoom = 8;
  bool Freeze = false;
  // The pointer goes there first (a pick started on the eyedropper box).
  std::optional<POINT> StartAt;
};

class TPickMode {
 public:
  TPickMode();
  ~TPickMode();
  TPickMode(const TPickMode&) = delete;
  TPickMode& operator=(const TPickMode&) = delete;

  // Begins a pick and returns; its end is told through OnPick or OnCancel.
  // False when a pick is already running or the system refused the hooks.
  bool Start(const TPickRequest& request);
  // Ends a running pick as Esc does.
  void Cancel();
  bool Active() const noexcept { return FActive; }
  bool Frozen() const noexcept { return FFrozen.Frozen(); }
  int Zoom() const noexcept { return FZoom; }
  HWND LoupeHandle() const noexcept { return FLoupe.Handle(); }

  std::function<void(TColor color)> OnPick;
  std::function<void()> OnCancel;
  // The text of the colour on the loupe's first line.
  std::function<std::wstring(TColor color)> ColorText;

  // The loupe's display colours and its short note (see TLoupeWindow).
  TDisplayColor& DisplayColor() noexcept { return FLoupe.DisplayColor; }
  std::wstring& Marker() noexcept { return FLoupe.Marker; }

  // Where the pointer is asked for; tests and benchmarks give their own.
  std::function<POINT()> CursorPos;
  // What a move of the pointer does: the loupe follows and reads there.
  void PointerMoved() { Follow(); }

 private:
  class TMessageWindow;

  bool HookMouse(UINT message, POINT at, int wheelDelta);
  bool HookKey(UINT message, DWORD key);
  void Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Follow();
  void Update(POINT at);
  void Nudge(DWORD key);
  void SetZoom(int zoom);
  void ToggleFreeze();
  void Finish(bool picked);
  void EndHook();

  TMessageWindow* FWindow = nullptr;
  fw::TInputHook FHook;
  TLoupeWindow FLoupe;
  TFrozenScreen FFrozen;
  TMonitorLayout FMonitors;
  TSampling FSampling;
  int FZoom = 8;
  bool FActive = false;
  bool FMovePosted = false;
  bool FRaise = false;
  // Buttons pressed during the pick whose release must not reach a window either.
  int FButtonsDown = 0;
  POINT FLast{INT_MIN, INT_MIN};
  std::optional<TColor> FColor;
  TWheelNotches FWheel;
  std::unique_ptr<fw::TSystemCursorScope> FCursor;
};
