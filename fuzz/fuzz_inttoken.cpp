// Registry text read as comma-separated numbers (the hex order, the window
// placement): tokens put back together with their separators give the text
// again, and every number read writes back as text that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/shell/uIntToken.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);

  if (const auto value = TextToInt(text)) Check(TextToInt(std::to_wstring(*value)) == value);

  std::wstring joined;
  std::size_t pos = 0;
  std::size_t tokens = 0;
  while (pos < text.size()) {
    const std::size_t before = pos;
    const std::wstring_view token = GetToken(text, pos, L',');
    Check(pos > before && pos <= text.size());
    if (tokens++ > 0) joined += L',';
    joined += token;
    std::size_t p = before;
    const std::int32_t n = GetIntToken(text, p, L',', -7);
    Check(p == pos);
    Check(n == TextToInt(token).value_or(-7));
  }
  // A text ending in a separator has one more, empty, token.
  if (!text.empty() && text.back() == L',') joined += L',';
  Check(joined == text);
  return 0;
}
