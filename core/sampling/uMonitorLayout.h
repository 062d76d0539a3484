#pragma once
// Monitors as the system reports them to a per-monitor DPI aware program:
// every rectangle in physical pixels of the virtual screen, whose origin is
// the primary monitor's top-left corner, so monitors left of or above it
// have negative coordinates.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/shell/uFitToWorkArea.h"
#include "core/support/uGeometry.h"

inline constexpr int kDefaultDpi = 96;

struct TMonitor {
  TRectI Bounds;
  TRectI Work;  // Bounds without the task bars
  int Dpi = kDefaultDpi;
  bool Primary = false;
  bool operator==(const TMonitor&) const = default;
};

using TMonitorLayout = std::vector<TMonitor>;

// value * numerator / denominator rounded half away from zero, as the
// system's MulDiv, but exact for every 32-bit input and saturating instead
// of failing; a denominator of zero gives value unchanged.
std::int32_t MulDivRound(std::int32_t value, std::int32_t numerator, std::int32_t denominator);

// Sizes and offsets between 96-DPI logical units and a monitor's pixels.
std::int32_t LogicalToPhysical(std::int32_t logical, int dpi);
std::int32_t PhysicalToLogical(std::int32_t physical, int dpi);

// The index of the monitor whose bounds hold the point, or -1.
int MonitorAt(const TMonitorLayout& layout, TPointI point);

// The monitor holding the point, else the one whose nearest pixel is closest
// (squared Euclidean distance); equal distances go to the primary monitor,
// then to the earlier one. -1 only for an empty layout.
int NearestMonitor(const TMonitorLayout& layout, TPointI point);

// The monitor sharing the largest area with the rectangle, else the one
// nearest its centre, as the system places a window. -1 only for an empty layout.
int MonitorOfRect(const TMonitorLayout& layout, const TRectI& rect);

// The point itself when a monitor shows it, else the nearest pixel of the
// nearest monitor; the point for an empty layout.
TPointI ClampToMonitors(const TMonitorLayout& layout, TPointI point);

// The primary monitor, else the first. -1 only for an empty layout.
int PrimaryMonitor(const TMonitorLayout& layout);

// Moves the window, without resizing it, so that at least 16 logical pixels
// of it stay inside the work area of its monitor in each direction. With a
// single 96-DPI monitor this is FitToWorkArea.
TRectI FitToMonitor(const TRectI& window, const TMonitorLayout& layout);

// The stored placement: "left,top,width,height,showState,monitorLeft,monitorTop".
// Left and top are relative to the work area of the monitor the window was
// on and, like width and height, in 96-DPI logical units; the last two
// fields name that monitor by the top-left corner of its bounds. A record of
// the first five fields only, as written before monitors were told apart,
// belongs to the primary monitor.
std::wstring MonitorPosRecordText(const TRectI& normal, std::int32_t showState, const TMonitorLayout& layout);

// The record as stored: MonitorPosRecordText, but on the primary monitor
// only the first five fields, as older versions wrote (and read) it; a
// record without a monitor belongs to the primary one anyway.
std::wstring StoredPosRecordText(const TRectI& normal, std::int32_t showState, const TMonitorLayout& layout);

// Puts the window back on the monitor named by the record, or on the
// primary monitor when that one is gone, at that monitor's DPI. Missing or
// unusable fields take the designed bounds, given in logical units relative
// to the work area. Sizes are cut to the work area and the position is
// fitted as by FitToMonitor.
TRestoredPos RestoredMonitorPos(std::wstring_view record, const TRectI& designed, const TMonitorLayout& layout);
