#include "core/support/Stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {


std::string Contents(const TMemoryStream& s) { return std::string(s.Bytes().begin(), s.Bytes().end()); }

// --- TMemoryStream ---------------------------------------------------------

TEST(MemoryStreamTest, ReadReturnsWhatIsThereAndStopsAtTheEnd) {
  TMemoryStream s("abcde", 5);
  char buf[8] = {};
  EXPECT_EQ(s.Read(buf, 3), 3u);
  EXPECT_EQ(std::string(buf, 3), "abc");
  EXPECT_EQ(s.Read(buf, 8), 2u);
  EXPECT_EQ(std::string(buf, 2), "de");
  EXPECT_EQ(s.Read(buf, 8), 0u);
  EXPECT_EQ(s.Position(), 5);
}

TEST(MemoryStreamTest, SeekFromEachOrigin) {
  TMemoryStream s("0123456789", 10);
  struct TCase {
    std::int64_t Offset;
    TSeekOrigin Origin;
    std::int64_t Expected;
  };
  const TCase cases[] = {
      {3, TSeekOrigin::soBeginning, 3}, {2, TSeekOrigin::soCurrent, 5}, {-1, TSeekOrigin::soCurrent, 4},
      {0, TSeekOrigin::soEnd, 10},      {-4, TSeekOrigin::soEnd, 6},    {5, TSeekOrigin::soEnd, 15},
      {0, TSeekOrigin::soBeginning, 0},
  };
  for (const TCase& c : cases) EXPECT_EQ(s.Seek(c.Offset, c.Origin), c.Expected);
}

TEST(MemoryStreamTest, SeekBeforeTheStartRaisesAndKeepsThePosition) {
  TMemoryStream s("abc", 3);
  s.SetPosition(2);
  EXPECT_THROW(s.Seek(-3, TSeekOrigin::soCurrent), EStreamError);
  EXPECT_THROW(s.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
  EXPECT_THROW(s.Seek(-4, TSeekOrigin::soEnd), EStreamError);
  EXPECT_EQ(s.Position(), 2);
}

TEST(MemoryStreamTest, WriteOverwritesThenGrows) {
  TMemoryStream s("abcd", 4);
  s.SetPosition(2);
  EXPECT_EQ(s.Write("XYZ", 3), 3u);
  EXPECT_EQ(Contents(s), "abXYZ");
  EXPECT_EQ(s.Position(), 5);
}

TEST(MemoryStreamTest, WriteBeyondTheEndFillsTheGapWithZeros) {
  TMemoryStream s("ab", 2);
  s.SetPosition(4);
  s.WriteBuffer("c", 1);
  EXPECT_EQ(Contents(s), std::string("ab\0\0c", 5));
}

TEST(MemoryStreamTest, SetSizeAndClear) {
  TMemoryStream s("abcdef", 6);
  s.SetPosition(5);
  s.SetSize(3);
  EXPECT_EQ(Contents(s), "abc");
  char c;
  EXPECT_EQ(s.Read(&c, 1), 0u);
  s.SetSize(5);
  EXPECT_EQ(Contents(s), std::string("abc\0\0", 5));
  EXPECT_THROW(s.SetSize(-1), EStreamError);
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.Position(), 0);
}

TEST(MemoryStreamTest, ReadBufferIsAllOrNothing) {
  TMemoryStream s("abcd", 4);
  char buf[5];
  s.ReadBuffer(buf, 4);
  s.SetPosition(0);
  EXPECT_THROW(s.ReadBuffer(buf, 5), EReadError);
  s.ReadBuffer(buf, 0);  // nothing asked, nothing missing
}

TEST(MemoryStreamTest, StreamErrorsAreFwExceptions) {
  TMemoryStream s;
  char c;
  try {
    s.ReadBuffer(&c, 1);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Stream read error");
  }
}

// --- TFileStream -----------------------------------------------------------

class FileStreamTest : public testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    FDir = std::filesystem::temp_directory_path() / (std::string("tintra_stream_") + info->name());
    std::filesystem::remove_all(FDir);
    std::filesystem::create_directories(FDir);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(FDir, ec);
  }
  std::wstring Name(const std::filesystem::path& leaf) const { return (FDir / leaf).wstring(); }
  static std::string ReadAll(const std::wstring& name) {
    std::ifstream in(std::filesystem::path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::filesystem::path FDir;
};

TEST_F(FileStreamTest, CreateWriteThenOpenAndRead) {
  const std::wstring name = Name("list.txt");
  {
    TFileStream out(name, TFileMode::fmCreate);
    out.WriteBuffer("line1\r\nline2", 12);
    EXPECT_EQ(out.Size(), 12);
    EXPECT_EQ(out.Position(), 12);
  }
  EXPECT_EQ(ReadAll(name), "line1\r\nline2");
  TFileStream in(name, TFileMode::fmOpenRead);
  EXPECT_EQ(in.FileName(), name);
  EXPECT_EQ(in.Size(), 12);
  char buf[16];
  EXPECT_EQ(in.Read(buf, 16), 12u);
  EXPECT_EQ(std::string(buf, 12), "line1\r\nline2");
  EXPECT_EQ(in.Read(buf, 16), 0u);
  EXPECT_EQ(in.Seek(-5, TSeekOrigin::soEnd), 7);
  EXPECT_EQ(in.Read(buf, 5), 5u);
  EXPECT_EQ(std::string(buf, 5), "line2");
}

#ifdef _WIN32
TEST_F(FileStreamTest, CreateIsExclusive) {
  const std::wstring name = Name("mine.txt");
  TFileStream out(name, TFileMode::fmCreate);
  try {
    TFileStream other(name, TFileMode::fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), L"Cannot open file \"" + name + L"\". Access is denied.");
  }
}

