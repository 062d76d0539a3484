#include "core/colorout/uContrast.h"

#include <algorithm>
#include <cmath>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uColorSpaces.h"
#include "core/colorout/uDecimalText.h"

namespace {

// APCA's own screen luminance: a plain 2.4 power, not the sRGB curve.
double ApcaLuminance(TColor color) {
  const auto channel = [](int value) { return std::pow(value / 255.0, 2.4); };
  return 0.2126729 * channel(RedOf(color)) + 0.7151522 * channel(GreenOf(color)) +
         0.0721750 * channel(BlueOf(color));
}

double SoftClampBlack(double y) {
  constexpr double kBlackThreshold = 0.022;
  constexpr double kBlackClamp = 1.414;
  return y >= kBlackThreshold ? y : y + std::pow(kBlackThreshold - y, kBlackClamp);
}

}  // namespace

double RelativeLuminance(TColor color) {
  return 0.2126 * SrgbToLinear(RedOf(color)) + 0.7152 * SrgbToLinear(GreenOf(color)) +
         0.0722 * SrgbToLinear(BlueOf(color));
}

double ContrastRatio(TColor a, TColor b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::wstring ContrastRatioText(double ratio) {
  // The allowance keeps a ratio that is a whole hundredth, such as 21 or 1,
  // from dropping a step through the binary product.
  const double hundredths = std::floor(ratio * 100 + 1e-9);
  return FixedText(hundredths / 100, 2) + L":1";
}

TWcagVerdict JudgeContrast(double ratio) {
  return {ratio >= 4.5, ratio >= 3.0, ratio >= 7.0, ratio >= 4.5};
}

double ApcaContrast(TColor text, TColor background) {
  const double textY = SoftClampBlack(ApcaLuminance(text));
  const double backY = SoftClampBlack(ApcaLuminance(background));
  if (std::fabs(backY - textY) < 0.0005) return 0;
  constexpr double kScale = 1.14;
  constexpr double kLowClip = 0.1;
  constexpr double kOffset = 0.027;
  if (backY > textY) {
    const double sapc = (std::pow(backY, 0.56) - std::pow(textY, 0.57)) * kScale;
    return sapc < kLowClip ? 0 : (sapc - kOffset) * 100;
  }
  const double sapc = (std::pow(backY, 0.65) - std::pow(textY, 0.62)) * kScale;
  return sapc > -kLowClip ? 0 : (sapc + kOffset) * 100;
}

std::wstring ApcaContrastText(double lc) { return FixedText(lc, 1); }

TContrastReport MeasureContrast(TColor text, TColor background) {
  TContrastReport report;
  report.ratio = ContrastRatio(text, background);
  report.ratioText = ContrastRatioText(report.ratio);
  report.verdict = JudgeContrast(report.ratio);
  report.apca = ApcaContrast(text, background);
  report.apcaText = ApcaContrastText(report.apca);
  return report;
}
