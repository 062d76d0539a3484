#include "core/sampling/uAreaSample.h"

#include <algorithm>
#include <cstddef>

#include "core/colorout/uColorChannels.h"

namespace {

constexpr TColor kRgbMask = 0x00FFFFFF;

// Visits the counted pixels of the square that lie inside the block.
template <typename Visit>
void ForEachCounted(const TPixelBlock& block, TPointI centre, int size, Visit visit) {
  if (block.Width <= 0 || block.Height <= 0) return;
  const std::size_t total = static_cast<std::size_t>(block.Width) * static_cast<std::size_t>(block.Height);
  if (block.Pixels.size() < total) return;
  const bool masked = !block.OnScreen.empty();
  if (masked && block.OnScreen.size() < total) return;
  const std::int64_t half = std::max(size, 1) / 2;
  const std::int64_t x0 = std::max<std::int64_t>(centre.X - half, 0);
  const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{centre.X} + half, block.Width - 1);
  const std::int64_t y0 = std::max<std::int64_t>(centre.Y - half, 0);
  const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{centre.Y} + half, block.Height - 1);
  for (std::int64_t y = y0; y <= y1; ++y) {
    for (std::int64_t x = x0; x <= x1; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * block.Width + x);
      if (masked && block.OnScreen[i] == 0) continue;
      visit(block.Pixels[i] & kRgbMask, x - centre.X, y - centre.Y);
    }
  }
}

}  // namespace

TRectI SampleSquare(TPointI centre, int size) {
  const std::int64_t half = std::max(size, 1) / 2;
  auto clamp = [](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); };
  return TRectI{clamp(centre.X - half), clamp(centre.Y - half), clamp(centre.X + half + 1), clamp(centre.Y + half + 1)};
}

std::optional<TColor> AreaMean(const TPixelBlock& block, TPointI centre, int size) {
  std::uint64_t red = 0, green = 0, blue = 0, count = 0;
  ForEachCounted(block, centre, size, [&](TColor c, std::int64_t, std::int64_t) {
    red += static_cast<std::uint64_t>(RedOf(c));
    green += static_cast<std::uint64_t>(GreenOf(c));
    blue += static_cast<std::uint64_t>(BlueOf(c));
    ++count;
  });
  if (count == 0) return std::nullopt;
  // floor(sum / count + 1/2) in integers.
  auto mean = [count](std::uint64_t sum) { return static_cast<TColor>((2 * sum + count) / (2 * count)); };
  return mean(red) | mean(green) << 8 | mean(blue) << 16;
}

std::optional<TColor> AreaMostFrequent(const TPixelBlock& block, TPointI centre, int size) {
  struct Seen {
    TColor Color;
    std::int64_t Distance;
    std::int64_t Order;  // reading order: rows from the top, each from the left
  };
  std::vector<Seen> seen;
  ForEachCounted(block, centre, size, [&](TColor c, std::int64_t dx, std::int64_t dy) {
    seen.push_back({c, dx * dx + dy * dy, static_cast<std::int64_t>(seen.size())});
  });
  if (seen.empty()) return std::nullopt;
  // Grouped by colour, each group's best pixel first.
  std::sort(seen.begin(), seen.end(), [](const Seen& a, const Seen& b) {
    if (a.Color != b.Color) return a.Color < b.Color;
    if (a.Distance != b.Distance) return a.Distance < b.Distance;
    return a.Order < b.Order;
  });
  const Seen* best = nullptr;
  std::size_t bestCount = 0;
  for (std::size_t i = 0; i < seen.size();) {
    std::size_t j = i;
    while (j < seen.size() && seen[j].Color == seen[i].Color) ++j;
    const std::size_t n = j - i;
    const Seen& s = seen[i];
    if (!best || n > bestCount ||
        (n == bestCount && (s.Distance < best->Distance || (s.Distance == best->Distance && s.Order < best->Order)))) {
      best = &s;
      bestCount = n;
    }
    i = j;
  }
  return best->Color;
}

std::optional<TColor> SampleArea(const TPixelBlock& block, TPointI centre, int size, TSampleMode mode) {
  return mode == TSampleMode::MostFrequent ? AreaMostFrequent(block, centre, size) : AreaMean(block, centre, size);
}

std::vector<std::uint8_t> OnScreenMask(const TRectI& area, const TMonitorLayout& layout) {
  std::vector<std::uint8_t> mask;
  if (area.Right <= area.Left || area.Bottom <= area.Top) return mask;
  mask.reserve(static_cast<std::size_t>(std::int64_t{area.Right} - area.Left) *
               static_cast<std::size_t>(std::int64_t{area.Bottom} - area.Top));
  for (std::int64_t y = area.Top; y < area.Bottom; ++y)
    for (std::int64_t x = area.Left; x < area.Right; ++x)
      mask.push_back(MonitorAt(layout, {static_cast<int>(x), static_cast<int>(y)}) >= 0 ? 1 : 0);
  return mask;
}
