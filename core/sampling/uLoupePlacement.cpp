#include "core/sampling/uLoupePlacement.h"

#include <algorithm>

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

}  // namespace

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
  const auto scaled = [&](int v) { return LogicalToPhysical(v, m.Dpi); };
  // The union of the view's pixels and the cursor, in screen pixels.
  const int keepLeft = at.X + std::min(keepOut.Left, scaled(kPointerExtent.Left));
  const int keepRight = at.X + std::max(keepOut.Right, scaled(kPointerExtent.Right));
  const int keepTop = at.Y + std::min(keepOut.Top, scaled(kPointerExtent.Top));
  const int keepBottom = at.Y + std::max(keepOut.Bottom, scaled(kPointerExtent.Bottom));
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
