#pragma once
// Channels of a TColor (red in the low byte) and back.
#include "core/color/uColor.h"

constexpr int RedOf(TColor color) { return static_cast<int>(color & 0xFFu); }
constexpr int GreenOf(TColor color) { return static_cast<int>(color >> 8 & 0xFFu); }
constexpr int BlueOf(TColor color) { return static_cast<int>(color >> 16 & 0xFFu); }

// Each channel is taken modulo 256.
constexpr TColor MakeColor(int red, int green, int blue) {
  return static_cast<TColor>(red & 0xFF) | static_cast<TColor>(green & 0xFF) << 8 |
         static_cast<TColor>(blue & 0xFF) << 16;
}
