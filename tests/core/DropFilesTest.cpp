#include "core/shell/uDropFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/core/ByteCodec.h"

namespace {

const TByteCodec kLatin1(0x100);

// A DROPFILES header as the shell lays it out: offset, point, non-client, wide.
std::string Header(std::uint32_t offset, bool wide) {
  std::string h(20, '\0');
  for (int i = 0; i < 4; ++i) h[static_cast<std::size_t>(i)] = static_cast<char>(offset >> (8 * i));
  h[4] = 10;  // the drop point, which names nothing
  h[8] = 20;
  h[16] = wide ? 1 : 0;
  return h;
}

std::string Wide(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

struct TCase {
  const char* Name;
  std::string Block;
  std::vector<std::wstring> Names;
};

const std::string kZ2 = std::string(2, '\0');

const std::vector<TCase> kCases = {
    {"TwoWideNames", Header(20, true) + Wide(u"C:\\a.txt") + kZ2 + Wide(u"D:\\色.txt") + kZ2 + kZ2,
     {L"C:\\a.txt", L"D:\\\u8272.txt"}},
    {"AnsiNames", Header(20, false) + "C:\\caf\xE9.txt" + std::string(1, '\0') + "x" + std::string(2, '\0'),
     {L"C:\\caf\u00E9.txt", L"x"}},
    // Some sources leave a gap after the header; the offset says where the names are.
    {"NamesAfterAGap", Header(24, true) + "junk" + Wide(u"a") + kZ2 + kZ2, {L"a"}},
    {"EmptyList", Header(20, true) + kZ2, {}},
    {"NoListAtAll", Header(20, true), {}},
    {"ShortHeader", std::string(19, '\0'), {}},
    {"Empty", "", {}},
    {"OffsetPastTheEnd", Header(1000, true) + Wide(u"a") + kZ2 + kZ2, {}},
    {"OffsetInsideTheHeader", Header(4, false) + "a" + std::string(2, '\0'), {}},
    {"HugeOffset", Header(0xFFFFFFFFu, true) + Wide(u"a") + kZ2 + kZ2, {}},
    // The last name has no zero before the block ends: it is not trusted.
    {"UnterminatedLastWideName", Header(20, true) + Wide(u"a") + kZ2 + Wide(u"bc"), {L"a"}},
    {"UnterminatedAnsiName", Header(20, false) + "abc", {}},
    {"OddByteAtTheEnd", Header(20, true) + Wide(u"a") + kZ2 + "b", {L"a"}},
    {"MissingListEndStillGivesTheNames", Header(20, true) + Wide(u"a") + kZ2, {L"a"}},
    {"OddOffsetWide", Header(21, true) + "." + Wide(u"ab") + kZ2 + kZ2, {L"ab"}},
};

TEST(DropFileNames, Cases) {
  for (const TCase& c : kCases) EXPECT_EQ(DropFileNames(c.Block, kLatin1), c.Names) << c.Name;
}

}  // namespace
