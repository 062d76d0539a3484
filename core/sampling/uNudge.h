#pragma once
// Moving the pointer with the arrow keys while the eyedropper is held: one
// physical pixel a press, ten with Shift, never off the screens.
#include <cstdint>
#include <optional>

#include "core/sampling/uMonitorLayout.h"
#include "core/support/uGeometry.h"

// The step for a virtual-key code, or nothing when the key is no arrow.
std::optional<TPointI> NudgeStep(std::uint32_t virtualKey, bool shift);

// Where the pointer goes from point: the step, cut short at the edge of the
// monitor it starts on when it would leave every screen (from off the
// screens, onto the nearest monitor). Nothing when the key is no arrow.
std::optional<TPointI> NudgedPoint(const TMonitorLayout& layout, TPointI point, std::uint32_t virtualKey, bool shift);
