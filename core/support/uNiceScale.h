#pragma once
// Rounding and the "nice" label steps of scales.

// x kept to `digits` significant digits (1 to 9), halves away from zero;
// 0 stays 0 and non-finite values are returned unchanged.
double RoundSignificant(int digits, double x);

// 1, 2 or 5 times a power of ten near x; 0 for x that is not positive and finite.
double NiceNumber(double x);

// A step of about a fifth of the span and the multiples of it that enclose
// lower..upper. With an empty span the step is 0 and the scale is lower..upper.
void NiceScale(double upper, double lower, double& step, double& scaleMin, double& scaleMax);
