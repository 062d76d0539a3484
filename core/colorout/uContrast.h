#pragma once
// Contrast between a text colour and its background: the WCAG 2.x ratio
// with its pass marks, and the APCA lightness contrast (APCA-W3 0.0.98G-4g).
#include <string>

#include "core/color/uColor.h"

// WCAG 2.x relative luminance, 0 (black) to 1 (white).
double RelativeLuminance(TColor color);

// (lighter + 0.05) / (darker + 0.05): 1 to 21, the same either way round.
double ContrastRatio(TColor a, TColor b);

// "12.72:1": two decimals, rounded down, so a failing 4.4966 shows 4.49:1
// and never a passing-looking 4.50:1.
std::wstring ContrastRatioText(double ratio);

// The success criteria judge the exact ratio, never the text.
struct TWcagVerdict {
  bool aaNormal = false;   // 4.5:1
  bool aaLarge = false;    // 3:1
  bool aaaNormal = false;  // 7:1
  bool aaaLarge = false;   // 4.5:1
};
TWcagVerdict JudgeContrast(double ratio);

// APCA Lc: positive for dark text on a light background, negative for light
// text on a dark one, 0 below the clamp. Black on white is about 106.
double ApcaContrast(TColor text, TColor background);

// Lc to one decimal with its sign: "63.1", "-68.5", "0.0".
std::wstring ApcaContrastText(double lc);

// Everything a contrast readout shows, for the UI to lay out.
struct TContrastReport {
  double ratio = 1;
  std::wstring ratioText;  // "12.72:1"
  TWcagVerdict verdict;
  double apca = 0;
  std::wstring apcaText;   // "-68.5"
};
TContrastReport MeasureContrast(TColor text, TColor background);
