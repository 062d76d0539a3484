#pragma once
// The colour the eyedropper takes from a block of captured screen pixels:
// one pixel, the mean of a square around it, or the square's most frequent
// colour.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/color/uColor.h"
#include "core/sampling/uMonitorLayout.h"
#include "core/support/uGeometry.h"

enum class TSampleMode : std::int32_t { Mean = 0, MostFrequent = 1 };

// Captured pixels row by row from the top, Width x Height colour references
// (the high byte is ignored). A pixel whose OnScreen flag is zero lay off
// every screen and never counts; an empty OnScreen counts every pixel.
struct TPixelBlock {
  int Width = 0;
  int Height = 0;
  std::span<const TColor> Pixels;
  std::span<const std::uint8_t> OnScreen;
};

// The square of side 2 * (size / 2) + 1 centred on centre, in block
// coordinates; a size below one is one. It may reach beyond the block.
TRectI SampleSquare(TPointI centre, int size);

// Each of red, green and blue averaged over the counted pixels of the
// square, rounded half up. No value when no pixel counts.
std::optional<TColor> AreaMean(const TPixelBlock& block, TPointI centre, int size);

// The colour that occurs most often among the counted pixels of the square.
// A tie goes to the colour with a pixel nearest the centre (squared
// Euclidean distance in pixels), and among equally near pixels to the one
// that comes first reading rows from the top, each from the left. No value
// when no pixel counts.
std::optional<TColor> AreaMostFrequent(const TPixelBlock& block, TPointI centre, int size);

std::optional<TColor> SampleArea(const TPixelBlock& block, TPointI centre, int size, TSampleMode mode);

// One flag a pixel of the virtual-screen rectangle, row by row from the
// top: 1 where some monitor shows the pixel, 0 in the gaps and beyond.
std::vector<std::uint8_t> OnScreenMask(const TRectI& area, const TMonitorLayout& layout);
