#pragma once
// Where the pick mode's loupe goes: beside the pointer, clear of the pixels
// it magnifies and of the pointer's cursor, on the other side where the
// monitor's edge leaves no room, and never off the monitor the pointer is on.
// Its size is designed at 96 DPI and follows that monitor's DPI.
#include "core/sampling/uMonitorLayout.h"
#include "core/support/uGeometry.h"

struct TLoupePlacement {
  TRectI Bounds{};  // physical pixels of the virtual screen
  int Dpi = kDefaultDpi;
  bool operator==(const TLoupePlacement&) const = default;
};

// The gap between what must stay visible and the loupe, at 96 DPI.
inline constexpr int kLoupeGap = 8;

// keepOut: the screen pixels around the pointer that stay visible (the view
// and the sampled square), relative to the pointer's pixel at (0, 0), at the
// monitor's DPI; the cursor's extent is added here. width and height: the
// loupe at 96 DPI.
TLoupePlacement PlaceLoupe(const TMonitorLayout& layout, TPointI pointer, int width, int height,
                           const TRectI& keepOut);

// How far, at 96 DPI, the loupe may lag behind its place before it moves:
// a window move costs more than all else a pointer move does, so small
// moves only update what the loupe shows.
inline constexpr int kLoupeSlack = 24;

// Whether the loupe at current may stay there for the pointer's new place
// (wanted, from PlaceLoupe with the same keepOut): the same size and DPI,
// within kLoupeSlack of wanted, and still clear of the pixels and the cursor.
bool LoupeMayStay(const TMonitorLayout& layout, TPointI pointer, const TRectI& keepOut, const TLoupePlacement& current,
                  const TLoupePlacement& wanted);

// The pointer's extent around its hot spot at 96 DPI: the eyedropper
// cursor is 32 x 32 with its hot spot at (1, 14).
inline constexpr TRectI kPointerExtent{-1, -14, 31, 18};
