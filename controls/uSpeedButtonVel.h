#pragma once
// The flat buttons inside the program's edits. They have no windows of
// their own: the edit that holds them places them, draws them in its paint,
// finds them under the mouse and hands them its mouse messages and timer
// ticks. Twelve channel editors are twelve windows, not fifty.
//
// A button is drawn down while the left button is held on it and clicks when
// the button is released over it; the pointer leaving it shows it up again.
#include <windows.h>

#include "core/support/uGeometry.h"
#include "framework/Events.h"
#include "framework/Handles.h"
#include "framework/SpeedButton.h"

class TSpeedButtonVel : public fw::TObject {
 public:
  TSpeedButtonVel() = default;
  TSpeedButtonVel(const TSpeedButtonVel&) = delete;
  TSpeedButtonVel& operator=(const TSpeedButtonVel&) = delete;

  // The window that shows the button; null while it has none. A new host
  // (the edit re-created) ends a press and a repeat that were running.
  HWND Host() const noexcept { return FHost; }
  void SetHost(HWND host) noexcept;

  // In the host's client coordinates.
  int Left() const noexcept { return FBounds.Left; }
  int Top() const noexcept { return FBounds.Top; }
  int Width() const noexcept { return FBounds.Width(); }
  int Height() const noexcept { return FBounds.Height(); }
  const TRectI& BoundsRect() const noexcept { return FBounds; }
  void SetBounds(int left, int top, int width, int height) noexcept;

  bool Visible() const noexcept { return FVisible; }
  void SetVisible(bool visible) noexcept;
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool enabled) noexcept;
  // Shown and at (x, y) of the host's client area.
  bool HitTest(int x, int y) const noexcept;

  // Takes ownership. The colour of the bottom-left pixel is transparent.
  void SetGlyph(HBITMAP glyph) noexcept;
  // A glyph that outlives the button (the program's own); not copied, not freed.
  void SetSharedGlyph(HBITMAP glyph) noexcept;
  HBITMAP Glyph() const noexcept { return FOwnedGlyph ? FOwnedGlyph.Get() : FSharedGlyph; }

  fw::TButtonState State() const noexcept { return FState; }
  // Drawn pressed or released (the pop-up of an edit holds its button down).
  void SetShownDown(bool down) noexcept;
  // The left button went down on it and is held; the host has the capture.
  bool Dragging() const noexcept { return FDragging; }
  // Called from an OnMouseDown handler: the press ends there, the button is
  // neither drawn down nor tracks the mouse.
  void AbortPress() noexcept { FPressAborted = true; }

  // Fires OnClick.
  virtual void Click();

  // The host's mouse, in coordinates relative to the button.
  virtual void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void MouseMove(int x, int y);
  virtual void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  // The host lost the capture mid-press: a release off the button, so that
  // whoever saw the press also sees it end.
  void CaptureLost();
  // A WM_TIMER of the host; true when the timer was this button's.
  virtual bool Timer(UINT_PTR /*id*/) { return false; }

  // The face, the frame and the glyph at the button's place; then OnPaint.
  void Paint(HDC dc);
  void Invalidate() const noexcept;
  // Paints what is invalid of the host now.
  void Update() const noexcept;

  fw::TNotifyEvent OnClick;
  // The sender is the button; the coordinates are relative to it.
  fw::TMouseEvent OnMouseDown;
  fw::TMouseEvent OnMouseUp;
  // After the button has painted itself.
  fw::TNotifyEvent OnPaint;

 protected:
  // The host changes or goes: what ran on the old one stops.
  virtual void HostChanging() {}

 private:
  bool Inside(int x, int y) const noexcept { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
  fw::TButtonState RestingState() const noexcept {
    return FEnabled ? fw::TButtonState::bsUp : fw::TButtonState::bsDisabled;
  }

  HWND FHost = nullptr;
  TRectI FBounds{};
  bool FVisible = true;
  bool FEnabled = true;
  fw::TUniqueBitmap FOwnedGlyph;
  HBITMAP FSharedGlyph = nullptr;
  fw::TButtonState FState = fw::TButtonState::bsUp;
  bool FDragging = false;
  bool FPressAborted = false;
};

// Draws a speed button's face into rect: button face, a raised frame (sunken
// when down) and the glyph centred, one pixel down-right when down, embossed
// when disabled.
void DrawSpeedButtonFace(HDC dc, const RECT& rect, bool down, bool enabled, HBITMAP glyph);
