#include "core/sampling/uLoupePlacement.h"

#include <algorithm>
#include <cstdlib>

namespace {

// One axis: after the kept-out span when it fits, else before it, else as
// far in as the monitor allows.
int Place(int low, int high, int size, int keepLow, int keepHigh, int gap) {
  const int after = keepHigh + gap;
  if (after + size <= high) return after;
  const int before = keepLow - gap - size;
  if (before >= low) return before;
  return std::clamp(after, low, std::max(low, high - size));
}

// The union of the view's pixels and the cursor, in screen pixels.
TRectI KeepClear(TPointI at, const TRectI& keepOut, int dpi) {
  const auto scaled = [dpi](int v) { return LogicalToPhysical(v, dpi); };
  return TRectI{at.X + std::min(keepOut.Left, scaled(kPointerExtent.Left)),
                at.Y + std::min(keepOut.Top, scaled(kPointerExtent.Top)),
                at.X + std::max(keepOut.Right, scaled(kPointerExtent.Right)),
                at.Y + std::max(keepOut.Bottom, scaled(kPointerExtent.Bottom))};
}

}  // namespace

bool LoupeMayStay(const TMonitorLayout& layout, TPointI pointer, const TRectI& keepOut, const TLoupePlacement& current,
                  const TLoupePlacement& wanted) {
  const TRectI &now = current.Bounds, &want = wanted.Bounds;
  if (current.Dpi != wanted.Dpi || now.Width() != want.Width() || now.Height() != want.Height()) return false;
  const int slack = LogicalToPhysical(kLoupeSlack, wanted.Dpi);
  if (std::abs(now.Left - want.Left) > slack || std::abs(now.Top - want.Top) > slack) return false;
  const int index = NearestMonitor(layout, pointer);
  if (index < 0) return false;
  const TRectI& monitor = layout[static_cast<std::size_t>(index)].Bounds;
  if (now.Left < monitor.Left || now.Top < monitor.Top || now.Right > monitor.Right || now.Bottom > monitor.Bottom)
    return false;
  const TRectI keep = KeepClear(ClampToMonitors(layout, pointer), keepOut, wanted.Dpi);
  return now.Right <= keep.Left || now.Left >= keep.Right || now.Bottom <= keep.Top || now.Top >= keep.Bottom;
}

TLoupePlacement PlaceLoupe(const TMonitorLayout& layout, TPointI pointer, int width, int height,
                           const TRectI& keepOut) {
  TLoupePlacement p;
  const int index = NearestMonitor(layout, pointer);
  if (index < 0) return p;
  const TMonitor& m = layout[static_cast<std::size_t>(index)];
  p.Dpi = m.Dpi;
  const int w = std::min(LogicalToPhysical(width, m.Dpi), m.Bounds.Width());
  const int h = std::min(LogicalToPhysical(height, m.Dpi), m.Bounds.Height());
  const int gap = LogicalToPhysical(kLoupeGap, m.Dpi);
  const TPointI at = ClampToMonitors(layout, pointer);
  const TRectI keep = KeepClear(at, keepOut, m.Dpi);
  const int keepLeft = keep.Left, keepRight = keep.Right, keepTop = keep.Top, keepBottom = keep.Bottom;
  // Beside the pointer: clear of it sideways, and level with it, below
  // where there is room, above where not.
  const int left = Place(m.Bounds.Left, m.Bounds.Right, w, keepLeft, keepRight, gap);
  int top = at.Y + gap;
  if (top + h > m.Bounds.Bottom) top = at.Y - gap - h;
  top = std::clamp(top, m.Bounds.Top, std::max(m.Bounds.Top, m.Bounds.Bottom - h));
  // Where the monitor is too narrow for either side, step out below or above.
  const bool overlapsSideways = left < keepRight && left + w > keepLeft;
  if (overlapsSideways) top = Place(m.Bounds.Top, m.Bounds.Bottom, h, keepTop, keepBottom, gap);
  p.Bounds = TRectI{left, top, left + w, top + h};
  return p;
}
