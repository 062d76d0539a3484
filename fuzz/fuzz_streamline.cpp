// Any bytes: reading lines terminates, every call stands right after its
// line end, and lines plus their ends give back the input exactly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/support/uStreamLine.h"

namespace {

// Caps each read so chunk boundaries fall anywhere, the first byte choosing how.
class TCappedStream : public TMemoryStream {
 public:
  TCappedStream(const std::uint8_t* data, std::size_t size, std::size_t cap) : TMemoryStream(data, size), FCap(cap) {}
  std::size_t Read(void* buffer, std::size_t count) override {
    return TMemoryStream::Read(buffer, count < FCap ? count : FCap);
  }

 private:
  std::size_t FCap;
};

bool IsEnd(std::uint8_t c) { return c == 13 || c == 10 || c == 26; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t cap = data[0] % 8 == 0 ? 4096 : data[0] % 8;
  ++data;
  --size;
  TCappedStream stream(data, size, cap);
  std::string rebuilt;
  std::int64_t before = 0;
  while (stream.Position() < stream.Size()) {
    std::string line = StreamReadLine(stream);
    std::int64_t after = stream.Position();
    if (after <= before) std::abort();  // no progress: would loop forever
    rebuilt += line;
    const std::size_t endStart = static_cast<std::size_t>(before) + line.size();
    const std::size_t endLength = static_cast<std::size_t>(after) - endStart;
    // The line holds no terminator; what was consumed after it is one line end.
    for (char c : line)
      if (IsEnd(static_cast<std::uint8_t>(c))) std::abort();
    if (endLength == 0) {
      if (static_cast<std::size_t>(after) != size) std::abort();
    } else if (endLength == 1) {
      if (!IsEnd(data[endStart])) std::abort();
      if (data[endStart] == 13 && endStart + 1 < size && data[endStart + 1] == 10) std::abort();
    } else if (endLength != 2 || data[endStart] != 13 || data[endStart + 1] != 10) {
      std::abort();
    }
    rebuilt.append(reinterpret_cast<const char*>(data) + endStart, endLength);
    before = after;
  }
  if (!StreamReadLine(stream).empty()) std::abort();
  if (rebuilt != std::string(reinterpret_cast<const char*>(data), size)) std::abort();
  return 0;
}
