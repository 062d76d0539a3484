#include "core/support/uNiceScale.h"

#include <cmath>

#include "core/support/uArith.h"

namespace {

// 10^e as an exact factor: scaling by a negative power is a division by the
// exact positive one, since 0.1 and its kin have no exact double.
double TimesPow10(double x, int e) { return e >= 0 ? x * std::pow(10.0, e) : x / std::pow(10.0, -e); }

// floor(q), except that a quotient within rounding noise of a whole number
// counts as that number: 1.1 / 0.1 is 11.000000000000002 in doubles.
double SnapFloor(double q) {
  const double r = std::round(q);
  return std::fabs(q - r) <= 1e-9 * std::fmax(1.0, std::fabs(r)) ? r : std::floor(q);
}

double SnapCeil(double q) {
  const double r = std::round(q);
  return std::fabs(q - r) <= 1e-9 * std::fmax(1.0, std::fabs(r)) ? r : std::ceil(q);
}

}  // namespace

double RoundSignificant(int digits, double x) {
  if (x == 0 || !std::isfinite(x)) return x;
  const int e = static_cast<int>(std::floor(std::log10(std::fabs(x)))) - digits + 1;
  return TimesPow10(RoundHalfAway(TimesPow10(x, -e)), e);
}

double NiceNumber(double x) {
  if (!(x > 0) || !std::isfinite(x)) return 0;
  const int e = static_cast<int>(std::floor(std::log10(x)));
  const double f = TimesPow10(x, -e);
  double nice;
  if (f < 1.5)
    nice = 1;
  else if (f < 3)
    nice = 2;
  else if (f < 7)
    nice = 5;
  else
    nice = 10;
  return TimesPow10(nice, e);
}

void NiceScale(double upper, double lower, double& step, double& scaleMin, double& scaleMax) {
  step = NiceNumber(std::fabs(upper - lower) / 5);
  if (step == 0) {
    scaleMin = lower;
    scaleMax = upper;
    return;
  }
  scaleMin = SnapFloor(lower / step) * step;
  scaleMax = SnapCeil(upper / step) * step;
}
