#include "core/sampling/uMonitorLayout.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "core/shell/uIntToken.h"

namespace {

constexpr std::int32_t kMarginLogical = 16;

std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// Squared distance from the point to the nearest pixel of the rectangle
// (Right and Bottom are exclusive); zero inside. Each axis is below 2^32,
// so each square fits 64 unsigned bits; their sum saturates, which only
// makes absurdly far points equally far.
std::uint64_t DistanceSquared(const TRectI& r, std::int64_t x, std::int64_t y) {
  auto axis = [](std::int64_t v, std::int64_t lo, std::int64_t hiExclusive) -> std::uint64_t {
    if (v < lo) return static_cast<std::uint64_t>(lo - v);
    if (v >= hiExclusive) return static_cast<std::uint64_t>(v - std::max(lo, hiExclusive - 1));
    return 0;
  };
  const std::uint64_t dx = axis(x, r.Left, r.Right), dy = axis(y, r.Top, r.Bottom);
  const std::uint64_t sx = dx * dx, sy = dy * dy;
  return sx > UINT64_MAX - sy ? UINT64_MAX : sx + sy;
}

bool Holds(const TRectI& r, TPointI p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

std::uint64_t Overlap(const TRectI& a, const TRectI& b) {
  const std::int64_t w = std::int64_t{std::min(a.Right, b.Right)} - std::max(a.Left, b.Left);
  const std::int64_t h = std::int64_t{std::min(a.Bottom, b.Bottom)} - std::max(a.Top, b.Top);
  return w > 0 && h > 0 ? static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) : 0;
}

// The monitor whose key ranks first; on equal keys the primary monitor
// wins, then the earlier one.
template <typename Key, typename Before>
int BestMonitor(const TMonitorLayout& layout, Key key, Before before) {
  int best = -1;
  std::uint64_t bestKey = 0;
  for (int i = 0; i < static_cast<int>(layout.size()); ++i) {
    const std::uint64_t k = key(layout[i]);
    if (best < 0 || before(k, bestKey) || (k == bestKey && layout[i].Primary && !layout[best].Primary)) {
      best = i;
      bestKey = k;
    }
  }
  return best;
}

void Fit(std::int64_t& left, std::int64_t& top, std::int64_t width, std::int64_t height, const TRectI& w,
         std::int64_t margin) {
  if (left + width < w.Left + margin) left = w.Left + margin - width;
  if (top + height < w.Top + margin) top = w.Top + margin - height;
  if (w.Right - margin < left) left = w.Right - margin;
  if (w.Bottom - margin < top) top = w.Bottom - margin;
}

TRectI MakeRect(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) {
  return TRectI{Clamp32(left), Clamp32(top), Clamp32(left + width), Clamp32(top + height)};
}

}  // namespace

std::int32_t MulDivRound(std::int32_t value, std::int32_t numerator, std::int32_t denominator) {
  if (denominator == 0) return value;
  const std::int64_t product = std::int64_t{value} * numerator;
  const std::int64_t d = denominator;
  const bool negative = (product < 0) != (d < 0);
  const std::int64_t ap = product < 0 ? -product : product;
  const std::int64_t ad = d < 0 ? -d : d;
  // |product| is at most 2^62, so adding half the divisor cannot overflow.
  const std::int64_t q = (ap + ad / 2) / ad;
  return Clamp32(negative ? -q : q);
}

std::int32_t LogicalToPhysical(std::int32_t logical, int dpi) {
  return MulDivRound(logical, dpi > 0 ? dpi : kDefaultDpi, kDefaultDpi);
}

std::int32_t PhysicalToLogical(std::int32_t physical, int dpi) {
  return MulDivRound(physical, kDefaultDpi, dpi > 0 ? dpi : kDefaultDpi);
}

int MonitorAt(const TMonitorLayout& layout, TPointI point) {
  for (int i = 0; i < static_cast<int>(layout.size()); ++i)
    if (Holds(layout[i].Bounds, point)) return i;
  return -1;
}

int NearestMonitor(const TMonitorLayout& layout, TPointI point) {
  const int at = MonitorAt(layout, point);
  if (at >= 0) return at;
  return BestMonitor(
      layout, [&](const TMonitor& m) { return DistanceSquared(m.Bounds, point.X, point.Y); }, std::less<>());
}

int MonitorOfRect(const TMonitorLayout& layout, const TRectI& rect) {
  const int most = BestMonitor(
      layout, [&](const TMonitor& m) { return Overlap(m.Bounds, rect); }, std::greater<>());
  if (most < 0 || Overlap(layout[most].Bounds, rect) > 0) return most;
  const std::int64_t cx = (std::int64_t{rect.Left} + rect.Right) / 2, cy = (std::int64_t{rect.Top} + rect.Bottom) / 2;
  return BestMonitor(
      layout, [&](const TMonitor& m) { return DistanceSquared(m.Bounds, cx, cy); }, std::less<>());
}

