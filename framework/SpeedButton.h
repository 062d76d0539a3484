#pragma once
// A flat push button of its own window class that shows one glyph bitmap.
// It is drawn down while the left button is held on it and clicks when the
// button is released over it; the pointer leaving it shows it up again.
#include <windows.h>

#include "framework/Events.h"
#include "framework/Handles.h"
#include "framework/Window.h"

namespace fw {

enum class TButtonState { bsUp, bsDown, bsDisabled };

class TSpeedButton : public TWindow {
 public:
  void Create(TWindow* parent);

  // Takes ownership. The colour of the bottom-left pixel is transparent.
  void SetGlyph(HBITMAP glyph);
  HBITMAP Glyph() const noexcept { return FGlyph.Get(); }

  TButtonState State() const noexcept { return FState; }
  // Drawn pressed or released (the pop-up of an edit holds its button down).
  void SetShownDown(bool down);
  bool Dragging() const noexcept { return FDragging; }

  void SetEnabled(bool enabled) override;

  // Fires OnClick.
  virtual void Click();

  // Called from an OnMouseDown handler: the press ends there, the
  // button is neither drawn down nor tracks the mouse.
  void AbortPress() noexcept { FPressAborted = true; }

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

 protected:
  bool Paint(HDC dc, const RECT& clip) override;
  bool WMEraseBkgnd(HDC) override { return true; }
  bool WMMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  bool WMMouseMove(TShiftState shift, int x, int y) override;
  bool WMMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void WMCaptureChanged(HWND newCapture) override;

  // The press and release behind the mouse handlers; derived buttons wrap them.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // The face and the glyph; derived buttons paint on top after it.
  virtual void PaintButton(HDC dc);

 private:
  bool Inside(int x, int y) const noexcept;

  TUniqueBitmap FGlyph;
  TButtonState FState = TButtonState::bsUp;
  bool FDragging = false;
  bool FPressAborted = false;
};

// Draws a bitmap with the colour of its bottom-left pixel left out, or as a
// grey embossed shape when disabled.
void DrawTransparentGlyph(HDC dc, HBITMAP glyph, int x, int y, bool enabled);

}  // namespace fw
