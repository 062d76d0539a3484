#include "app/uScreenSampler.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "app/ControlIds.h"
#include "core/sampling/uNudge.h"
#include "framework/Application.h"
#include "framework/Cursors.h"
#include "framework/Dpi.h"
#include "framework/Handles.h"
#include "framework/support/uDraw3DFrame.h"

namespace {

// Loaded while the unit is initialised, before any window exists; never destroyed.
HCURSOR LoadSpoitCursor() {
  HCURSOR cursor = ::LoadCursorW(::GetModuleHandleW(nullptr), L"CSPOITA");
  fw::SetCursorEntry(crSpoit, cursor);
  return cursor;
}
const HCURSOR hSpoitCursor = LoadSpoitCursor();

COLORREF ButtonFace() { return ::GetSysColor(COLOR_BTNFACE); }

POINT ScreenPoint(const fw::TWindow& control, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(control.Handle(), &p);
  return p;
}

bool Contains(const TRectI& outer, const TRectI& inner) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

// Two lines, black outside and white inside, stay visible on any colour.
void DrawOutline(HDC dc, const TRectI& r) {
  RECT outer{r.Left, r.Top, r.Right, r.Bottom};
  ::FrameRect(dc, &outer, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  RECT inner{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  ::FrameRect(dc, &inner, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}

}  // namespace

bool TZoomPanel::WMMouseWheel(int delta, fw::TShiftState, int, int) {
  if (!OnWheel) return false;
  OnWheel(delta);
  return true;
}

COLORREF TScreenSampler::DefaultScreenPixel(HDC screen, int x, int y) { return ::GetPixel(screen, x, y); }

void TScreenSampler::Create(fw::TWindow& parent) {
  // Only the store of the dropper picture; never shown.
  ImageSpoit.SetControlId(ControlIds::ImageSpoit);
  ImageSpoit.SetVisible(false);
  ImageSpoit.SetBounds(9, 6, 24, 24);
  ImageSpoit.SetScalesWithDpi(true);
  ImageSpoit.Create(&parent);
  ImageSpoit.SetPicture(
      static_cast<HBITMAP>(::LoadImageW(fw::Application().Handle(), L"BMSPOIT", IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  ImageSpoit.SetTransparent(true);

  pboxSpoit.SetControlId(ControlIds::pboxSpoit);
  pboxSpoit.SetBounds(9, 6, 24, 24);
  pboxSpoit.OnPaint = [this](fw::TObject* s, HDC dc) { pboxSpoitPaint(s, dc); };
  pboxSpoit.OnMouseDown = [this](fw::TObject* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
    pboxSpoitMouseDown(s, b, sh, x, y);
  };
  pboxSpoit.OnMouseMove = [this](fw::TObject* s, fw::TShiftState sh, int x, int y) { pboxSpoitMouseMove(s, sh, x, y); };
  pboxSpoit.OnMouseUp = [this](fw::TObject* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
    pboxSpoitMouseUp(s, b, sh, x, y);
  };
  pboxSpoit.Create(&parent);

  pnlZoom.SetControlId(ControlIds::pnlZoom);
  pnlZoom.SetBounds(96, 8, 106, 74);
  pnlZoom.SetBevelOuter(fw::TBevel::bvLowered);
  pnlZoom.OnWheel = [this](int delta) { ZoomWheel(delta); };
  pnlZoom.Create(&parent);
  pboxZoom.SetControlId(ControlIds::pboxZoom);
  pboxZoom.SetBounds(1, 1, 104, 72);
  pboxZoom.SetOpaque(true);
  pboxZoom.OnPaint = [this](fw::TObject* s, HDC dc) { pboxZoomPaint(s, dc); };
  pboxZoom.OnMouseDown = [this](fw::TObject* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
    pboxZoomMouseDown(s, b, sh, x, y);
  };
  pboxZoom.OnMouseMove = [this](fw::TObject* s, fw::TShiftState sh, int x, int y) { pboxZoomMouseMove(s, sh, x, y); };
  pboxZoom.Create(&pnlZoom);
  pboxZoom.SetCursor(fw::CursorEntry(crSpoit));

  RecPictureCreate(FZoomPicture, POINT{0, 0}, (pboxZoom.Width() + 7) / 8, true, 24, (pboxZoom.Height() + 7) / 8);
  RecPictureFill(FZoomPicture, ButtonFace());
}

void TScreenSampler::pboxSpoitPaint(fw::TObject* sender, HDC dc) {
  auto* box = dynamic_cast<fw::TWindow*>(sender);
  if (!box) return;
  ImageSpoit.DrawPicture(dc, 0, 0);
  Draw3DFrame(dc, RECT{0, 0, box->Width(), box->Height()}, !FSpoitDragging);
}

void TScreenSampler::pboxSpoitMouseDown(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
  FSpoitDragging = true;
  // Asking the system at every move would cost more than the copy itself.
  RefreshMonitors();
  ::SetCursor(hSpoitCursor);
  // Sunken at once, not at the next paint message.
  fw::TWindowDC dc(pboxSpoit.Handle());
  if (dc) pboxSpoitPaint(&pboxSpoit, dc.Get());
}

void TScreenSampler::pboxSpoitMouseMove(fw::TObject*, fw::TShiftState, int x, int y) {
  if (!FSpoitDragging) return;
  SampleAt(ScreenPoint(pboxSpoit, x, y));
}

void TScreenSampler::SampleAt(POINT p) {
  {
    fw::TWindowDC screen(nullptr);
    ZoomCapture(screen.Get(), p);
    if (FSampling.Size <= 1 && ReadScreenPixel) {
      const COLORREF colour = ReadScreenPixel(screen.Get(), p.x, p.y);
      // Off every screen GetPixel fails; that is no colour, and certainly not white.
      if (colour != CLR_INVALID) Pick(colour);
    } else if (const std::optional<TColor> colour = FSampling.Size <= 1 ? CapturedPixel() : CapturedArea()) {
      Pick(*colour);
    }
  }
  pboxZoom.Repaint();
}

bool TScreenSampler::SpoitNudge(WORD key, bool shift) {
  if (!FSpoitDragging) return false;
  POINT p{};
  if (!::GetCursorPos(&p)) return false;
  const std::optional<TPointI> to = NudgedPoint(FMonitors, TPointI{p.x, p.y}, key, shift);
  if (!to) return false;
  ::SetCursorPos(to->X, to->Y);
  // The move the system makes of it may come late or, at an edge, not at all.
  SampleAt(POINT{to->X, to->Y});
  return true;
}

void TScreenSampler::PickAtScreenPoint(POINT point) {
  RefreshMonitors();
  SampleAt(point);
}

void TScreenSampler::SetViewDpi(int dpi) {
  const int next = dpi > 0 ? dpi : kDefaultDpi;
  if (next == FViewDpi) return;
  FViewDpi = next;
  Recapture();
}

void TScreenSampler::pboxSpoitMouseUp(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
  if (!FSpoitDragging) return;
  FSpoitDragging = false;
  pboxSpoit.Invalidate(true);
  // The picture keeps this inner ring from now on.
  if (HBITMAP picture = ImageSpoit.Picture()) {
    fw::TUniqueMemDC dc(::CreateCompatibleDC(nullptr));
    if (dc) {
      fw::TSelectObject select(dc.Get(), picture);
      Draw3DFrame(dc.Get(), RECT{1, 1, ImageSpoit.PictureWidth() - 1, ImageSpoit.PictureHeight() - 1}, true);
    }
  }
  ImageSpoit.Invalidate(true);
}

void TScreenSampler::RefreshMonitors() { FMonitors = fw::DisplayMonitors(); }

void TScreenSampler::ZoomCapture(HDC screen, POINT point) {
  const TZoomGeometry view = ZoomView();
  const TRectI area = CaptureRect(view, FSampling.Size);
  const BITMAPINFOHEADER* header = RecPictureHeader(FZoomPicture);
  if (!header || header->biWidth != area.Width() || header->biHeight != area.Height()) {
    FCaptureDC.Reset();
    RecPictureCreate(FZoomPicture, POINT{0, 0}, area.Width(), true, 24, area.Height());
  }
  // What the copy cannot reach (beyond the screen's edges) shows button face.
  RecPictureFill(FZoomPicture, ButtonFace());
  FCaptured = true;
  FCapturePoint = point;
  FCaptureRect = area;
  FCaptureView = view;
  if (FMonitors.empty()) RefreshMonitors();
  if (!FCaptureDC) {
    FCaptureDC.Reset(::CreateCompatibleDC(screen));
    if (!FCaptureDC) return;
    ::SelectObject(FCaptureDC.Get(), FZoomPicture.Bitmap);
  }
  const fw::TUniqueMemDC& mem = FCaptureDC;
  const TRectI onScreen = CapturedScreenRect();
  const bool onOneMonitor =
      std::any_of(FMonitors.begin(), FMonitors.end(), [&](const TMonitor& m) { return Contains(m.Bounds, onScreen); });
  if (onOneMonitor) {
    ::BitBlt(mem.Get(), 0, 0, area.Width(), area.Height(), screen, onScreen.Left, onScreen.Top, SRCCOPY);
    return;
  }
  // A copy that reaches beyond the screens gives black all over under Wine:
  // copy each monitor's share on its own.
  for (const TMonitor& m : FMonitors) {
    const TRectI part{std::max(m.Bounds.Left, onScreen.Left), std::max(m.Bounds.Top, onScreen.Top),
                      std::min(m.Bounds.Right, onScreen.Right), std::min(m.Bounds.Bottom, onScreen.Bottom)};
    if (part.Left >= part.Right || part.Top >= part.Bottom) continue;
    ::BitBlt(mem.Get(), part.Left - onScreen.Left, part.Top - onScreen.Top, part.Width(), part.Height(), screen,
             part.Left, part.Top, SRCCOPY);
  }
}

TRectI TScreenSampler::CapturedScreenRect() const {
  return TRectI{FCapturePoint.x + FCaptureRect.Left, FCapturePoint.y + FCaptureRect.Top,
                FCapturePoint.x + FCaptureRect.Right, FCapturePoint.y + FCaptureRect.Bottom};
}

std::optional<TColor> TScreenSampler::CapturedPixel() const {
  if (!FCaptured || MonitorAt(FMonitors, TPointI{FCapturePoint.x, FCapturePoint.y}) < 0) return std::nullopt;
  return CapturedPixelAt(TPointI{FCapturePoint.x, FCapturePoint.y});
}

std::optional<TColor> TScreenSampler::CapturedPixelAt(TPointI screen) const {
  // The copy into the section may still be queued.
  ::GdiFlush();
  const int x = screen.X - FCapturePoint.x - FCaptureRect.Left, y = screen.Y - FCapturePoint.y - FCaptureRect.Top;
  const std::uint8_t* px = RecPicturePixel(FZoomPicture, x, y);
  if (!px) return std::nullopt;
  return static_cast<TColor>(RGB(px[2], px[1], px[0]));
}

std::optional<TColor> TScreenSampler::CapturedArea() const {
  if (!FCaptured) return std::nullopt;
  const int w = FCaptureRect.Width(), h = FCaptureRect.Height();
  // The copy into the section may still be queued.
  ::GdiFlush();
  std::vector<TColor> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* px = RecPicturePixel(FZoomPicture, x, y);
      if (!px) return std::nullopt;
      pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = RGB(px[2], px[1], px[0]);
    }
  const std::vector<std::uint8_t> mask = OnScreenMask(CapturedScreenRect(), FMonitors);
  return SampleArea(TPixelBlock{w, h, pixels, mask}, TPointI{-FCaptureRect.Left, -FCaptureRect.Top}, FSampling.Size,
                    FSampling.Mode);
}

void TScreenSampler::SetSampling(const TSampling& sampling) {
  const TSampling* first = std::begin(kSamplingChoices);
  const TSampling* last = std::end(kSamplingChoices);
  const TSampling next = std::find(first, last, sampling) != last ? sampling : TSampling{};
  if (next == FSampling) return;
  FSampling = next;
  Recapture();
}

void TScreenSampler::SetZoom(int zoom) {
  const int next = ZoomStep(zoom, 0);
  if (next == FZoom) return;
  FZoom = next;
  Recapture();
}

void TScreenSampler::ZoomWheel(int delta) {
  if (const int notches = FWheel.Take(delta)) SetZoom(ZoomStep(FZoom, notches));
}

TZoomGeometry TScreenSampler::ZoomView() const {
  return ZoomGeometry(pboxZoom.Width(), pboxZoom.Height(), ZoomCellSize(FZoom, FViewDpi));
}

void TScreenSampler::Recapture() {
  if (!FCaptured) return;
  RefreshMonitors();
  {
    fw::TWindowDC screen(nullptr);
    ZoomCapture(screen.Get(), FCapturePoint);
  }
  if (pboxZoom.Handle()) pboxZoom.Repaint();
}

void TScreenSampler::pboxZoomPaint(fw::TObject*, HDC dc) {
  const BITMAPINFOHEADER* header = RecPictureHeader(FZoomPicture);
  if (!header) return;
  if (!FCaptured) {
    RecPictureStretchBlt(FZoomPicture, dc, 0, 0, pboxZoom.Width(), pboxZoom.Height(), 0, 0, header->biWidth,
                         header->biHeight, SRCCOPY);
    return;
  }
  const TZoomGeometry& g = FCaptureView;
  const RECT view{0, 0, pboxZoom.Width(), pboxZoom.Height()};
  const int srcX = g.Source.Left - FCaptureRect.Left, srcY = g.Source.Top - FCaptureRect.Top;
  const int w = g.Source.Width() * g.Cell, h = g.Source.Height() * g.Cell;
  // Whole cells that fill the view exactly (the default zoom) go in one transfer.
  const bool fits = g.Origin.X >= 0 && g.Origin.Y >= 0 && g.Origin.X + w <= view.right && g.Origin.Y + h <= view.bottom;
  if (!fits || !RecPictureBlowUp(FZoomPicture, dc, g.Origin.X, g.Origin.Y, g.Cell, srcX, srcY, g.Source.Width(),
                                 g.Source.Height()))
    RecPictureStretchBlt(FZoomPicture, dc, g.Origin.X, g.Origin.Y, w, h, srcX, srcY, g.Source.Width(),
                         g.Source.Height(), SRCCOPY, &view);
  if (FSampling.Size > 1) DrawOutline(dc, SampleOutline(g, FSampling.Size));
}

void TScreenSampler::pboxZoomMouseDown(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x,
                                       int y) {
  if (button == fw::TMouseButton::mbLeft) pboxZoomMouseMove(sender, shift, x, y);
}

void TScreenSampler::pboxZoomMouseMove(fw::TObject*, fw::TShiftState shift, int x, int y) {
  if (!shift.Left) return;
  if (FSampling.Size > 1 && FCaptured && x >= 0 && y >= 0 && x < pboxZoom.Width() && y < pboxZoom.Height()) {
    // The outline covers part of the view: take the captured pixel the point shows, not the line.
    const TPointI source = ViewToSource(FCaptureView, TPointI{x, y});
    if (const std::optional<TColor> colour =
            CapturedPixelAt(TPointI{FCapturePoint.x + source.X, FCapturePoint.y + source.Y}))
      Pick(*colour);
    return;
  }
  const POINT p = ScreenPoint(pboxZoom, x, y);
  fw::TWindowDC screen(nullptr);
  const COLORREF colour = ReadScreenPixel ? ReadScreenPixel(screen.Get(), p.x, p.y) : DefaultScreenPixel(screen.Get(), p.x, p.y);
  if (colour != CLR_INVALID) Pick(colour);
}

void TScreenSampler::Pick(COLORREF colour) {
  if (OnColorPick) OnColorPick(this, static_cast<TColor>(colour));
}