TPointI ClampToMonitors(const TMonitorLayout& layout, TPointI point) {
  const int i = NearestMonitor(layout, point);
  if (i < 0) return point;
  const TRectI& b = layout[i].Bounds;
  if (b.Right <= b.Left || b.Bottom <= b.Top) return point;
  return TPointI{std::clamp(point.X, b.Left, b.Right - 1), std::clamp(point.Y, b.Top, b.Bottom - 1)};
}

int PrimaryMonitor(const TMonitorLayout& layout) {
  for (int i = 0; i < static_cast<int>(layout.size()); ++i)
    if (layout[i].Primary) return i;
  return layout.empty() ? -1 : 0;
}

TRectI FitToMonitor(const TRectI& window, const TMonitorLayout& layout) {
  const int i = MonitorOfRect(layout, window);
  if (i < 0) return window;
  const TMonitor& m = layout[i];
  std::int64_t left = window.Left, top = window.Top;
  const std::int64_t width = std::int64_t{window.Right} - window.Left;
  const std::int64_t height = std::int64_t{window.Bottom} - window.Top;
  Fit(left, top, width, height, m.Work, LogicalToPhysical(kMarginLogical, m.Dpi));
  return MakeRect(left, top, width, height);
}

std::wstring MonitorPosRecordText(const TRectI& normal, std::int32_t showState, const TMonitorLayout& layout) {
  const int i = MonitorOfRect(layout, normal);
  const TMonitor m = i >= 0 ? layout[i] : TMonitor{{0, 0, 0, 0}, {0, 0, 0, 0}, kDefaultDpi, true};
  // Offsets are taken in 64 bits: a window far off a monitor at the other
  // end of the virtual screen must not wrap.
  auto logical = [&](std::int64_t physical) { return PhysicalToLogical(Clamp32(physical), m.Dpi); };
  const std::int64_t fields[] = {logical(std::int64_t{normal.Left} - m.Work.Left),
                                 logical(std::int64_t{normal.Top} - m.Work.Top),
                                 logical(std::int64_t{normal.Right} - normal.Left),
                                 logical(std::int64_t{normal.Bottom} - normal.Top),
                                 showState,
                                 m.Bounds.Left,
                                 m.Bounds.Top};
  std::wstring text;
  for (std::int64_t f : fields) {
    if (!text.empty()) text += L',';
    text += std::to_wstring(f);
  }
  return text;
}

std::wstring StoredPosRecordText(const TRectI& normal, std::int32_t showState, const TMonitorLayout& layout) {
  std::wstring text = MonitorPosRecordText(normal, showState, layout);
  const int i = MonitorOfRect(layout, normal);
  if (i >= 0 && !layout[i].Primary) return text;
  // Cut before the monitor's two fields.
  std::size_t cut = text.size();
  for (int commas = 0, k = 0; k < static_cast<int>(text.size()); ++k)
    if (text[k] == L',' && ++commas == 5) {
      cut = k;
      break;
    }
  text.resize(cut);
  return text;
}

TRestoredPos RestoredMonitorPos(std::wstring_view record, const TRectI& designed, const TMonitorLayout& layout) {
  std::size_t pos = 0;
  const std::int32_t left = GetIntToken(record, pos, L',', designed.Left);
  const std::int32_t top = GetIntToken(record, pos, L',', designed.Top);
  std::int32_t width = GetIntToken(record, pos, L',', designed.Width());
  std::int32_t height = GetIntToken(record, pos, L',', designed.Height());
  const std::int32_t state = GetIntToken(record, pos, L',', kShowStateNormal);
  const std::optional<std::int32_t> monitorLeft = TextToInt(GetToken(record, pos, L','));
  const std::optional<std::int32_t> monitorTop = TextToInt(GetToken(record, pos, L','));

  TRestoredPos r;
  r.Maximized = state == kShowStateMaximized;
  if (width <= 0) width = designed.Width();
  if (height <= 0) height = designed.Height();
  int i = -1;
  if (monitorLeft && monitorTop) {
    for (int k = 0; k < static_cast<int>(layout.size()) && i < 0; ++k)
      if (layout[k].Bounds.Left == *monitorLeft && layout[k].Bounds.Top == *monitorTop) i = k;
  }
  if (i < 0) i = PrimaryMonitor(layout);
  if (i < 0) {
    r.Bounds = MakeRect(left, top, width, height);
    return r;
  }

  const TMonitor& m = layout[i];
  std::int64_t w = LogicalToPhysical(width, m.Dpi), h = LogicalToPhysical(height, m.Dpi);
  if (m.Work.Width() > 0) w = std::min<std::int64_t>(w, m.Work.Width());
  if (m.Work.Height() > 0) h = std::min<std::int64_t>(h, m.Work.Height());
  std::int64_t l = std::int64_t{m.Work.Left} + LogicalToPhysical(left, m.Dpi);
  std::int64_t t = std::int64_t{m.Work.Top} + LogicalToPhysical(top, m.Dpi);
  Fit(l, t, w, h, m.Work, LogicalToPhysical(kMarginLogical, m.Dpi));
  r.Bounds = MakeRect(l, t, w, h);
  return r;
}
