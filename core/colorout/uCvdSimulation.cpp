#include "core/colorout/uCvdSimulation.h"

#include <cmath>

#include "core/colorout/uColorSpaces.h"

namespace {

using TMatrix = double[3][3];

// Severity 1.0 rows of the published tables.
constexpr TMatrix kProtanopia = {
    {0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}};
constexpr TMatrix kDeuteranopia = {
    {0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}};
constexpr TMatrix kTritanopia = {
    {1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}};

TLinearRgb Apply(const TMatrix& m, const TLinearRgb& c) {
  return {m[0][0] * c.r + m[0][1] * c.g + m[0][2] * c.b, m[1][0] * c.r + m[1][1] * c.g + m[1][2] * c.b,
          m[2][0] * c.r + m[2][1] * c.g + m[2][2] * c.b};
}

double OkLabDistance(TColor a, TColor b) {
  const TOkLab p = ColorToOkLab(a), q = ColorToOkLab(b);
  return std::sqrt((p.L - q.L) * (p.L - q.L) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b));
}

}  // namespace

TColor SimulateCvd(TColor color, TCvdKind kind) {
  const TLinearRgb linear = ColorToLinear(color);
  switch (kind) {
    case TCvdKind::Protanopia:
      return LinearToColor(Apply(kProtanopia, linear));
    case TCvdKind::Deuteranopia:
      return LinearToColor(Apply(kDeuteranopia, linear));
    case TCvdKind::Tritanopia:
      return LinearToColor(Apply(kTritanopia, linear));
    case TCvdKind::Achromatopsia: {
      const double y = 0.2126 * linear.r + 0.7152 * linear.g + 0.0722 * linear.b;
      return LinearToColor({y, y, y});
    }
    case TCvdKind::None:
      break;
  }
  return color & 0xFFFFFFu;
}

TCvdKind CvdKindFromSetting(int value) {
  return value >= 0 && value <= 4 ? static_cast<TCvdKind>(value) : TCvdKind::None;
}

std::vector<TCvdKind> HardToTellApart(TColor a, TColor b) {
  std::vector<TCvdKind> kinds;
  if (OkLabDistance(a, b) < kHardToTellApartDistance) return kinds;
  for (const TCvdKind kind : {TCvdKind::Protanopia, TCvdKind::Deuteranopia, TCvdKind::Tritanopia})
    if (OkLabDistance(SimulateCvd(a, kind), SimulateCvd(b, kind)) < kHardToTellApartDistance) kinds.push_back(kind);
  return kinds;
}
