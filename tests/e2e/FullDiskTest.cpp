// Saving onto a volume with no room left: a small tmpfs mounted for the test
// and reached through Wine's Z: drive. The save fails with a box that offers
// Retry, the file and its backup stay byte for byte as they were, the list
// stays modified; once there is room again, Retry saves.
//
// Needs root for mount; without it the test says so and skips.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "tests/e2e/TintraSession.h"

namespace {

using e2e::ReadBytes;
using e2e::TintraSession;
using e2e::WindowsPath;
using namespace std::chrono_literals;

struct TBox {
  unsigned long Handle = 0;
  std::string Text;
  bool Retry = false;
};

std::optional<TBox> FindBox(TintraSession& tintra) {
  const std::optional<unsigned long> handle = tintra.FindTopLevel();
  if (!handle) return std::nullopt;
  TBox box{*handle};
  for (const e2e::WinControl& c : tintra.ControlsOf(box.Handle)) {
    if (c.ClassName == "Static") box.Text += c.Text;
    if (c.ClassName == "Button" && c.Id == e2e::kIdRetry) box.Retry = true;
  }
  return box;
}

// Several pages of list: more than removing the small old backup frees.
std::string LongList() {
  std::string text;
  for (int i = 0; i < 400; ++i) text += std::to_string(i % 256) + ",0,0,\"old " + std::to_string(i) + "\"\r\n";
  return text;
}

class FullDisk : public testing::Test {
 protected:
  void SetUp() override {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    char tmpl[] = "/tmp/tintra_full_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    Dir = tmpl;
    File = Dir + "/colors.txt";
    Backup = Dir + "/colors.bak";
    const e2e::ProcessResult r = e2e::RunProcess({"mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", Dir});
    if (r.ExitCode != 0) GTEST_SKIP() << "mount -t tmpfs is not permitted here: " << r.Err;
    Mounted = true;
  }
  void TearDown() override {
    if (Mounted) e2e::RunProcess({"umount", "-l", Dir});
    if (!Dir.empty()) std::filesystem::remove_all(Dir);
  }

  // Writes until the volume refuses more.
  void Fill() {
    std::FILE* f = std::fopen((Dir + "/filler").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const std::string block(1024, 'x');
    while (std::fwrite(block.data(), 1, block.size(), f) == block.size() && std::fflush(f) == 0) {
    }
    std::fclose(f);
    // What one page more needs is gone too: a byte more does not fit.
    std::FILE* probe = std::fopen((Dir + "/probe").c_str(), "wb");
    if (probe) {
      const std::string page(4096, 'y');
      const bool fits = std::fwrite(page.data(), 1, page.size(), probe) == page.size() && std::fflush(probe) == 0;
      std::fclose(probe);
      std::filesystem::remove(Dir + "/probe");
      ASSERT_FALSE(fits) << "the volume is not full";
    }
  }

  // Opens the list, adds a colour, fills the volume and saves: the box the
  // failed save shows.
  void SaveOntoAFullDisk(TintraSession& tintra, std::optional<TBox>& box) {
    std::ofstream(File, std::ios::binary) << Before;
    std::ofstream(Backup, std::ios::binary) << OlderBackup;
    tintra.ThroughFileDialog("開く(&O)...", File);
    ASSERT_EQ(e2e::Await(std::string("colors - Tintra"), [&] { return tintra.Caption(); }, 20s), "colors - Tintra");
    tintra.Command(tintra.MenuId("追加(&A)"));
    ASSERT_EQ(e2e::Await(std::string("colors(変更) - Tintra"), [&] { return tintra.Caption(); }),
              "colors(変更) - Tintra");
    Fill();
    tintra.Command(tintra.MenuId("上書き保存(&S)"));
    ASSERT_TRUE(e2e::WaitUntil([&] { return (box = FindBox(tintra)).has_value(); }, 20s))
        << "no failure box; the caption is " << tintra.Caption() << ", the file holds [" << ReadBytes(File)
        << "], the backup [" << ReadBytes(Backup) << "]";
  }

  std::string Dir, File, Backup;
  const std::string Before = LongList(), OlderBackup = "1,2,3,\"older\"\r\n";
  bool Mounted = false;
};

// The new content is written beside the file before the backup is made, so
// a full disk changes nothing and Retry saves once there is room.
TEST_F(FullDisk, ASaveThatFindsNoRoomChangesNothingAndRetrySavesLater) {
  TintraSession tintra;
  std::optional<TBox> box;
  SaveOntoAFullDisk(tintra, box);
  if (HasFatalFailure()) return;
  std::printf("full disk: the box says %s\n", box->Text.c_str());
  EXPECT_NE(box->Text.find(WindowsPath(File)), std::string::npos) << box->Text;
  // Nothing on the disk has changed while the box asks.
  EXPECT_EQ(ReadBytes(File), Before);
  EXPECT_EQ(ReadBytes(Backup), OlderBackup);
  ASSERT_TRUE(box->Retry) << "the box offers no Retry: " << box->Text;

  std::filesystem::remove(Dir + "/filler");
  tintra.Press(box->Handle, e2e::kIdRetry);
  ASSERT_EQ(e2e::Await(
                std::string("colors - Tintra"), [&] { return tintra.Caption(); }, 20s),
            "colors - Tintra");
  tintra.Sync();
  EXPECT_FALSE(FindBox(tintra).has_value());
  const std::string saved = ReadBytes(File);
  EXPECT_EQ(saved.substr(0, Before.size()), Before);
  EXPECT_GT(saved.size(), Before.size()) << "the added item is saved";
  EXPECT_EQ(ReadBytes(Backup), Before);
}

// Without Retry the list stays modified and the disk as it was.
TEST_F(FullDisk, ACancelledSaveOnAFullDiskKeepsTheListModified) {
  TintraSession tintra;
  std::optional<TBox> box;
  SaveOntoAFullDisk(tintra, box);
  if (HasFatalFailure()) return;
  tintra.Press(box->Handle, box->Retry ? e2e::kIdCancel : e2e::kIdOk);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !FindBox(tintra).has_value(); }, 20s));
  tintra.Sync();
  EXPECT_EQ(tintra.Caption(), "colors(変更) - Tintra");
  EXPECT_EQ(ReadBytes(File), Before);
  EXPECT_EQ(ReadBytes(Backup), OlderBackup);
}

}  // namespace
