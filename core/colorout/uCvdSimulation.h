#pragma once
// How a colour looks to a person with a colour-vision deficiency: Machado,
// Oliveira and Fernandes (2009) at severity 1.0 for the dichromacies, the
// relative luminance as grey for achromatopsia.
#include <vector>

#include "core/color/uColor.h"

// Stored as its number, 0 to 4.
enum class TCvdKind { None = 0, Protanopia, Deuteranopia, Tritanopia, Achromatopsia };

// The colour as seen with the deficiency; None gives it back unchanged.
// The matrices act on linear sRGB; each result is clipped, encoded and
// rounded half up.
TColor SimulateCvd(TColor color, TCvdKind kind);

// A stored number back to a kind; anything outside 0..4 reads None.
TCvdKind CvdKindFromSetting(int value);

// The OKLab distance below which two colours count as hard to tell apart.
inline constexpr double kHardToTellApartDistance = 0.04;

// Of protanopia, deuteranopia and tritanopia (in that order), those under
// which a and b come closer than the distance above although they are at
// least that far apart as they are.
std::vector<TCvdKind> HardToTellApart(TColor a, TColor b);
