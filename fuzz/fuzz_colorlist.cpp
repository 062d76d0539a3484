// Any bytes: reading a colour list terminates, and what it accepted, written
// out again and read back, gives the same items, whichever encoding the
// writer has to choose.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/colorlist/uColorListFile.h"
#include "tests/core/ByteCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const TByteCodec codec(data[0] % 2 == 0 ? 0x100 : 0x80);
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::vector<TColorListItem> items = ColorListRead(bytes, codec);
  if (items.size() > bytes.size()) std::abort();

  std::vector<TColorListRow> rows;
  for (const TColorListItem& item : items)
    rows.push_back({std::to_wstring(item.Red), std::to_wstring(item.Green), std::to_wstring(item.Blue), item.Comment});
  const std::string written = ColorListWrite(rows, codec);
  if (ColorListRead(written, codec) != items) std::abort();
  if (ColorListWrite(rows, codec) != written) std::abort();
  return 0;
}