TEST_F(FileStreamTest, OpenReadLetsOthersReadButNotWrite) {
  const std::wstring name = Name("shared.txt");
  std::ofstream(std::filesystem::path(name), std::ios::binary) << "abc";
  TFileStream in(name, TFileMode::fmOpenRead);
  TFileStream second(name, TFileMode::fmOpenRead);
  EXPECT_EQ(second.Size(), 3);
  EXPECT_THROW(TFileStream(name, TFileMode::fmCreate), EFCreateError);
  EXPECT_EQ(in.Size(), 3);
}
#else
// Windows keeps the file to itself while it is written, so only here can the
// content be looked at before the stream is closed.
TEST_F(FileStreamTest, WritesReachTheFileWithoutClosing) {
  const std::wstring name = Name("now.txt");
  TFileStream out(name, TFileMode::fmCreate);
  out.WriteBuffer("abc", 3);
  EXPECT_EQ(ReadAll(name), "abc");
}
#endif

TEST_F(FileStreamTest, CreateTruncatesAnExistingFile) {
  const std::wstring name = Name("old.txt");
  std::ofstream(std::filesystem::path(name), std::ios::binary) << "old content";
  TFileStream out(name, TFileMode::fmCreate);
  EXPECT_EQ(out.Size(), 0);
}

TEST_F(FileStreamTest, CreatedFileCanBeReadBackThroughTheSameStream) {
  TFileStream s(Name("rw.txt"), TFileMode::fmCreate);
  s.WriteBuffer("hello", 5);
  s.SetPosition(1);
  char buf[4];
  s.ReadBuffer(buf, 4);
  EXPECT_EQ(std::string(buf, 4), "ello");
  s.WriteBuffer("!", 1);  // write straight after a read
  s.SetPosition(0);
  char all[6];
  s.ReadBuffer(all, 6);
  EXPECT_EQ(std::string(all, 6), "hello!");
}

TEST_F(FileStreamTest, MissingFileRaisesOpenErrorNamingIt) {
  const std::wstring name = Name("missing.txt");
  try {
    TFileStream in(name, TFileMode::fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), L"Cannot open file \"" + name + L"\". The file or folder does not exist.");
  }
}

TEST_F(FileStreamTest, UncreatableFileRaisesCreateErrorWhichIsAnOpenError) {
  const std::wstring name = Name("no_such_dir/new.txt");
  try {
    TFileStream out(name, TFileMode::fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), L"Cannot create file \"" + name + L"\". The file or folder does not exist.");
  }
  EXPECT_THROW(TFileStream(name, TFileMode::fmCreate), EFOpenError);
  EXPECT_THROW(TFileStream(name, TFileMode::fmCreate), EStreamError);
}

TEST_F(FileStreamTest, AFolderCannotBeOpenedAsAFile) {
  EXPECT_THROW(TFileStream(FDir.wstring(), TFileMode::fmOpenRead), EFOpenError);
}

TEST_F(FileStreamTest, ReadOnlyStreamRefusesWrites) {
  const std::wstring name = Name("ro.txt");
  std::ofstream(std::filesystem::path(name), std::ios::binary) << "abc";
  TFileStream in(name, TFileMode::fmOpenRead);
  EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError);
  EXPECT_EQ(ReadAll(name), "abc");
}

TEST_F(FileStreamTest, SeekBeforeTheStartRaises) {
  const std::wstring name = Name("seek.txt");
  std::ofstream(std::filesystem::path(name), std::ios::binary) << "abc";
  TFileStream in(name, TFileMode::fmOpenRead);
  in.SetPosition(2);
  EXPECT_THROW(in.Seek(-3, TSeekOrigin::soCurrent), EStreamError);
  EXPECT_THROW(in.SetPosition(-1), EStreamError);
  EXPECT_EQ(in.Position(), 2);
}

TEST_F(FileStreamTest, JapaneseFileName) {
  // The wide name is built by hand: a POSIX path converts wide text through
  // the C locale, which knows no Japanese.
  const std::filesystem::path leaf(u8"色リスト①.txt");
  const std::wstring name = FDir.wstring() + L"/色リスト①.txt";
  {
    TFileStream out(name, TFileMode::fmCreate);
    out.WriteBuffer("x", 1);
  }
  EXPECT_TRUE(std::filesystem::exists(FDir / leaf));
  TFileStream in(name, TFileMode::fmOpenRead);
  EXPECT_EQ(in.Size(), 1);
}

}  // namespace
