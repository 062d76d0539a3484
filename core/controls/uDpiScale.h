#pragma once
// Layout numbers written for 96 DPI, taken to a monitor's DPI. Positions
// scale by their edges, so controls that touch or keep apart at 96 DPI do
// the same at any DPI.
#include <cstdint>

#include "core/support/uGeometry.h"

// A rectangle given in pixels at fromDpi (the designed numbers at 96), in
// pixels at toDpi. Going up from 96 and back down gives the rectangle back.
TRectI ScaleRectForDpi(const TRectI& rect, int fromDpi, int toDpi);

// A window's outer size (one axis) for its designed client area at another
// DPI: outer was designed around a frame (caption, menu bar, borders) of
// designedFrame pixels at fromDpi; the window now has a frame of frame pixels.
std::int32_t ScaledOuterSize(std::int32_t outer, std::int32_t designedFrame, std::int32_t frame, int fromDpi,
                             int toDpi);

// Pixel art taken to another size by nearest neighbour: the source pixel a
// destination pixel shows. Every source pixel is shown at least once when
// the destination is at least as large, so a one-pixel line never vanishes.
int NearestSourcePixel(int destination, int destinationSize, int sourceSize);

// The side of the tool bar's images at a DPI: the sizes they are drawn for
// (16 up to 143 DPI, 24 up to 191, 32 from 192), so they are never blurred
// by scaling.
int ToolImageSizeForDpi(int dpi) noexcept;
