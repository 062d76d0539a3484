#pragma once
// Where a window goes back to from its stored placement record
// "left,top,width,height,showState" (left and top relative to the work area).
#include <cstdint>
#include <string>
#include <string_view>

#include "core/support/uGeometry.h"

inline constexpr std::int32_t kShowStateNormal = 1;
inline constexpr std::int32_t kShowStateMaximized = 3;

// Moves left and top so that at least 16 pixels of the window stay inside
// the work area in each direction; width and height are never changed.
void FitToWorkArea(std::int32_t& left, std::int32_t& top, std::int32_t width, std::int32_t height, const TRectI& work);

// The bounds cut to the work area's size and moved wholly inside it: a
// window without a stored place never overhangs the screen.
TRectI FitInsideWorkArea(const TRectI& bounds, const TRectI& work);

// The top-left corner of a window of the given size centred on owner, then
// moved inside the work area (its top-left corner wins when it is larger).
TPointI CentreOn(const TRectI& owner, std::int32_t width, std::int32_t height, const TRectI& work);

struct TRestoredPos {
  TRectI Bounds;  // screen coordinates
  bool Maximized = false;
  bool operator==(const TRestoredPos&) const = default;
};

// Each missing or unusable field keeps the current bounds' value. A size of
// zero or less keeps the current size and a size beyond the work area's is
// cut to it, so a damaged record cannot make the window vanish or swamp
// the screen.
TRestoredPos RestoredPos(std::wstring_view record, const TRectI& current, const TRectI& work);

// The record for a normal placement given in work-area coordinates.
std::wstring PosRecordText(const TRectI& normal, std::int32_t showState);
