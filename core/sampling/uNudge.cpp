#include "core/sampling/uNudge.h"

#include <algorithm>

namespace {

// VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN.
constexpr std::uint32_t kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;

int Add(int a, int b) { return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{a} + b, INT32_MIN, INT32_MAX)); }

}  // namespace

std::optional<TPointI> NudgeStep(std::uint32_t virtualKey, bool shift) {
  const int n = shift ? 10 : 1;
  switch (virtualKey) {
    case kLeft:
      return TPointI{-n, 0};
    case kUp:
      return TPointI{0, -n};
    case kRight:
      return TPointI{n, 0};
    case kDown:
      return TPointI{0, n};
    default:
      return std::nullopt;
  }
}

std::optional<TPointI> NudgedPoint(const TMonitorLayout& layout, TPointI point, std::uint32_t virtualKey, bool shift) {
  const std::optional<TPointI> step = NudgeStep(virtualKey, shift);
  if (!step) return std::nullopt;
  const TPointI to{Add(point.X, step->X), Add(point.Y, step->Y)};
  if (MonitorAt(layout, to) >= 0) return to;
  // Cut short at the edge of the monitor it starts on: pulled to the
  // nearest monitor instead, a step down could also slide sideways.
  const int from = MonitorAt(layout, point);
  if (from < 0) return ClampToMonitors(layout, to);
  const TRectI& b = layout[from].Bounds;
  return TPointI{std::clamp(to.X, b.Left, b.Right - 1), std::clamp(to.Y, b.Top, b.Bottom - 1)};
}
