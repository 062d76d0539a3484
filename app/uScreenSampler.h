#pragma once
// The main window's screen sampler: the eyedropper and the magnifier.
#include <windows.h>

#include <functional>

#include "core/color/uColor.h"
#include "controls/PaintBoxVel.h"
#include "framework/Image.h"
#include "framework/Panel.h"
#include "framework/support/uRecPicture.h"

// The eyedropper cursor's number in the application's cursor table.
inline constexpr int crSpoit = 20;

class TScreenSampler : public fw::TObject {
 public:
  // Creates the controls on parent.
  void Create(fw::TWindow& parent);

  fw::TImage ImageSpoit;
  TPaintBoxVel pboxSpoit;
  fw::TPanel pnlZoom;
  TPaintBoxVel pboxZoom;

  // A colour read from the screen, on every eyedropper move and magnifier click.
  std::function<void(fw::TObject* sender, TColor color)> OnColorPick;

  // Reads one pixel of the screen DC; tests put their own source here.
  using TPixelReader = std::function<COLORREF(HDC screen, int x, int y)>;
  static COLORREF DefaultScreenPixel(HDC screen, int x, int y);
  TPixelReader ReadScreenPixel = &TScreenSampler::DefaultScreenPixel;

  bool SpoitDragging() const noexcept { return FSpoitDragging; }
  const TRecPicture& ZoomPicture() const noexcept { return FZoomPicture; }
  // At shutdown, before the window goes.
  void FreeZoomPicture() { RecPictureFree(FZoomPicture); }

  void pboxSpoitPaint(fw::TObject* sender, HDC dc);
  void pboxSpoitMouseDown(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void pboxSpoitMouseMove(fw::TObject* sender, fw::TShiftState shift, int x, int y);
  void pboxSpoitMouseUp(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void pboxZoomPaint(fw::TObject* sender, HDC dc);
  void pboxZoomMouseDown(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void pboxZoomMouseMove(fw::TObject* sender, fw::TShiftState shift, int x, int y);
  // Copies the 13 x 9 screen pixels around point into the magnifier's
  // picture; the caller holds the screen DC.
  void ZoomCapture(HDC screen, POINT point);

 private:
  void Pick(COLORREF colour);

  bool FSpoitDragging = false;
  TRecPictureHolder FZoomPicture;
};
