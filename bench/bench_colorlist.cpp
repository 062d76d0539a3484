// Reading a 100,000-line colour list, bytes to items, against a floor that
// reads the same bytes and splits them into lines and comma fields, keeping
// each line's last field. Exits with 1 when the reader costs more than twice
// the floor.

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/colorlist/uColorListFile.h"

namespace {

constexpr int LineCount = 100000;
constexpr int Rounds = 11;
constexpr double MaxRatio = 2.0;

// The file is nearly all ASCII, so the code page is hardly asked.
class TLatin1Codec : public TAnsiCodec {
 public:
  bool EncodeExact(std::wstring_view text, std::string& out) const override {
    out.clear();
    for (wchar_t c : text) {
      if (static_cast<unsigned>(c) > 0xFF) return false;
      out += static_cast<char>(c);
    }
    return true;
  }
  std::wstring Decode(std::string_view bytes) const override {
    std::wstring text;
    for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return text;
  }
};

std::string MakeFile(const TAnsiCodec& codec) {
  std::vector<TColorListRow> rows;
  rows.reserve(LineCount);
  for (int i = 0; i < LineCount; ++i) {
    // A mix of what lists hold: no comment yet, a word, a description with
    // commas and quotes, and now and then a character beyond ASCII.
    std::wstring comment;
    switch (i % 4) {
      case 1:
        comment = L"sky";
        break;
      case 2:
        comment = L"colour " + std::to_wstring(i) + L" from the sample photo";
        break;
      case 3:
        comment = L"brick, north wall \"old\"";
        break;
    }
    if (i % 100 == 0) comment += L" caf\u00E9";
    rows.push_back({std::to_wstring(i % 256), std::to_wstring(i * 7 % 256), std::to_wstring(i * 13 % 256), comment});
  }
  return ColorListWrite(rows, codec);
}

std::vector<std::string> Floor(std::string_view bytes) {
  std::vector<std::string> lastFields;
  std::string_view fields[8];
  std::size_t p = 0;
  while (p < bytes.size()) {
    std::size_t end = p;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n' && bytes[end] != 26) ++end;
    const std::string_view line = bytes.substr(p, end - p);
    p = end + 1;
    if (end < bytes.size() && bytes[end] == '\r' && p < bytes.size() && bytes[p] == '\n') ++p;
    int count = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i)
      if ((i == line.size() || line[i] == ',') && count < 8) {
        fields[count++] = line.substr(start, i - start);
        start = i + 1;
      }
    if (count > 0) lastFields.emplace_back(fields[count - 1]);
  }
  return lastFields;
}

// Processor time, not wall time: on a shared machine the wall clock mostly
// measures the neighbours.
double Now() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// Called through volatile pointers so neither is specialised for its loop.
std::vector<TColorListItem> (*volatile ReaderPath)(std::string_view, const TAnsiCodec&) = &ColorListRead;
std::vector<std::string> (*volatile FloorPath)(std::string_view) = &Floor;

}  // namespace

int main() {
  const TLatin1Codec codec;
  const std::string file = MakeFile(codec);
  double readerBest = 1e30;
  double floorBest = 1e30;
  std::size_t readerCount = 0;
  std::size_t floorCount = 0;
  // Interleaved rounds, best of each, so a noisy neighbour hurts both alike.
  for (int round = 0; round < Rounds; ++round) {
    // Each result is freed after its clock stops: freeing is no part of reading.
    double start = Now();
    const auto items = ReaderPath(file, codec);
    readerBest = std::min(readerBest, Now() - start);
    readerCount = items.size();
    start = Now();
    const auto fields = FloorPath(file);
    floorBest = std::min(floorBest, Now() - start);
    floorCount = fields.size();
  }
  const double ratio = readerBest / floorBest;
  std::printf("lines             %d (%zu bytes)\n", LineCount, file.size());
  std::printf("reader            %.2f ms (%zu items)\n", readerBest * 1e3, readerCount);
  std::printf("split floor       %.2f ms (%zu lines)\n", floorBest * 1e3, floorCount);
  std::printf("reader / floor    %.3f (at most %.1f)\n", ratio, MaxRatio);
  if (readerCount != static_cast<std::size_t>(LineCount) || floorCount != static_cast<std::size_t>(LineCount)) {
    std::printf("FAIL: lines lost\n");
    return 1;
  }
  if (ratio > MaxRatio) {
    std::printf("FAIL: reading costs more than %.1f times the split floor\n", MaxRatio);
    return 1;
  }
  return 0;
}
