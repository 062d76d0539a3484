#include "core/sampling/uZoomView.h"

#include <algorithm>
#include <iterator>

#include "core/sampling/uAreaSample.h"
#include "core/sampling/uMonitorLayout.h"

namespace {

constexpr int kWheelDelta = 120;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

int Clamp32(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); }

// Cells on each side of the centre one and where the first of them starts.
void Axis(int extent, int cell, int& half, int& origin) {
  const std::int64_t before = std::max<std::int64_t>((std::int64_t{extent} - cell) / 2, 0);
  const std::int64_t after = std::max<std::int64_t>(std::int64_t{extent} - cell - before, 0);
  const std::int64_t n = (after + cell - 1) / cell;
  half = static_cast<int>(n);
  origin = Clamp32(before - n * cell);
}

}  // namespace

int ZoomCellSize(int zoom, int dpi) { return std::max(LogicalToPhysical(zoom, dpi), 1); }

TZoomGeometry ZoomGeometry(int viewWidth, int viewHeight, int cell) {
  TZoomGeometry g;
  g.Cell = std::max(cell, 1);
  int hx = 0, hy = 0;
  Axis(viewWidth, g.Cell, hx, g.Origin.X);
  Axis(viewHeight, g.Cell, hy, g.Origin.Y);
  g.Source = TRectI{-hx, -hy, hx + 1, hy + 1};
  return g;
}

TPointI ViewToSource(const TZoomGeometry& g, TPointI view) {
  return TPointI{Clamp32(FloorDiv(std::int64_t{view.X} - g.Origin.X, g.Cell) + g.Source.Left),
                 Clamp32(FloorDiv(std::int64_t{view.Y} - g.Origin.Y, g.Cell) + g.Source.Top)};
}

TRectI SourceToView(const TZoomGeometry& g, const TRectI& source) {
  auto x = [&](std::int64_t s) { return Clamp32(g.Origin.X + (s - g.Source.Left) * g.Cell); };
  auto y = [&](std::int64_t s) { return Clamp32(g.Origin.Y + (s - g.Source.Top) * g.Cell); };
  return TRectI{x(source.Left), y(source.Top), x(source.Right), y(source.Bottom)};
}

TRectI SampleOutline(const TZoomGeometry& g, int sampleSize) {
  return SourceToView(g, SampleSquare({0, 0}, sampleSize));
}

TRectI CaptureRect(const TZoomGeometry& g, int sampleSize) {
  const TRectI s = SampleSquare({0, 0}, sampleSize);
  return TRectI{std::min(s.Left, g.Source.Left), std::min(s.Top, g.Source.Top), std::max(s.Right, g.Source.Right),
                std::max(s.Bottom, g.Source.Bottom)};
}

int ZoomStep(int zoom, int steps) {
  const auto* first = std::begin(kZoomFactors);
  const auto* last = std::end(kZoomFactors);
  const auto* at = std::find(first, last, zoom);
  if (at == last) at = std::find(first, last, kDefaultZoom);
  const std::int64_t i = std::clamp<std::int64_t>((at - first) + std::int64_t{steps}, 0, (last - first) - 1);
  return kZoomFactors[i];
}

int TWheelNotches::Take(int delta) {
  // A turn the other way starts afresh: half a notch forward and a whole
  // one back is one step back, not none.
  if ((FRest < 0 && delta > 0) || (FRest > 0 && delta < 0)) FRest = 0;
  FRest += delta;
  const std::int64_t n = FRest / kWheelDelta;
  FRest -= n * kWheelDelta;
  return static_cast<int>(n);
}
