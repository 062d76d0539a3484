#include "core/colorout/uDecimalText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

struct TFixed {
  std::uint64_t units = 0;
  double scale = 1;
};

TFixed Fixed(double x, int decimals) {
  decimals = std::clamp(decimals, 0, 9);
  if (std::isnan(x)) x = 0;
  TFixed fixed;
  for (int i = 0; i < decimals; ++i) fixed.scale *= 10;
  // The cap keeps the scaled value inside 64 bits whatever the decimals.
  const double magnitude = std::min(std::fabs(x), 1e18 / fixed.scale);
  fixed.units = static_cast<std::uint64_t>(std::floor(magnitude * fixed.scale + 0.5));
  return fixed;
}

}  // namespace

double FixedValue(double x, int decimals) {
  const TFixed fixed = Fixed(x, decimals);
  const double value = static_cast<double>(fixed.units) / fixed.scale;
  return x < 0 && fixed.units != 0 ? -value : value;
}

std::wstring FixedText(double x, int decimals) {
  decimals = std::clamp(decimals, 0, 9);
  const auto units = Fixed(x, decimals).units;
  std::wstring digits = std::to_wstring(units);
  if (decimals > 0) {
    if (digits.size() <= static_cast<std::size_t>(decimals))
      digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), L'0');
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, L'.');
  }
  if (x < 0 && units != 0) digits.insert(0, 1, L'-');
  return digits;
}
