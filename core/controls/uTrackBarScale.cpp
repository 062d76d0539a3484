#include "core/controls/uTrackBarScale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/support/uArith.h"
#include "core/support/uFloatText.h"
#include "core/support/uNiceScale.h"

namespace {

// Beyond this the track bar's 32-bit positions would not hold the steps.
constexpr double kMaxSteps = 2147483646.0;

int FloorDiv9(int k) { return k >= 0 ? k / 9 : -((-k + 8) / 9); }

// Steps of a span as the count n, or 0 when there is no usable span.
int CountOfSteps(double steps) {
  if (!(steps >= 0) || !(steps < kMaxSteps)) return 0;
  return RoundHalfAway(steps) + 1;
}

int OffsetOf(int index, int length, int count) {
  return static_cast<int>(static_cast<std::int64_t>(length) * index / (count - 1));
}

}  // namespace

TTrackRange TrackRange(double min, double max, double trackBarMin, double trackBarMax) {
  if (trackBarMin != trackBarMax) return {std::max(min, trackBarMin), std::min(max, trackBarMax)};
  return {min, max};
}

int DecadeDigitIndex(double x) {
  // Floor, not truncation, of the decade, so that values below 1 go on in
  // the same pattern instead of folding back onto 0; and the leading digit
  // from x itself, not from 10^frac(log10 x), which carries noise. An
  // exponent one too small at an exact power of ten gives the digit "10",
  // the same index.
  const int e = static_cast<int>(std::floor(std::log10(x)));
  const double f = e >= 0 ? x / std::pow(10.0, e) : x * std::pow(10.0, -e);
  return RoundHalfAway(f - 1) + 9 * e;
}

TTrackBarScale::TTrackBarScale(TEditTrackBarVelStyle style, TTrackRange range, double lineSize)
    : FStyle(style), FLo(range.Lo), FHi(range.Hi), FLineSize(lineSize) {
  switch (style) {
    case etbvsNormal:
      if (lineSize > 0) FCount = CountOfSteps((FHi - FLo) / lineSize);
      break;
    case etbvsExp1:
      if (lineSize > 0 && FLo > 0 && FHi > 0) FCount = CountOfSteps((std::log10(FHi) - std::log10(FLo)) / lineSize);
      break;
    case etbvsExp2:
      if (FLo > 0 && FHi > 0 && std::isfinite(FLo) && std::isfinite(FHi))
        FCount = std::max(0, DecadeDigitIndex(FHi) - DecadeDigitIndex(FLo) + 1);
      break;
  }
  if (FCount > 0) FLength = FCount < 257 ? FCount * (256 / FCount) : 256;
}

double TTrackBarScale::ValueOf(int index) const {
  switch (FStyle) {
    case etbvsNormal: {
      const double v = FLo + index * FLineSize;
      if (std::fabs(v) < FLineSize / 2) return 0;
      return FLineSize * RoundSignificant(3, RoundHalfAway(v / FLineSize));
    }
    case etbvsExp1:
      // Nine digits: the last bits of pow and log10 differ between maths
      // libraries (the i686 one computes on x87), and 2 x 10^1 should be 20.
      return RoundSignificant(9, std::pow(10.0, std::log10(FLo) + index * FLineSize));
    case etbvsExp2: {
      const int k = index + DecadeDigitIndex(FLo);
      const int e = FloorDiv9(k);
      const double digit = k - 9 * e + 1;
      return e >= 0 ? digit * std::pow(10.0, e) : digit / std::pow(10.0, -e);
    }
  }
  return 0;
}

int TTrackBarScale::IndexOf(double x) const {
  if (FCount <= 0) return 0;
  int index = 0;
  switch (FStyle) {
    case etbvsNormal:
      index = RoundHalfAway((x - FLo) / FLineSize);
      break;
    case etbvsExp1:
      index = x > 0 ? RoundHalfAway(std::log10(x / FLo) / FLineSize) : 0;
      break;
    case etbvsExp2:
      index = x > 0 && std::isfinite(x) ? DecadeDigitIndex(x) - DecadeDigitIndex(FLo) : 0;
      break;
  }
  return std::clamp(index, 0, FCount - 1);
}

