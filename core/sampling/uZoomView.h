#pragma once
// The magnifier's geometry: the view keeps its size, so a larger zoom shows
// fewer screen pixels around the one under the pointer, which always sits
// in the middle of the view.
#include <cstdint>

#include "core/support/uGeometry.h"

inline constexpr int kZoomFactors[] = {2, 4, 8, 16, 32};
inline constexpr int kDefaultZoom = 8;

struct TZoomGeometry {
  int Cell = 1;      // view pixels along each side of one screen pixel
  TRectI Source{};   // the screen pixels shown, relative to the pointer's pixel at (0, 0); odd width and height
  TPointI Origin{};  // where the top-left pixel of Source lands in the view; zero or negative
  bool operator==(const TZoomGeometry&) const = default;
};

// The side of one screen pixel in the view: the zoom scaled to the view's DPI, at least one.
int ZoomCellSize(int zoom, int dpi);

// Enough whole cells around the centre one to cover the view; the centre
// cell starts at ((width - cell) / 2, (height - cell) / 2).
TZoomGeometry ZoomGeometry(int viewWidth, int viewHeight, int cell);

// The screen pixel a view point shows, relative to the pointer's pixel.
TPointI ViewToSource(const TZoomGeometry& g, TPointI view);

// The view rectangle covering the given screen pixels (relative to the pointer's pixel).
TRectI SourceToView(const TZoomGeometry& g, const TRectI& source);

// The outline of the sampled square in the view; it may reach beyond it.
TRectI SampleOutline(const TZoomGeometry& g, int sampleSize);

// What to copy from the screen, relative to the pointer's pixel: the pixels
// shown and the sampled square, which at large zooms reaches further.
TRectI CaptureRect(const TZoomGeometry& g, int sampleSize);

// steps factors up (positive) or down the list, stopping at its ends. A zoom
// not on the list counts as the default.
int ZoomStep(int zoom, int steps);

// Turns wheel deltas into whole notches (120 each), keeping the remainder
// for finer wheels; forward is positive.
class TWheelNotches {
 public:
  int Take(int delta);

 private:
  std::int64_t FRest = 0;
};
