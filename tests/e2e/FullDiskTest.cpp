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

using e2e::HexOf;
using e2e::ReadBytes;
using e2e::TintraSession;
using e2e::WindowsPath;
using namespace std::chrono_literals;

struct TBox {
  unsigned long Handle = 0;
  std::string Text;
  bool Retry = false, FileDialog = false;
};

std::optional<TBox> FindBox(TintraSession& tintra) {
  for (const auto& f : e2e::probe::Lines({"find"})) {
    if (f.size() < 4 || std::stoul(f[1]) != tintra.WindowsPid() || f[2] != "#32770" || f[3] != "1") continue;
    TBox box;
    box.Handle = std::stoul(f[0], nullptr, 0);
    for (const auto& c : e2e::probe::Lines({"controls", HexOf(box.Handle)})) {
      if (c.size() < 5) continue;
      if (c[2] == "Static" && !c[4].empty()) box.Text += c[4];
      if (c[2] == "Button" && c[3] == "4") box.Retry = true;
      if (c[2] == "ComboBoxEx32" && c[3] == "1148") box.FileDialog = true;
    }
    return box;
  }
  return std::nullopt;
}

// Several pages of list: more than removing the small old backup frees.
std::string LongList() {
  std::string text;
  for (int i = 0; i < 400; ++i) text += std::to_string(i % 256) + ",0,0,\"old " + std::to_string(i) + "\"\r\n";
  return text;
}

int IdOf(TintraSession& tintra, const std::string& name) {
  const auto menu = tintra.Menu();
  const e2e::MenuEntry* e = e2e::FindMenuEntry(menu, name);
  if (!e) throw std::runtime_error("no menu entry " + name);
  return e->Id;
}

class FullDisk : public testing::Test {
 protected:
  void SetUp() override {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    char tmpl[] = "/tmp/tintra_full_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    Dir = tmpl;
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

  std::string Dir;
  bool Mounted = false;
};

// The new content is written beside the file before the backup is made, so
// a full disk changes nothing and Retry saves once there is room.
TEST_F(FullDisk, ASaveThatFindsNoRoomChangesNothingAndRetrySavesLater) {
  const std::string file = Dir + "/colors.txt", backup = Dir + "/colors.bak";
  const std::string before = LongList(), olderBackup = "1,2,3,\"older\"\r\n";
  std::ofstream(file, std::ios::binary) << before;
  std::ofstream(backup, std::ios::binary) << olderBackup;

  TintraSession tintra;
  tintra.Command(IdOf(tintra, "開く(&O)..."));
  std::optional<TBox> dialog;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (dialog = FindBox(tintra)) && dialog->FileDialog; }, 20s));
  for (const auto& c : e2e::probe::Lines({"controls", HexOf(dialog->Handle)})) {
    if (c.size() >= 4 && c[2] == "ComboBoxEx32" && c[3] == "1148") {
      tintra.SetText(std::stoul(c[0], nullptr, 0), WindowsPath(file));
      e2e::probe::Lines({"command", HexOf(dialog->Handle), "1"});
      break;
    }
  }
  ASSERT_EQ(e2e::Await(std::string("colors - Tintra"), [&] { return tintra.Caption(); }), "colors - Tintra");
  tintra.Command(IdOf(tintra, "追加(&A)"));
  ASSERT_EQ(e2e::Await(std::string("colors(変更) - Tintra"), [&] { return tintra.Caption(); }),
            "colors(変更) - Tintra");

  Fill();
  tintra.Command(IdOf(tintra, "上書き保存(&S)"));
  std::optional<TBox> box;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (box = FindBox(tintra)).has_value(); }, 20s))
      << "no failure box; the caption is " << tintra.Caption() << ", the file holds [" << ReadBytes(file)
      << "], the backup [" << ReadBytes(backup) << "]";
  std::printf("full disk: the box says %s\n", box->Text.c_str());
  EXPECT_NE(box->Text.find(WindowsPath(file)), std::string::npos) << box->Text;
  // Nothing on the disk has changed while the box asks.
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_EQ(ReadBytes(backup), olderBackup);
  ASSERT_TRUE(box->Retry) << "the box offers no Retry: " << box->Text;

  std::filesystem::remove(Dir + "/filler");
  e2e::probe::Lines({"command", HexOf(box->Handle), "4"});
  ASSERT_EQ(e2e::Await(
                std::string("colors - Tintra"), [&] { return tintra.Caption(); }, 20s),
            "colors - Tintra");
  tintra.Sync();
  EXPECT_FALSE(FindBox(tintra).has_value());
  const std::string saved = ReadBytes(file);
  EXPECT_EQ(saved.substr(0, before.size()), before);
  EXPECT_GT(saved.size(), before.size()) << "the added item is saved";
  EXPECT_EQ(ReadBytes(backup), before);
}

// Without Retry the list stays modified and the disk as it was.
TEST_F(FullDisk, ACancelledSaveOnAFullDiskKeepsTheListModified) {
  const std::string file = Dir + "/colors.txt", backup = Dir + "/colors.bak";
  const std::string before = LongList(), olderBackup = "1,2,3,\"older\"\r\n";
  std::ofstream(file, std::ios::binary) << before;
  std::ofstream(backup, std::ios::binary) << olderBackup;
  TintraSession tintra;
  tintra.Command(IdOf(tintra, "開く(&O)..."));
  std::optional<TBox> dialog;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (dialog = FindBox(tintra)) && dialog->FileDialog; }, 20s));
  for (const auto& c : e2e::probe::Lines({"controls", HexOf(dialog->Handle)})) {
    if (c.size() >= 4 && c[2] == "ComboBoxEx32" && c[3] == "1148") {
      tintra.SetText(std::stoul(c[0], nullptr, 0), WindowsPath(file));
      e2e::probe::Lines({"command", HexOf(dialog->Handle), "1"});
      break;
    }
  }
  ASSERT_EQ(e2e::Await(std::string("colors - Tintra"), [&] { return tintra.Caption(); }), "colors - Tintra");
  tintra.Command(IdOf(tintra, "追加(&A)"));
  ASSERT_EQ(e2e::Await(std::string("colors(変更) - Tintra"), [&] { return tintra.Caption(); }),
            "colors(変更) - Tintra");
  Fill();
  tintra.Command(IdOf(tintra, "上書き保存(&S)"));
  std::optional<TBox> box;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (box = FindBox(tintra)).has_value(); }, 20s)) << "no failure box";
  e2e::probe::Lines({"command", HexOf(box->Handle), box->Retry ? "2" : "1"});
  ASSERT_TRUE(e2e::WaitUntil([&] { return !FindBox(tintra).has_value(); }, 20s));
  tintra.Sync();
  EXPECT_EQ(tintra.Caption(), "colors(変更) - Tintra");
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_EQ(ReadBytes(backup), olderBackup);
}

}  // namespace
