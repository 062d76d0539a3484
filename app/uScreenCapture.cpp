#include "app/uScreenCapture.h"

#include <algorithm>
#include <vector>

#include "core/sampling/uAreaSample.h"

namespace {

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

TColor PixelColor(const std::uint8_t* px) { return static_cast<TColor>(RGB(px[2], px[1], px[0])); }

}  // namespace

void CopyScreenRect(HDC target, POINT targetAt, const TPixelSource& source, const TRectI& screen,
                    const TMonitorLayout& monitors) {
  const auto copy = [&](const TRectI& part) {
    ::BitBlt(target, targetAt.x + part.Left - screen.Left, targetAt.y + part.Top - screen.Top, part.Width(),
             part.Height(), source.DC, part.Left - source.Origin.x, part.Top - source.Origin.y, SRCCOPY);
  };
  if (std::any_of(monitors.begin(), monitors.end(), [&](const TMonitor& m) { return Contains(m.Bounds, screen); })) {
    copy(screen);
    return;
  }
  for (const TMonitor& m : monitors) {
    const TRectI part{std::max(m.Bounds.Left, screen.Left), std::max(m.Bounds.Top, screen.Top),
                      std::min(m.Bounds.Right, screen.Right), std::min(m.Bounds.Bottom, screen.Bottom)};
    if (part.Left < part.Right && part.Top < part.Bottom) copy(part);
  }
}

void TScreenCapture::Create(int width, int height, COLORREF fill) {
  FDC.Reset();
  RecPictureCreate(FPicture, POINT{0, 0}, std::max(width, 1), true, 24, std::max(height, 1));
  RecPictureFill(FPicture, fill);
  FCaptured = false;
}

void TScreenCapture::Free() {
  FDC.Reset();
  RecPictureFree(FPicture);
  RecPictureFree(FShown);
  FCaptured = false;
}

void TScreenCapture::Capture(const TPixelSource& source, POINT point, const TZoomGeometry& view, int sampleSize,
                             const TMonitorLayout& monitors, COLORREF fill) {
  const TRectI area = CaptureRect(view, sampleSize);
  const BITMAPINFOHEADER* header = RecPictureHeader(FPicture);
  if (!header || header->biWidth != area.Width() || header->biHeight != area.Height()) {
    FDC.Reset();
    RecPictureCreate(FPicture, POINT{0, 0}, area.Width(), true, 24, area.Height());
  }
  RecPictureFill(FPicture, fill);
  FCaptured = true;
  FPoint = point;
  FRect = area;
  FView = view;
  if (&monitors != &FMonitors) FMonitors = monitors;
  if (!FDC) {
    FDC.Reset(::CreateCompatibleDC(source.DC));
    if (!FDC) return;
    ::SelectObject(FDC.Get(), FPicture.Bitmap);
  }
  CopyScreenRect(FDC.Get(), POINT{0, 0}, source, ScreenRect(), FMonitors);
}

TRectI TScreenCapture::ScreenRect() const {
  return TRectI{FPoint.x + FRect.Left, FPoint.y + FRect.Top, FPoint.x + FRect.Right, FPoint.y + FRect.Bottom};
}

std::optional<TColor> TScreenCapture::Pixel() const {
  if (!FCaptured || MonitorAt(FMonitors, TPointI{FPoint.x, FPoint.y}) < 0) return std::nullopt;
  return PixelAt(TPointI{FPoint.x, FPoint.y});
}

std::optional<TColor> TScreenCapture::PixelAt(TPointI screen) const {
  // The copy into the section may still be queued.
  ::GdiFlush();
  const std::uint8_t* px = RecPicturePixel(FPicture, screen.X - FPoint.x - FRect.Left, screen.Y - FPoint.y - FRect.Top);
  if (!px) return std::nullopt;
  return PixelColor(px);
}

std::optional<TColor> TScreenCapture::Area(const TSampling& sampling) const {
  if (!FCaptured) return std::nullopt;
  const int w = FRect.Width(), h = FRect.Height();
  ::GdiFlush();
  std::vector<TColor> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* px = RecPicturePixel(FPicture, x, y);
      if (!px) return std::nullopt;
      pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = PixelColor(px);
    }
  const std::vector<std::uint8_t> mask = OnScreenMask(ScreenRect(), FMonitors);
  return SampleArea(TPixelBlock{w, h, pixels, mask}, TPointI{-FRect.Left, -FRect.Top}, sampling.Size, sampling.Mode);
}

std::optional<TColor> TScreenCapture::Sample(const TSampling& sampling) const {
  return sampling.Size <= 1 ? Pixel() : Area(sampling);
}

void TScreenCapture::Paint(HDC dc, int width, int height, int sampleSize, const TDisplayColor& display) const {
  const BITMAPINFOHEADER* header = RecPictureHeader(FPicture);
  if (!header) return;
  const TRecPicture* shown = &FPicture;
  if (display) {
    ::GdiFlush();
    RecPictureCreate(FShown, POINT{0, 0}, header->biWidth, true, 24, header->biHeight);
    for (int y = 0; y < header->biHeight; ++y)
      for (int x = 0; x < header->biWidth; ++x) {
        const TColor c = display(PixelColor(RecPicturePixel(FPicture, x, y)));
        std::uint8_t* to = RecPicturePixel(FShown, x, y);
        to[0] = static_cast<std::uint8_t>(c >> 16), to[1] = static_cast<std::uint8_t>(c >> 8);
        to[2] = static_cast<std::uint8_t>(c);
      }
    shown = &FShown;
  }
  if (!FCaptured) {
    RecPictureStretchBlt(*shown, dc, 0, 0, width, height, 0, 0, header->biWidth, header->biHeight, SRCCOPY);
    return;
  }
  const TZoomGeometry& g = FView;
  const RECT view{0, 0, width, height};
  const int srcX = g.Source.Left - FRect.Left, srcY = g.Source.Top - FRect.Top;
  const int w = g.Source.Width() * g.Cell, h = g.Source.Height() * g.Cell;
  // Whole cells that fill the view exactly (the default zoom) go in one transfer.
  const bool fits = g.Origin.X >= 0 && g.Origin.Y >= 0 && g.Origin.X + w <= view.right && g.Origin.Y + h <= view.bottom;
  if (!fits || !RecPictureBlowUp(*shown, dc, g.Origin.X, g.Origin.Y, g.Cell, srcX, srcY, g.Source.Width(),
                                 g.Source.Height()))
    RecPictureStretchBlt(*shown, dc, g.Origin.X, g.Origin.Y, w, h, srcX, srcY, g.Source.Width(), g.Source.Height(),
                         SRCCOPY, &view);
  if (sampleSize > 1) {
    // At large zooms the square reaches past the view: its outline keeps to the edges.
    const TRectI o = SampleOutline(g, sampleSize);
    DrawOutline(dc, TRectI{std::max(o.Left, 0), std::max(o.Top, 0), std::min(o.Right, width), std::min(o.Bottom, height)});
  }
  // On the centre cell's own edge where it is large enough to keep its
  // colour in sight inside, around it where it is not.
  const TRectI c = SourceToView(g, TRectI{0, 0, 1, 1});
  const int out = g.Cell >= 6 ? 0 : 2;
  DrawOutline(dc, TRectI{c.Left - out, c.Top - out, c.Right + out, c.Bottom + out});
}
