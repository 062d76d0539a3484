#pragma once
// Fixed-point decimal text that ignores the C locale, so every build and
// every user setting copies the same digits.
#include <string>

// x rounded half away from zero to the given number of decimals (0..9),
// with a '.' separator and a '-' only when the rounded value is not zero:
// FixedText(0.31917, 4) is "0.3192", FixedText(-0.00001, 2) is "0.00".
// NaN gives "0" with the requested decimals; magnitudes are capped so that
// at most 19 digits are written.
std::wstring FixedText(double x, int decimals);

// The number FixedText's digits stand for, as a reader of them gets it:
// the rounded units divided by the power of ten (0 rather than -0).
double FixedValue(double x, int decimals);
