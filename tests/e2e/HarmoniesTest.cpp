// The harmonies dialog on the real program: a colour typed into the colour
// box, the dialog opened by its key, one set appended, and the saved list
// read back row by row.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

#include "app/ControlIds.h"
#include "core/colorout/uColorChannels.h"
#include "core/colorout/uColorHarmonies.h"
#include "tests/e2e/TintraSession.h"

namespace {

using e2e::TintraSession;
using namespace std::chrono_literals;

std::string Row(TColor c, const std::wstring& comment) {
  return std::to_string(RedOf(c)) + "," + std::to_string(GreenOf(c)) + "," + std::to_string(BlueOf(c)) + ",\"" +
         std::string(comment.begin(), comment.end()) + "\"\r\n";
}

TEST(Harmonies, AHarmonyAddedFromTheDialogIsSavedAsRowsWithTheirComments) {
  e2e::TTempDir dir("tintra_harmonies");
  const std::string list = dir.Path() + "/colors.txt";
  std::ofstream(list, std::ios::binary) << "0,255,0,\"green\"\r\n";
  TintraSession tintra;
  tintra.ThroughFileDialog("開く(&O)...", list);
  ASSERT_EQ(e2e::Await(std::string("colors - Tintra"), [&] { return tintra.Caption(); }, 20s), "colors - Tintra");

  // Typed into the colour box as CSS does it, then Enter.
  const e2e::WinControl box = tintra.Control(ControlIds::edtColorText);
  tintra.Click(box.Rect.CenterX(), box.Rect.CenterY());
  tintra.Key("ctrl+a");
  tintra.Type("rgb(51 102 204)");
  tintra.Key("Return");
  EXPECT_EQ(e2e::Await(std::string("204"), [&] { return tintra.Control(ControlIds::edtBlu).Text; }), "204");
  EXPECT_EQ(tintra.Control(ControlIds::edtColorText).Text, "#3366CC");

  tintra.Focus();
  tintra.Key("ctrl+h");
  const unsigned long dialog = e2e::WaitFor([&] { return tintra.FindTopLevel("", "配色"); }, "the harmonies dialog");
  unsigned long triadic = 0;
  for (const e2e::WinControl& c : tintra.ControlsOf(dialog))
    if (c.Text == "三角配色を追加") triadic = c.Handle;
  ASSERT_NE(triadic, 0u);
  tintra.Send(triadic, 0x00F5 /* BM_CLICK */, 0, 0);
  EXPECT_EQ(e2e::Await(std::string("colors(変更) - Tintra"), [&] { return tintra.Caption(); }, 20s),
            "colors(変更) - Tintra");
  // Esc closes it; the keys reach the main window again.
  tintra.Key("Escape");
  ASSERT_TRUE(e2e::WaitUntil([&] { return !tintra.FindTopLevel("", "配色"); }));

  tintra.Key("ctrl+s");
  std::string expected = "0,255,0,\"green\"\r\n";
  for (const THarmonyColor& c : HarmonyColors(MakeColor(51, 102, 204), THarmonySet::Triadic))
    expected += Row(c.color, c.comment);
  EXPECT_EQ(e2e::Await(expected, [&] { return e2e::ReadBytes(list); }, 20s), expected);
}

}  // namespace
