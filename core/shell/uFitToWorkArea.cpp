#include "core/shell/uFitToWorkArea.h"

#include <algorithm>

#include "core/shell/uIntToken.h"

namespace {

constexpr std::int64_t kMargin = 16;

std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// Sizes are cut to the work area and left and top stay within one window
// size of it, so everything fits 64 bits before the result is clamped.
void Fit(std::int64_t& left, std::int64_t& top, std::int64_t width, std::int64_t height, const TRectI& w) {
  if (left + width < w.Left + kMargin) left = w.Left + kMargin - width;
  if (top + height < w.Top + kMargin) top = w.Top + kMargin - height;
  if (w.Right - kMargin < left) left = w.Right - kMargin;
  if (w.Bottom - kMargin < top) top = w.Bottom - kMargin;
}

std::int32_t UsableSize(std::int32_t stored, std::int32_t current, std::int32_t workExtent) {
  if (stored <= 0) stored = current;
  if (workExtent > 0 && stored > workExtent) stored = workExtent;
  return stored;
}

}  // namespace

void FitToWorkArea(std::int32_t& left, std::int32_t& top, std::int32_t width, std::int32_t height, const TRectI& work) {
  std::int64_t l = left, t = top;
  Fit(l, t, width, height, work);
  left = Clamp32(l);
  top = Clamp32(t);
}

namespace {

// The start of an extent placed inside [lo, hi): the far edge first, so the
// near one wins when the extent does not fit.
std::int64_t Inside(std::int64_t start, std::int64_t extent, std::int64_t lo, std::int64_t hi) {
  return std::max(std::min(start, hi - extent), lo);
}

}  // namespace

TRectI FitInsideWorkArea(const TRectI& bounds, const TRectI& work) {
  const std::int64_t w = std::min<std::int64_t>(std::int64_t{bounds.Right} - bounds.Left, work.Width());
  const std::int64_t h = std::min<std::int64_t>(std::int64_t{bounds.Bottom} - bounds.Top, work.Height());
  const std::int64_t l = Inside(bounds.Left, w, work.Left, work.Right);
  const std::int64_t t = Inside(bounds.Top, h, work.Top, work.Bottom);
  return TRectI{Clamp32(l), Clamp32(t), Clamp32(l + w), Clamp32(t + h)};
}

TPointI CentreOn(const TRectI& owner, std::int32_t width, std::int32_t height, const TRectI& work) {
  const std::int64_t l = std::int64_t{owner.Left} + (std::int64_t{owner.Right} - owner.Left - width) / 2;
  const std::int64_t t = std::int64_t{owner.Top} + (std::int64_t{owner.Bottom} - owner.Top - height) / 2;
  return TPointI{Clamp32(Inside(l, width, work.Left, work.Right)), Clamp32(Inside(t, height, work.Top, work.Bottom))};
}

TRestoredPos RestoredPos(std::wstring_view record, const TRectI& current, const TRectI& work) {
  std::size_t pos = 0;
  const std::int32_t left = GetIntToken(record, pos, L',', current.Left - work.Left);
  const std::int32_t top = GetIntToken(record, pos, L',', current.Top - work.Top);
  const std::int32_t width = GetIntToken(record, pos, L',', current.Width());
  const std::int32_t height = GetIntToken(record, pos, L',', current.Height());
  const std::int32_t state = GetIntToken(record, pos, L',', kShowStateNormal);

  const std::int32_t w = UsableSize(width, current.Width(), work.Width());
  const std::int32_t h = UsableSize(height, current.Height(), work.Height());
  std::int64_t l = std::int64_t{left} + work.Left;
  std::int64_t t = std::int64_t{top} + work.Top;
  Fit(l, t, w, h, work);
  TRestoredPos r;
  r.Bounds = TRectI{Clamp32(l), Clamp32(t), Clamp32(l + w), Clamp32(t + h)};
  r.Maximized = state == kShowStateMaximized;
  return r;
}

std::wstring PosRecordText(const TRectI& normal, std::int32_t showState) {
  const std::int64_t fields[] = {normal.Left, normal.Top, std::int64_t{normal.Right} - normal.Left,
                                 std::int64_t{normal.Bottom} - normal.Top, showState};
  std::wstring text;
  for (std::int64_t f : fields) {
    if (!text.empty()) text += L',';
    text += std::to_wstring(f);
  }
  return text;
}
