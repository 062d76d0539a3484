#pragma once
// The DPI of windows and monitors. The per-monitor functions exist from
// Windows 8.1 and 10 on; older systems (and older Wine) answer the system DPI.
#include <windows.h>

#include "core/sampling/uMonitorLayout.h"

namespace fw {

// The DPI the window is drawn at: its monitor's for a per-monitor aware program.
int WindowDpi(HWND wnd) noexcept;
// The DPI of one monitor.
int MonitorDpi(HMONITOR monitor) noexcept;
// The system DPI (the primary monitor's at log-on).
int SystemDpi() noexcept;

// The width and height a frame of this style (with a one-line menu bar when
// menu is set) adds to the client area at dpi.
SIZE FrameSize(DWORD style, DWORD exStyle, bool menu, int dpi) noexcept;

// Every monitor with its bounds, work area and DPI; empty when the system
// lists none.
TMonitorLayout DisplayMonitors();

// A copy of bitmap at another size, each pixel repeated or dropped (no
// blending), so pixel art stays crisp; null when GDI refuses.
HBITMAP StretchBitmapNearest(HBITMAP bitmap, int width, int height) noexcept;

}  // namespace fw
