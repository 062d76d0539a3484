// Any clipboard bytes pasted as a colour, and any list cell read as a
// channel: no crash, a colour within 24 bits, and a pasted colour copied
// again and pasted back is the same colour.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/color/uColorText.h"
#include "core/color/uHexColor.h"
#include "core/colorlist/uColorListCell.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (std::uint8_t order = 0; order < 3; ++order) {
    const auto color = PastedTextToColor(bytes, order);
    Check(color.has_value() == (!bytes.empty() && bytes.size() <= 7 && order < 2));
    if (!color) continue;
    Check(*color <= 0xFFFFFFu);
    const std::wstring text = ColorToHexText(*color & 0xFF, *color >> 8 & 0xFF, *color >> 16 & 0xFF, order);
    Check(PastedTextToColor(std::string(text.begin(), text.end()), order) == color);
  }
  std::wstring cell;
  for (std::size_t i = 0; i + 1 < size; i += 2) cell += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
  const int channel = CellToChannel(cell);
  Check(channel >= 0 && channel <= 255);
  return 0;
}
