// Any text read as a CSS colour (as UTF-16 code units, and as ANSI bytes
// through the paste rule): no crash and no hang, a colour within 24 bits,
// the same answer with white space around it, and a colour read is read
// back the same from its own hex and lab() texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/colorout/uCopyFormats.h"
#include "core/colorout/uCssColor.h"
#include "core/colorout/uPasteText.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool Same(const TCssColor& a, const TCssColor& b) {
  return a.status == b.status && a.color == b.color && a.outOfGamut == b.outOfGamut;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
  const TCssColor css = ParseCssColor(text);
  Check(Same(css, ParseCssColor(L" \t" + text + L"\n")));
  if (css.status == TCssColorStatus::Color) {
    Check(css.color <= 0xFFFFFFu);
    for (const TCopyFormat format : {TCopyFormat::HexLower, TCopyFormat::CssLab, TCopyFormat::CssOklch}) {
      const TCssColor back = ParseCssColor(FormatColor(format, css.color));
      Check(back.status == TCssColorStatus::Color && back.color == css.color);
    }
  }
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TCssColor pasted = PastedColorAnsi(bytes, 0);
  Check(pasted.color <= 0xFFFFFFu);
  return 0;
}
