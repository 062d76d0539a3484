#pragma once
// The colour nearest the current one, by OKLCH lightness alone, that passes
// a WCAG 2 contrast mark against a comparison colour.
#include <optional>

#include "core/color/uColor.h"

// Of the colours with current's OKLCH hue and chroma (brought into sRGB by
// chroma alone), the one whose 8-bit ratio against comparison is at least
// minimumRatio (4.5 for AA, 7 for AAA) and whose lightness is nearest
// current's, lighter or darker, found by bisection to 0.0001. current itself
// when it passes already; none when no lightness reaches the ratio.
std::optional<TColor> NearestPassingColor(TColor current, TColor comparison, double minimumRatio);