TTrackBarMarks TrackBarMarks(const TTrackBarScale& scale, wchar_t decimalSeparator) {
  TTrackBarMarks marks;
  if (!scale.CanOpen()) return marks;
  const int n = scale.Count();
  const int w = scale.TrackLength();
  const double lineSize = scale.LineSize();
  marks.Labels.push_back({FloatToStr(scale.Lo(), decimalSeparator), 0});

  if (scale.Style() == etbvsExp2) {
    const int c = ((DecadeDigitIndex(scale.Lo()) % 9) + 9) % 9;
    int r, increment;
    if (c <= 2) {
      r = 4 - c;
      increment = 5;
    } else if (c > 7) {
      r = 13 - c;
      increment = 5;
    } else {
      r = 9 - c;
      increment = 4;
    }
    for (; r < (n - 1) - 2; increment = increment == 4 ? 5 : 4) {
      marks.Labels.push_back({FloatToStr(scale.ValueOf(r), decimalSeparator), OffsetOf(r, w, n)});
      r += increment;
    }
    for (int k = 1; k <= n - 2; ++k) marks.Ticks.push_back(k);
  } else {
    const bool exp = scale.Style() == etbvsExp1;
    const double upper = exp ? std::log10(scale.Hi()) : scale.Hi();
    const double lower = exp ? std::log10(scale.Lo()) : scale.Lo();
    double step, first, last;
    NiceScale(upper, lower, step, first, last);
    if (step > 0) {
      for (double r = first + step; upper - step / 2 + lineSize > r;) {
        const int k = RoundHalfAway((r - lower) / lineSize);
        // A label step finer than the line size could reach past the
        // last position, beyond the hi label and the window.
        if (k > n - 1) break;
        marks.Ticks.push_back(k);
        const double value = RoundSignificant(2, exp ? std::pow(10.0, r) : r);
        marks.Labels.push_back({FloatToStr(value, decimalSeparator), OffsetOf(k, w, n)});
        const double next = r + step;
        if (!(next > r)) break;
        r = next;
      }
    }
  }

  marks.Labels.push_back({FloatToStr(scale.Hi(), decimalSeparator), w});
  return marks;
}

TPopupLayout PopupLayout(int trackLength) {
  TPopupLayout layout;
  const int trackWidth = trackLength + 16;
  const int trackHeight = 29;
  layout.Panel = {5, 3, 5 + trackWidth - 2, 3 + trackHeight - 2};
  layout.TrackBar = {-1, -1, -1 + trackWidth, -1 + trackHeight};
  layout.ClientWidth = trackWidth + 8;
  layout.ClientHeight = trackHeight + 8;
  layout.ThumbLength = 14;
  layout.LabelTop = 24;
  return layout;
}

int LabelLeft(int offset, int textWidth) { return offset - textWidth / 2 + 13; }

TTrackBarSettings TrackBarSettings(const TTrackBarScale& scale, double position, double lineSize, double pageSize,
                                   double precision) {
  return {0, scale.Count() - 1, scale.IndexOf(position), RoundHalfAway(lineSize / precision),
          RoundHalfAway(pageSize / precision)};
}

int ThumbOffset(int position, int min, int max, int trackWidth) {
  if (max <= min) return 0;
  return static_cast<int>(static_cast<std::int64_t>(position - min) * (trackWidth - 16) / (max - min));
}

TPointI DragStartPoint(int thumbOffset, const TRectI& channel) {
  return {thumbOffset + 8, (channel.Top + channel.Bottom) / 2};
}

TPopupPlacement PlacePopup(TPointI press, int editClientBottom, int editHeight, TPointI popupSize, int trackLeft,
                           int thumbOffset, const TRectI& workArea) {
  TPopupPlacement p{press.X - (trackLeft + thumbOffset + 8), editClientBottom, false, press};
  if (p.Top + popupSize.Y > workArea.Bottom) p.Top = p.Top - popupSize.Y - editHeight;
  if (p.Left < workArea.Left) {
    const int shift = workArea.Left - p.Left;
    p.Left = workArea.Left;
    p.MoveCursor = true;
    p.Cursor = {press.X + shift, press.Y};
  } else if (p.Left + popupSize.X > workArea.Right) {
    const int excess = p.Left + popupSize.X - workArea.Right;
    p.Left -= excess;
    p.MoveCursor = true;
    p.Cursor = {press.X - excess, press.Y};
  }
  return p;
}
