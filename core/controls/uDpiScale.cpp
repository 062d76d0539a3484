#include "core/controls/uDpiScale.h"

#include "core/sampling/uMonitorLayout.h"

TRectI ScaleRectForDpi(const TRectI& rect, int fromDpi, int toDpi) {
  const int from = fromDpi > 0 ? fromDpi : kDefaultDpi, to = toDpi > 0 ? toDpi : kDefaultDpi;
  return TRectI{MulDivRound(rect.Left, to, from), MulDivRound(rect.Top, to, from), MulDivRound(rect.Right, to, from),
                MulDivRound(rect.Bottom, to, from)};
}

std::int32_t ScaledOuterSize(std::int32_t outer, std::int32_t designedFrame, std::int32_t frame, int fromDpi,
                             int toDpi) {
  const int from = fromDpi > 0 ? fromDpi : kDefaultDpi, to = toDpi > 0 ? toDpi : kDefaultDpi;
  return frame + MulDivRound(outer - designedFrame, to, from);
}

int NearestSourcePixel(int destination, int destinationSize, int sourceSize) {
  if (destinationSize <= 0 || sourceSize <= 0) return 0;
  // Pixel centres: destination pixel d covers source (d + 1/2) * source / destination.
  const std::int64_t s = (2 * std::int64_t{destination} + 1) * sourceSize / (2 * std::int64_t{destinationSize});
  return static_cast<int>(s < 0 ? 0 : s >= sourceSize ? sourceSize - 1 : s);
}

int ToolImageSizeForDpi(int dpi) noexcept { return dpi >= 192 ? 32 : dpi >= 144 ? 24 : 16; }
