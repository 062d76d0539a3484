#pragma once
// The pick mode's loupe: a small window beside the pointer that shows the
// magnified pixels with the sampled square outlined and the centre pixel
// marked, a swatch, the colour's text, its nearest name and the pointer's
// position. It never takes the activation and has no task-bar button.
#include <windows.h>

#include <optional>
#include <string>

#include "app/uScreenCapture.h"
#include "core/color/uColor.h"
#include "core/sampling/uZoomView.h"
#include "framework/Handles.h"
#include "framework/Window.h"

class TLoupeWindow : public fw::TWindow {
 public:
  // Designed at 96 DPI; the view is the magnified part at the top.
  static constexpr int kWidth = 176, kViewHeight = 132, kHeight = kViewHeight + 54;

  TLoupeWindow() = default;
  ~TLoupeWindow() override { DestroyHandle(); }

  // Hidden until the first PlaceAt.
  void Create(const std::wstring& title);

  // The view's geometry at a DPI and zoom.
  static TZoomGeometry ViewGeometry(int dpi, int zoom);

  // The pixels shown, read by the pick.
  TScreenCapture Capture;
  int SampleSize = 1;
  std::optional<TColor> Color;
  std::wstring ColorText, NameText, PositionText;
  // What the view, the swatch and the text show for a screen colour, and a
  // short note about it at the bottom right; none shows the colour itself.
  TDisplayColor DisplayColor;
  std::wstring Marker;

  // Moves it to bounds (physical pixels) at that monitor's DPI, shown and
  // not activated; raise puts it above every other window again.
  void PlaceAt(const TRectI& bounds, int dpi, bool raise = false);
  const TRectI& Bounds() const noexcept { return FBounds; }
  int LoupeDpi() const noexcept { return FDpi; }
  // Paints what it holds at once, not at the next paint message.
  void PaintNow();

 protected:
  bool Paint(HDC dc, const RECT& clip) override;
  bool WMEraseBkgnd(HDC) override { return true; }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintLoupe(HDC dc);
  int Px(int designed) const noexcept;

  int FDpi = 96;
  TRectI FBounds{};
  fw::TUniqueFont FFont;
  int FFontDpi = 0;
  // The frame is drawn off screen first: the view must not flicker while it follows the pointer.
  fw::TUniqueMemDC FBufferDC;
  fw::TUniqueBitmap FBuffer;
  SIZE FBufferSize{};
};
