#include "core/support/uStreamLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {


TMemoryStream MakeStream(const std::string& bytes) { return TMemoryStream(bytes.data(), bytes.size()); }

// Hands out at most FCap bytes per Read, so every chunk boundary (a CR last
// in a chunk above all) is met; counts the reads.
class TTrickleStream : public TMemoryStream {
 public:
  TTrickleStream(const std::string& bytes, std::size_t cap) : TMemoryStream(bytes.data(), bytes.size()), FCap(cap) {}
  std::size_t Read(void* buffer, std::size_t count) override {
    ++Reads;
    return TMemoryStream::Read(buffer, count < FCap ? count : FCap);
  }
  int Reads = 0;

 private:
  std::size_t FCap;
};

struct TLine {
  std::string Text;
  std::int64_t PositionAfter;
};

struct TReadCase {
  const char* Name;
  std::string Input;
  std::vector<TLine> Lines;
};

const std::string kLong(1000, 'q');
const std::string k255(255, 'w');
const std::string k256(256, 'w');

const std::vector<TReadCase> kReadCases = {
    {"MixedEnds", std::string("ab\r\nc\rd\n\ne"), {{"ab", 4}, {"c", 6}, {"d", 8}, {"", 9}, {"e", 10}}},
    {"OneByteLastLine", "x\ny", {{"x", 2}, {"y", 3}}},
    {"Byte26EndsALine",
     "a\x1A"
     "b\x1A",
     {{"a", 2}, {"b", 4}}},
    {"Byte26ThenLfAreTwoEnds", "a\x1A\nb", {{"a", 2}, {"", 3}, {"b", 4}}},
    {"LfCrAreTwoEnds", "a\n\rb", {{"a", 2}, {"", 3}, {"b", 4}}},
    {"CrCrAreTwoEnds", "a\r\rb", {{"a", 2}, {"", 3}, {"b", 4}}},
    {"CrLfCrLf", "\r\n\r\n", {{"", 2}, {"", 4}}},
    {"TrailingCrLf", "abc\r\n", {{"abc", 5}}},
    {"TrailingCr", "abc\r", {{"abc", 4}}},
    {"ZeroAndHighBytesAreText", std::string("a\0b\x93\xfa\x96\x7b", 7), {{std::string("a\0b\x93\xfa\x96\x7b", 7), 7}}},
    {"LongerThanAChunk", kLong + "\r\nz", {{kLong, 1002}, {"z", 1003}}},
    {"CrLastInChunkThenLf", k255 + "\r\nz", {{k255, 257}, {"z", 258}}},
    {"CrLastInChunkThenText", k255 + "\rz", {{k255, 256}, {"z", 257}}},
    {"CrLastInChunkAtTheEnd", k255 + "\r", {{k255, 256}}},
    {"LineFillsAChunk", k256 + "\n" + "z", {{k256, 257}, {"z", 258}}},
    {"EndAtChunkStart", k256 + "\r\n", {{k256, 258}}},
};

// Reads as the colour-list reader does: while the position is below the size.
void ExpectLines(TStream& stream, const TReadCase& c) {
  std::size_t index = 0;
  while (stream.Position() < stream.Size()) {
    ASSERT_LT(index, c.Lines.size()) << c.Name;
    EXPECT_EQ(StreamReadLine(stream), c.Lines[index].Text) << c.Name << " line " << index;
    EXPECT_EQ(stream.Position(), c.Lines[index].PositionAfter) << c.Name << " line " << index;
    ++index;
  }
  EXPECT_EQ(index, c.Lines.size()) << c.Name;
  EXPECT_EQ(StreamReadLine(stream), "") << c.Name;
  EXPECT_EQ(stream.Position(), stream.Size()) << c.Name;
}

TEST(StreamReadLineTest, Table) {
  for (const TReadCase& c : kReadCases) {
    TMemoryStream stream = MakeStream(c.Input);
    ExpectLines(stream, c);
  }
}

TEST(StreamReadLineTest, TableWithShortReads) {
  for (std::size_t cap : {1u, 2u, 3u, 7u}) {
    for (const TReadCase& c : kReadCases) {
      SCOPED_TRACE(cap);
      TTrickleStream stream(c.Input, cap);
      ExpectLines(stream, c);
    }
  }
}

TEST(StreamReadLineTest, EmptyStreamGivesEmptyLineAndStays) {
  TMemoryStream stream;
  EXPECT_EQ(StreamReadLine(stream), "");
  EXPECT_EQ(stream.Position(), 0);
}

TEST(StreamReadLineTest, StartsAtTheCurrentPosition) {
  TMemoryStream stream = MakeStream("abc\r\ndef");
  stream.SetPosition(1);
  EXPECT_EQ(StreamReadLine(stream), "bc");
  stream.SetPosition(4);  // on the LF of a CR LF: an empty line
  EXPECT_EQ(StreamReadLine(stream), "");
  EXPECT_EQ(stream.Position(), 5);
}

TEST(StreamReadLineTest, PositionBeyondTheEndReadsNothing) {
  TMemoryStream stream = MakeStream("abc");
  stream.SetPosition(10);
  EXPECT_EQ(StreamReadLine(stream), "");
  EXPECT_EQ(stream.Position(), 10);
}

TEST(StreamReadLineTest, ReadsInChunksNotBytes) {
  TTrickleStream stream(kLong + "\n", 1u << 20);
  EXPECT_EQ(StreamReadLine(stream), kLong);
  EXPECT_LE(stream.Reads, 5);
}

// --- StreamWriteLine -----------------------------------------------------

TEST(StreamWriteLineTest, AppendsCrLf) {
  struct TCase {
    std::string Text;
    std::string Bytes;
  };
  const TCase cases[] = {
      {"", "\r\n"},
      {"255,128,0,\"sky\"", "255,128,0,\"sky\"\r\n"},
      {std::string("a\0b", 3), std::string("a\0b\r\n", 5)},
      {"\x8f\xe3", "\x8f\xe3\r\n"},
  };
  for (const TCase& c : cases) {
    TMemoryStream stream;
    StreamWriteLine(stream, c.Text);
    EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), c.Bytes);
  }
}

TEST(StreamWriteLineTest, WritesAtThePositionAndReadsBack) {
  TMemoryStream stream;
  const std::vector<std::string> lines = {"1,2,3,\"a\"", "", "x y", kLong};
  for (const std::string& line : lines) StreamWriteLine(stream, line);
  stream.SetPosition(0);
  for (const std::string& line : lines) EXPECT_EQ(StreamReadLine(stream), line);
  EXPECT_EQ(stream.Position(), stream.Size());
}

class TFailingStream : public TMemoryStream {
 public:
  explicit TFailingStream(std::size_t accepts) : FAccepts(accepts) {}
  std::size_t Write(const void* buffer, std::size_t count) override {
    return TMemoryStream::Write(buffer, count < FAccepts ? count : FAccepts);
  }

 private:
  std::size_t FAccepts;
};

TEST(StreamWriteLineTest, ShortWriteRaisesWriteError) {
  for (std::size_t accepts : {0u, 1u, 4u}) {
    TFailingStream stream(accepts);
    EXPECT_THROW(StreamWriteLine(stream, "abcd"), EWriteError) << accepts;
  }
}

}  // namespace
