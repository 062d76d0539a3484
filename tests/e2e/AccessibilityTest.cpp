// Tintra without a mouse and through a screen reader in another process:
// a whole session by keys alone, and the main window's accessible tree.
#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace {

using e2e::TintraSession;

void Keys(const std::string& keys) { e2e::RunProcess({"sh", "-c", "xdotool key --delay 40 " + keys}); }

// The control id of the keyboard's target in Tintra's thread, -1 for none.
int FocusedId(TintraSession& tintra) {
  const auto lines = e2e::probe::Lines({"focus", e2e::HexOf(tintra.Handle())});
  if (lines.size() < 2 || lines[1].size() < 4) return -1;
  return std::stoi(lines[1][3]);
}

// The accessible tree of a window, as another process reads it: one line an
// object, "depth id role name value state description action children".
std::vector<std::vector<std::string>> Tree(unsigned long hwnd, int max = 20) {
  return e2e::probe::Lines({"acc", e2e::HexOf(hwnd), std::to_string(max)});
}

std::vector<std::string> RowNames(TintraSession& tintra) {
  std::vector<std::string> names;
  for (const auto& line : Tree(tintra.Control(ControlIds::gridItem).Handle))
    if (line.size() > 3 && line[0] == "1" && line[2] == "28") names.push_back(line[3]);  // ROLE_SYSTEM_ROW
  return names;
}

bool LoupeShown() {
  for (const auto& f : e2e::probe::Lines({"find"}))
    if (f.size() >= 6 && f[3] == "1" && f[5] == "取得モード") return true;
  return false;
}

TEST(Keyboard, AWholeSessionByKeysAlone) {
  e2e::SetCheckerRoot();
  TintraSession tintra;
  // The X focus alone, as a window manager gives it: no click anywhere.
  tintra.Focus();
  EXPECT_EQ(e2e::Await(ControlIds::gridItem, [&] { return FocusedId(tintra); }), ControlIds::gridItem);

  // Tab through the window in reading order until the eyedropper box.
  int steps = 0;
  for (; steps < 30 && FocusedId(tintra) != ControlIds::pboxSpoit; ++steps) Keys("Tab");
  ASSERT_EQ(FocusedId(tintra), ControlIds::pboxSpoit) << "the eyedropper box is not in the tab order";

  // Space starts the pick at the box; ten steps of ten pixels down and one
  // to the right leave the window for the checkerboard.
  const e2e::WinControl box = tintra.Control(ControlIds::pboxSpoit);
  const e2e::WinControl window = tintra.Window();
  Keys("space");
  ASSERT_TRUE(e2e::WaitUntil(LoupeShown));
  int down = 0;
  while (box.Rect.CenterY() + 10 * down <= window.Rect.Bottom + 4) ++down;
  std::string moves;
  for (int i = 0; i < down; ++i) moves += " shift+Down";
  Keys(moves + " Right");
  const int x = box.Rect.CenterX() + 1, y = box.Rect.CenterY() + 10 * down;
  const std::string expected = e2e::probe::Pixel(x, y);
  Keys("Return");
  ASSERT_TRUE(e2e::WaitUntil([] { return !LoupeShown(); }));
  const std::string shown = expected == "#FF8000" ? "255" : std::to_string(std::stoi(expected.substr(1, 2), nullptr, 16));
  EXPECT_EQ(e2e::Await(shown, [&] { return tintra.Texts({ControlIds::FactorEditor(0)})[0]; }), shown);
  EXPECT_EQ(FocusedId(tintra), ControlIds::pboxSpoit) << "the focus left the window's controls after the pick";

  // Add it twice (the list takes the focus), to the channel panel and back
  // (F6), comment the second row, move it up, copy it.
  Keys("ctrl+Insert ctrl+Insert");
  ASSERT_EQ(e2e::Await(ControlIds::gridItem, [&] { return FocusedId(tintra); }), ControlIds::gridItem);
  Keys("F6");
  EXPECT_EQ(e2e::Await(ControlIds::edtRed, [&] { return FocusedId(tintra); }), ControlIds::edtRed);
  Keys("F6");
  ASSERT_EQ(e2e::Await(ControlIds::gridItem, [&] { return FocusedId(tintra); }), ControlIds::gridItem);
  Keys("ctrl+End F2");
  e2e::RunProcess({"xdotool", "type", "--delay", "40", "keys"});
  Keys("Return alt+Up");
  const std::vector<std::string> rows = {expected + ", keys", expected};
  EXPECT_EQ(e2e::Await(rows, [&] { return RowNames(tintra); }), rows);
  e2e::probe::SetClipboard("");
  Keys("alt+e c");
  EXPECT_EQ(e2e::Await(expected, [] { return e2e::probe::Clipboard().value_or(""); }), expected);
  std::cout << "keys: Tab x" << steps << ", space, shift+Down x" << down << ", Right, Return, ctrl+Insert x2, F6 x2, "
            << "ctrl+End, F2, \"keys\", Return, alt+Up, alt+e c; picked " << expected << " at " << x << ", " << y
            << "\n";
}

TEST(ScreenReader, ReadsTheMainWindowsTreeFromAnotherProcess) {
  TintraSession tintra;
  for (const char* colour : {"#123456", "#FF8000", "#00FF00"}) {
    e2e::probe::SetClipboard(colour);
    tintra.Command(tintra.MenuId("貼り付け(&P)"));
    tintra.Command(tintra.MenuId("追加(&A)"));
  }
  const std::vector<std::string> rows = {"#123456", "#FF8000", "#00FF00"};
  ASSERT_EQ(e2e::Await(rows, [&] { return RowNames(tintra); }), rows);
  // Every own control answers with its role and name; print the tree for the record.
  struct TExpect {
    int Id;
    std::string Role, Name;
  } expects[] = {
      {ControlIds::FactorEditor(0), "42", "赤"},           {ControlIds::FactorEditor(3), "42", "色相 (HSV)"},
      {ControlIds::FactorEditor(6), "42", "色相 (HSL)"},   {ControlIds::pboxColor, "40", "#00FF00, lime"},
      {ControlIds::pboxSpoit, "43", "スポイト"},           {ControlIds::gridItem, "24", "色リスト"},
      {ControlIds::SizeGripVel1, "4", "サイズ変更"},
  };
  for (const TExpect& e : expects) {
    const auto tree = Tree(tintra.Control(e.Id).Handle, 4);
    ASSERT_FALSE(tree.empty()) << e.Name;
    EXPECT_EQ(tree[0][2], e.Role) << e.Name;
    EXPECT_EQ(tree[0][3], e.Name);
  }
  std::cout << e2e::probe::Run({"acctree", e2e::HexOf(tintra.Handle()), "8"}).Out;
}

}  // namespace
