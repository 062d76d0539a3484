// Arbitrary registry text for the window placement and the column layout:
// a restored window always has a usable size inside reach of the work area,
// and a restored layout always has valid identities and widths in range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/colorlist/uColumnLayout.h"
#include "core/shell/uFitToWorkArea.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Registry text is UTF-16; two bytes a unit, with digits and commas frequent.
  std::wstring text;
  for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);

  const TRectI work{-1280, 30, 1920, 1080};
  const TRectI designed{331, 57, 838, 361};
  const TRestoredPos pos = RestoredPos(text, designed, work);
  const std::int64_t w = std::int64_t{pos.Bounds.Right} - pos.Bounds.Left;
  const std::int64_t h = std::int64_t{pos.Bounds.Bottom} - pos.Bounds.Top;
  Check(w > 0 && w <= work.Width() && h > 0 && h <= work.Height());
  Check(pos.Bounds.Right >= work.Left + 16 && pos.Bounds.Left <= work.Right - 16);
  Check(pos.Bounds.Bottom >= work.Top + 16 && pos.Bounds.Top <= work.Bottom - 16);

  const TColumnLayout layout = ParseColumnLayout(text, DefaultColumnLayout({32, 32, 70, 32, 30, 30, 64}));
  Check(ValidColumnIds(layout.Ids));
  for (std::int32_t width : layout.Widths) Check(width >= kMinColumnWidth && width <= kMaxColumnWidth);
  return 0;
}
