#pragma once
// The screen pixels around the pointer that a magnified view shows, copied
// into a picture of their own: the magnifier and the pick mode's loupe each
// hold one. Every read of a pick (the pointer's pixel, the sampled square)
// comes from the copy, so what is picked is what is shown.
#include <windows.h>

#include <functional>
#include <optional>

#include "core/color/uColor.h"
#include "core/sampling/uMonitorLayout.h"
#include "core/sampling/uPickSettings.h"
#include "core/sampling/uZoomView.h"
#include "framework/Handles.h"
#include "framework/support/uRecPicture.h"

// What a view shows for a screen colour; none is the colour itself.
using TDisplayColor = std::function<TColor(TColor)>;

// Where pixels are copied from: the screen's DC (origin 0, 0) or a frozen
// copy of the virtual screen whose top-left pixel is the screen point origin.
struct TPixelSource {
  HDC DC = nullptr;
  POINT Origin{};
};

class TScreenCapture {
 public:
  // Copies what view shows around point, and the sampled square, from the
  // source; what no monitor shows is left in the fill colour.
  void Capture(const TPixelSource& source, POINT point, const TZoomGeometry& view, int sampleSize,
               const TMonitorLayout& monitors, COLORREF fill);

  bool Captured() const noexcept { return FCaptured; }
  POINT Point() const noexcept { return FPoint; }
  const TZoomGeometry& View() const noexcept { return FView; }
  // The captured screen pixels, relative to the pointer's pixel.
  const TRectI& Rect() const noexcept { return FRect; }

  // The pointer's pixel; none off every monitor.
  std::optional<TColor> Pixel() const;
  // A screen pixel as captured; none outside the capture.
  std::optional<TColor> PixelAt(TPointI screen) const;
  // The sampled square around the pointer's pixel; pixels off every screen
  // do not count. None when no pixel of it lies on a screen.
  std::optional<TColor> Area(const TSampling& sampling) const;
  // What a pick takes: the pixel or the square.
  std::optional<TColor> Sample(const TSampling& sampling) const;

  // The picture enlarged into the view (width x height), the sampled
  // square outlined inside the view and the centre pixel marked.
  void Paint(HDC dc, int width, int height, int sampleSize, const TDisplayColor& display = {}) const;
  // Before the first capture: the picture as it was filled.
  const TRecPicture& Picture() const noexcept { return FPicture; }
  void Create(int width, int height, COLORREF fill);
  void Free();

 private:
  TRectI ScreenRect() const;

  bool FCaptured = false;
  POINT FPoint{};
  TRectI FRect{};
  TZoomGeometry FView;
  TMonitorLayout FMonitors;
  TRecPictureHolder FPicture;
  // Holds FPicture selected from one capture to the next: a memory DC made
  // and selected at every move cost as much as the copy under Wine.
  // Declared after the picture, so it lets go of it first.
  fw::TUniqueMemDC FDC;
  // The display colours of the last paint that asked for them.
  mutable TRecPictureHolder FShown;
};

// Copies each monitor's share of the screen rectangle on its own: one copy
// that reaches beyond the screens gives black all over under Wine.
void CopyScreenRect(HDC target, POINT targetAt, const TPixelSource& source, const TRectI& screen,
                    const TMonitorLayout& monitors);
