#include "core/shell/uDropFiles.h"

#include <cstdint>

#include "core/support/uUtf8.h"

namespace {

constexpr std::size_t kHeaderSize = 20;  // DWORD, POINT, BOOL, BOOL

std::uint32_t ReadUInt32(std::string_view bytes, std::size_t at) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

std::vector<std::wstring> DropFileNames(std::string_view block, const TAnsiCodec& ansi) {
  std::vector<std::wstring> names;
  if (block.size() < kHeaderSize) return names;
  const std::uint32_t offset = ReadUInt32(block, 0);
  const bool wide = ReadUInt32(block, 16) != 0;
  if (offset < kHeaderSize || offset > block.size()) return names;
  std::string_view rest = block.substr(offset);
  std::wstring name;
  for (;;) {
    std::size_t end = 0;
    if (wide) {
      while (end + 1 < rest.size() && (rest[end] != 0 || rest[end + 1] != 0)) end += 2;
      if (end + 1 >= rest.size()) break;
      if (end == 0) break;
      Utf16LeDecode(rest.substr(0, end), name);
      rest.remove_prefix(end + 2);
    } else {
      end = rest.find('\0');
      if (end == std::string_view::npos || end == 0) break;
      name = ansi.Decode(rest.substr(0, end));
      rest.remove_prefix(end + 1);
    }
    names.push_back(std::move(name));
  }
  return names;
}
