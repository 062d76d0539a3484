// Arbitrary registry text for the eyedropper's settings and the placement
// on several monitors: every value read is one the program offers, writes
// back as text that reads the same, and a restored window stays within
// reach of a monitor's work area.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "core/sampling/uMonitorLayout.h"
#include "core/sampling/uPickSettings.h"
#include "core/sampling/uZoomView.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

const TMonitorLayout kLayout = {
    {{-1920, 0, 0, 1080}, {-1920, 0, 0, 1040}, 96, false},
    {{0, 0, 2880, 1620}, {0, 0, 2880, 1560}, 144, true},
    {{2880, -400, 6720, 1760}, {2880, -400, 6720, 1700}, 192, false},
};

bool WithinReach(const TRectI& b, const TMonitor& m) {
  const std::int64_t margin = LogicalToPhysical(16, m.Dpi);
  const std::int64_t w = std::int64_t{b.Right} - b.Left, h = std::int64_t{b.Bottom} - b.Top;
  return w > 0 && w <= m.Work.Width() && h > 0 && h <= m.Work.Height() && b.Right >= m.Work.Left + margin &&
         b.Left <= m.Work.Right - margin && b.Bottom >= m.Work.Top + margin && b.Top <= m.Work.Bottom - margin;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
  // The first line feed splits the size from the mode.
  const std::size_t split = text.find(L'\n');
  const std::wstring_view first = std::wstring_view(text).substr(0, split);
  const std::wstring_view second =
      split == std::wstring::npos ? std::wstring_view{} : std::wstring_view(text).substr(split + 1);

  const TSampling s = ParseSampling(first, second);
  Check(std::find(std::begin(kSamplingChoices), std::end(kSamplingChoices), s) != std::end(kSamplingChoices));
  Check(ParseSampling(SampleSizeText(s), SampleModeText(s)) == s);

  const int zoom = ParseZoomFactor(text);
  Check(std::find(std::begin(kZoomFactors), std::end(kZoomFactors), zoom) != std::end(kZoomFactors));
  Check(ParseZoomFactor(ZoomFactorText(zoom)) == zoom);
  const int steps = size > 0 ? static_cast<std::int8_t>(data[0]) : 0;
  const int stepped = ZoomStep(zoom, steps);
  Check(std::find(std::begin(kZoomFactors), std::end(kZoomFactors), stepped) != std::end(kZoomFactors));

  const THotKey key = ParseHotKey(text);
  Check(key.IsNone() ? key == THotKey{} : ValidHotKey(key));
  Check(ParseHotKey(HotKeyText(key)) == key);
  const THotKey shown = HotKeyFromControl(HotKeyControlValue(key));
  Check(shown.Key == key.Key && shown.Modifiers == (key.Modifiers & ~kModWin));

  const TRestoredPos pos = RestoredMonitorPos(text, {331, 57, 838, 361}, kLayout);
  Check(std::any_of(kLayout.begin(), kLayout.end(), [&](const TMonitor& m) { return WithinReach(pos.Bounds, m); }));
  return 0;
}
