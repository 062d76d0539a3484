// Any bytes as a dropped file list: the reader stays inside the block, every
// name it gives is whole (no zero, not empty), and names put in a block of
// their own come back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/shell/uDropFiles.h"
#include "tests/core/ByteCodec.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::string WideBlock(const std::vector<std::wstring>& names) {
  std::string block(20, '\0');
  block[0] = 20;
  block[16] = 1;
  auto unit = [&block](char16_t c) {
    block += static_cast<char>(c & 0xFF);
    block += static_cast<char>(c >> 8);
  };
  for (const std::wstring& name : names) {
    for (wchar_t c : name) {
      const auto u = static_cast<std::uint32_t>(c);
      if (u >= 0x10000) {
        unit(static_cast<char16_t>(0xD800 + ((u - 0x10000) >> 10)));
        unit(static_cast<char16_t>(0xDC00 + ((u - 0x10000) & 0x3FF)));
      } else {
        unit(static_cast<char16_t>(u));
      }
    }
    unit(0);
  }
  unit(0);
  return block;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TByteCodec codec(0x100);
  const std::string_view block(reinterpret_cast<const char*>(data), size);
  const std::vector<std::wstring> names = DropFileNames(block, codec);
  std::size_t total = 0;
  for (const std::wstring& name : names) {
    Check(!name.empty());
    Check(name.find(L'\0') == std::wstring::npos);
    total += name.size() + 1;
  }
  Check(total <= size);
  if (!names.empty()) Check(DropFileNames(WideBlock(names), codec) == names);
  return 0;
}
