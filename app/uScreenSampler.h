#pragma once
// The main window's screen sampler: the eyedropper and the magnifier.
#include <windows.h>

#include <functional>
#include <optional>

#include "app/uScreenCapture.h"
#include "core/color/uColor.h"
#include "core/sampling/uPickSettings.h"
#include "core/sampling/uZoomView.h"
#include "controls/PaintBoxVel.h"
#include "framework/Handles.h"
#include "framework/Image.h"
#include "framework/Accessible.h"
#include "framework/Panel.h"
#include "framework/support/uRecPicture.h"

// The eyedropper cursor's number in the application's cursor table.
inline constexpr int crSpoit = 20;

// The magnifier's panel: the paint box hands it the wheel.
class TZoomPanel : public fw::TPanel {
 public:
  std::function<void(int delta)> OnWheel;

 protected:
  bool WMMouseWheel(int delta, fw::TShiftState shift, int screenX, int screenY) override;
};

// The eyedropper box: it also takes the focus, and Space or Enter on it
// starts the pick mode there.
class TSpoitBox : public TPaintBoxVel {
 public:
  fw::TNotifyEvent OnKeyPick;
  // As Space: after the current message, so a screen reader's call returns first.
  void PostKeyPick();

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool WMKeyDown(WORD& key, fw::TShiftState shift) override;
  void WMSetFocus(HWND previous) override;
  void WMKillFocus(HWND next) override;
};

class TScreenSampler : public fw::TObject {
 public:
  // Creates the controls on parent.
  void Create(fw::TWindow& parent);

  fw::TImage ImageSpoit;
  // Before the boxes they describe, which read them until their windows go.
  fw::TPlainAccessible SpoitAccessible{ROLE_SYSTEM_PUSHBUTTON}, ZoomAccessible{ROLE_SYSTEM_GRAPHIC};
  TSpoitBox pboxSpoit;
  TZoomPanel pnlZoom;
  TPaintBoxVel pboxZoom;

  // A colour read from the screen, on every eyedropper move and magnifier click.
  std::function<void(fw::TObject* sender, TColor color)> OnColorPick;

  // Where a move reads its one pixel: empty for the magnifier's capture,
  // which holds it already (one screen read a move, not two); tests put
  // their own source here.
  using TPixelReader = std::function<COLORREF(HDC screen, int x, int y)>;
  static COLORREF DefaultScreenPixel(HDC screen, int x, int y);
  TPixelReader ReadScreenPixel;

  // What the magnifier paints for the screen's colours; empty paints them as
  // they are. Picks read the true pixels.
  TDisplayColor DisplayColor;

  // The pixel or the square comes from the magnifier's capture, so what is
  // picked is what it shows.
  void SetSampling(const TSampling& sampling);
  const TSampling& Sampling() const noexcept { return FSampling; }

  // One of kZoomFactors (others are the default); the magnifier shows the
  // last captured place again at once.
  void SetZoom(int zoom);
  // The zoom changed (the wheel, the keys, a setting).
  fw::TNotifyEvent OnZoomChange;
  int Zoom() const noexcept { return FZoom; }
  // Wheel deltas over the magnifier or while the eyedropper is held.
  void ZoomWheel(int delta);
  // The magnifier's layout at the current zoom.
  TZoomGeometry ZoomView() const;

  // The pointer's pixel in the last capture; none off every monitor.
  std::optional<TColor> CapturedPixel() const;
  // A screen pixel as the last capture holds it; none outside the capture.
  std::optional<TColor> CapturedPixelAt(TPointI screen) const;
  // The sampled square around the pointer's pixel in the last capture;
  // pixels off every screen do not count. Nothing before the first capture
  // or when no pixel of the square lies on a screen.
  std::optional<TColor> CapturedArea() const;

  // While the eyedropper is held: an arrow key moves the pointer one pixel
  // (ten with Shift) and samples there. False for other keys and when idle.
  bool SpoitNudge(WORD key, bool shift);

  // Samples at a screen point as a move of the eyedropper does, held or
  // not (the pick hot key).
  void PickAtScreenPoint(POINT point);

  // The DPI of the monitor the magnifier is on; its cells scale with it.
  void SetViewDpi(int dpi);
  int ViewDpi() const noexcept { return FViewDpi; }

  // The monitors as the system has them now; taken at each press of the
  // eyedropper and when a setting changes. The owner calls it again on
  // WM_DISPLAYCHANGE.
  void RefreshMonitors();

  bool SpoitDragging() const noexcept { return FSpoitDragging; }
  const TRecPicture& ZoomPicture() const noexcept { return FCapture.Picture(); }
  const TMonitorLayout& Monitors() const noexcept { return FMonitors; }
  // At shutdown, before the window goes.
  void FreeZoomPicture() { FCapture.Free(); }

  // The eyedropper was pressed (before the first read) and released: the
  // frozen screen comes and goes with them.
  fw::TNotifyEvent OnSpoitBegin;
  fw::TNotifyEvent OnSpoitEnd;
  // Where the eyedropper reads while the screen is frozen; none reads the screen.
  std::function<std::optional<TPixelSource>()> FrozenSource;

  void pboxSpoitPaint(fw::TObject* sender, HDC dc);
  void pboxSpoitMouseDown(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void pboxSpoitMouseMove(fw::TObject* sender, fw::TShiftState shift, int x, int y);
  void pboxSpoitMouseUp(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void pboxZoomPaint(fw::TObject* sender, HDC dc);
  void pboxZoomMouseDown(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  void pboxZoomMouseMove(fw::TObject* sender, fw::TShiftState shift, int x, int y);
  // Copies the screen pixels around point that the magnifier shows (13 x 9
  // at the default zoom) and the sampled square into the magnifier's
  // picture; the caller holds the screen DC.
  void ZoomCapture(HDC screen, POINT point) { ZoomCapture(TPixelSource{screen, {}}, point); }
  void ZoomCapture(const TPixelSource& source, POINT point);

 private:
  void Pick(COLORREF colour);
  // Takes the last captured place again after a setting changed what is shown.
  void Recapture();
  // Reads the colour at a screen point and captures the magnifier there.
  void SampleAt(POINT point);

  bool FSpoitDragging = false;
  TScreenCapture FCapture;
  TSampling FSampling;
  int FZoom = kDefaultZoom;
  int FViewDpi = kDefaultDpi;
  TWheelNotches FWheel;
  TMonitorLayout FMonitors;
};
