#pragma once
// The general decimal text of a number, as the numeric edits show it, and
// the reverse conversion. Both ignore the C locale: the decimal separator is
// passed in, so the Windows side can hand over the user's own.

#include <optional>
#include <string>
#include <string_view>

// Shortest form with up to 15 significant digits: fixed notation from 1E-5
// up to 15 integer digits ("255", "0.5", "0.00001"), otherwise scientific
// with an exponent of as few digits as needed ("1E15", "1.5E-6").
std::wstring FloatToStr(double x, wchar_t decimalSeparator = L'.');

// Blanks around it allowed, an optional sign, digits with at most one
// separator (at least one digit) and an optional exponent. No infinities,
// no NaN, nothing out of the double range.
std::optional<double> TryStrToFloat(std::wstring_view text, wchar_t decimalSeparator = L'.');
