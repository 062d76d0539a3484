#include "core/support/uStreamLine.h"

#include <cstdint>

namespace {

constexpr char kCR = 13;
constexpr char kLF = 10;
constexpr char kEOF = 26;

bool IsLineEnd(char c) { return c == kCR || c == kLF || c == kEOF; }

}  // namespace

// Reads in chunks and seeks back over what belongs to the next line, so the
// stream ends up exactly where a byte-by-byte reader would leave it.
std::string StreamReadLine(TStream& stream) {
  std::string line;
  char chunk[256];
  for (;;) {
    std::size_t n = stream.Read(chunk, sizeof chunk);
    if (n == 0) return line;
    std::size_t i = 0;
    while (i < n && !IsLineEnd(chunk[i])) ++i;
    line.append(chunk, i);
    if (i == n) continue;

    std::size_t consumed = i + 1;
    if (chunk[i] == kCR) {
      if (consumed < n) {
        if (chunk[consumed] == kLF) ++consumed;
      } else {
        // The CR closed the chunk: its LF, if any, is still in the stream.
        char next;
        if (stream.Read(&next, 1) == 1 && next != kLF) stream.Seek(-1, TSeekOrigin::soCurrent);
      }
    }
    if (consumed < n) stream.Seek(-static_cast<std::int64_t>(n - consumed), TSeekOrigin::soCurrent);
    return line;
  }
}

void StreamWriteLine(TStream& stream, std::string_view text) {
  std::string buffer;
  buffer.reserve(text.size() + 2);
  buffer.append(text);
  buffer += kCR;
  buffer += kLF;
  stream.WriteBuffer(buffer.data(), buffer.size());
}
