// Any bytes: reading a colour list terminates, its account of the lines it
// could not read is consistent, and what it accepted, written out again and
// read back, gives the same items with nothing unreadable, whichever
// encoding the writer has to choose.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/colorlist/uColorListFile.h"
#include "tests/core/ByteCodec.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const TByteCodec codec(data[0] % 2 == 0 ? 0x100 : 0x80);
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const TColorListReadResult read = ColorListReadChecked(bytes, codec);
  const std::vector<TColorListItem>& items = read.Items;
  Check(items.size() + read.UnreadableCount <= bytes.size() + 1);
  Check(read.UnreadableLines.size() == std::min(read.UnreadableCount, kColorListLinesNamed));
  Check(std::is_sorted(read.UnreadableLines.begin(), read.UnreadableLines.end()));
  Check(std::adjacent_find(read.UnreadableLines.begin(), read.UnreadableLines.end()) == read.UnreadableLines.end());
  Check(read.UnreadableLines.empty() || read.UnreadableLines.front() >= 1);
  Check(read.NotAColorList == (items.empty() && read.UnreadableCount > 0));
  Check(ColorListReadMessage(read, L"f", {L"a{0}", L"{0}{1}{2}{3}", L"+"}).empty() == (ColorListReadNoticeOf(read) == TColorListReadNotice::None));

  std::vector<TColorListRow> rows;
  for (const TColorListItem& item : items)
    rows.push_back({std::to_wstring(item.Red), std::to_wstring(item.Green), std::to_wstring(item.Blue), item.Comment});
  const std::string written = ColorListWrite(rows, codec);
  const TColorListReadResult again = ColorListReadChecked(written, codec);
  Check(again.Items == items);
  Check(again.UnreadableCount == 0);
  Check(ColorListWrite(rows, codec) == written);
  return 0;
}
