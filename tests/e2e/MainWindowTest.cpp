// The main window as a user first meets it: caption, menu bar, button bar.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/ControlIds.h"
#include "tests/e2e/TintraSession.h"

namespace {

using e2e::MenuEntry;
using e2e::TintraSession;

// Menus show these keys spelt out or abbreviated ("Del", as Notepad has
// it); either reads right.
std::string FullKeyNames(std::string caption) {
  const std::pair<std::string, std::string> names[] = {{"+Ins", "+Insert"}, {"+Del", "+Delete"}};
  for (const auto& [abbreviated, full] : names) {
    if (caption.ends_with(abbreviated)) caption.replace(caption.size() - abbreviated.size(), abbreviated.size(), full);
  }
  return caption;
}

// A submenu as lines: separators as "-", a nested submenu's entries
// indented by two spaces below its own caption.
void Flatten(const std::vector<MenuEntry>& items, const std::string& indent, std::vector<std::string>& out) {
  for (const auto& e : items) {
    out.push_back(indent + (e.IsSeparator() ? "-" : FullKeyNames(e.Caption)));
    if (e.Kind == MenuEntry::EKind::Popup) Flatten(e.Items, indent + "  ", out);
  }
}

std::vector<std::string> Flatten(const MenuEntry& submenu) {
  std::vector<std::string> out;
  Flatten(submenu.Items, "", out);
  return out;
}

const std::vector<std::pair<std::string, std::vector<std::string>>> kMenuBar = {
    {"ファイル(&F)",
     {"新規作成(&N)\tCtrl+N", "開く(&O)...\tCtrl+O", "上書き保存(&S)\tCtrl+S", "名前をつけて保存(&A)...\tCtrl+Shift+S",
      "-", "インポート(&I)...", "エクスポート(&E)...", "-", "終了(&X)"}},
    {"編集(&E)",
     // The copy formats show their output for black until the submenu opens.
     {"元に戻す(&U)\tCtrl+Z", "やり直し(&R)\tCtrl+Y", "-", "画面から取得(&S)\tCtrl+K", "-", "コピー(&C)",
      "現在の色をコピー(&N)\tCtrl+Shift+C", "形式を指定してコピー(&F)", "  &1 Hex  #000000", "  &2 Hex lower case  #000000",
      "  &3 CSS rgb()  rgb(0, 0, 0)", "  &4 CSS hsl()  hsl(0, 0%, 0%)", "  &5 CSS hwb()  hwb(0 0% 100%)",
      "  &6 CSS oklch()  oklch(0.0000 0.0000 0.00)", "  &7 COLORREF  0x000000", "  &8 Delphi  $00000000",
      "  &9 Floats 0..1  0.000, 0.000, 0.000", "  &0 Decimal  0", "  &A Name  black",
      "  &B CSS lab()  lab(0.00 0.00 0.00)", "  &C CSS lch()  lch(0.00 0.00 0.00)",
      "  &D CSS oklab()  oklab(0.0000 0.0000 0.0000)",
      "  &F CSS color(display-p3)  color(display-p3 0.0000 0.0000 0.0000)",
      "  &G CSS color(srgb-linear)  color(srgb-linear 0.0000 0.0000 0.0000)",
      "  &H CSS color(xyz-d65)  color(xyz-d65 0.0000 0.0000 0.0000)", "  &I CMYK  cmyk(0%, 0%, 0%, 100%)",
      "  &J GLSL vec4  vec4(0.000, 0.000, 0.000, 1.0)", "  &K Android ARGB  #FF000000",
      "  &L .NET Color.FromArgb  Color.FromArgb(255, 0, 0, 0)",
      "  &M SwiftUI Color  Color(red: 0.000, green: 0.000, blue: 0.000)", "  -", "  形式の編集(&E)...",
      "貼り付け(&P)\tCtrl+V", "比較色に設定(&K)", "配色...\tCtrl+H", "-",
      "追加(&A)\tCtrl+Insert", "削除(&D)\tCtrl+Delete", "一行上に移動(&U)\tCtrl+U", "一行下に移動(&D)\tCtrl+D"}},
    {"表示(&V)",
     {"常に手前に表示(&S)", "拡大ウィンドウの表示", "コントラストの表示(&T)", "色覚シミュレーション", "  なし", "  1型 (P)",
      "  2型 (D)", "  3型 (T)", "  全色盲"}},
    {"設定(&S)",
     {"１６進数表記の並び順(&O)", "  赤緑青(&R)\tCtrl+Alt+R", "  青緑赤(&B)\tCtrl+Alt+B", "取得範囲(&P)",
      "  1 × 1 ピクセル", "  3 × 3 の平均", "  5 × 5 の平均", "  9 × 9 の平均", "  5 × 5 の最多色",
      "ホットキー(&K)...", "画面を固定して取得(&F)", "取得時にコピー(&C)", "  なし(&N)", "  &1 Hex  #000000",
      "  &2 Hex lower case  #000000", "  &3 CSS rgb()  rgb(0, 0, 0)", "  &4 CSS hsl()  hsl(0, 0%, 0%)",
      "  &5 CSS hwb()  hwb(0 0% 100%)", "  &6 CSS oklch()  oklch(0.0000 0.0000 0.00)", "  &7 COLORREF  0x000000",
      "  &8 Delphi  $00000000", "  &9 Floats 0..1  0.000, 0.000, 0.000", "  &0 Decimal  0", "  &A Name  black",
      "  &B CSS lab()  lab(0.00 0.00 0.00)", "  &C CSS lch()  lch(0.00 0.00 0.00)",
      "  &D CSS oklab()  oklab(0.0000 0.0000 0.0000)",
      "  &F CSS color(display-p3)  color(display-p3 0.0000 0.0000 0.0000)",
      "  &G CSS color(srgb-linear)  color(srgb-linear 0.0000 0.0000 0.0000)",
      "  &H CSS color(xyz-d65)  color(xyz-d65 0.0000 0.0000 0.0000)", "  &I CMYK  cmyk(0%, 0%, 0%, 100%)",
      "  &J GLSL vec4  vec4(0.000, 0.000, 0.000, 1.0)", "  &K Android ARGB  #FF000000",
      "  &L .NET Color.FromArgb  Color.FromArgb(255, 0, 0, 0)",
      "  &M SwiftUI Color  Color(red: 0.000, green: 0.000, blue: 0.000)", "通知領域に表示(&T)", "言語(&L)", "  自動(&A)",
      "  日本語", "  English"}},
    {"ヘルプ(&H)", {"作者のホームページ(&H)...", "バージョン情報(&A)..."}},
};

// With no recent files the list between the file menu's two separators is
// empty, or holds one disabled placeholder.
std::vector<MenuEntry> WithoutEmptyRecentList(std::vector<MenuEntry> items) {
  size_t first = 0;
  while (first < items.size() && !items[first].IsSeparator()) ++first;
  size_t second = first + 1;
  while (second < items.size() && !items[second].IsSeparator()) ++second;
  if (second == first + 2 && second < items.size() && !items[first + 1].Enabled)
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(first) + 1);
  return items;
}

TEST(MainWindow, AppearsWithAnUntitledDocumentInItsCaption) {
  TintraSession tintra;
  auto window = tintra.Window();
  EXPECT_EQ(window.Text, "(無題) - Tintra");
  EXPECT_TRUE(window.Visible);
  EXPECT_TRUE(window.Enabled);
  if (auto path = e2e::ScreenshotPath("main-window.png")) {
    // Shown once the editors hold the start colour.
    e2e::Await(std::string("128"), [&] { return tintra.Control(ControlIds::edtCr).Text; });
    tintra.Screenshot(*path);
  }
}

TEST(MainWindow, EveryControlHasItsOwnId) {
  TintraSession tintra;
  const std::vector<e2e::WinControl> controls = tintra.Controls();
  std::map<unsigned long, std::set<int>> bySiblings;
  for (const auto& c : controls) {
    EXPECT_NE(c.Id, 0) << c.ClassName << " \"" << c.Text << "\"";
    EXPECT_TRUE(bySiblings[c.Parent].insert(c.Id).second) << "ID " << c.Id << " twice among siblings";
  }
  const std::pair<int, const char*> fixed[] = {
      {ControlIds::ToolBar, "ToolbarWindow32"},
      {ControlIds::edtRed, "TintraEdit"},
      {ControlIds::edtCr, "TintraEdit"},
      {ControlIds::pboxSpoit, ""},
      {ControlIds::pboxZoom, ""},
      {ControlIds::SizeGripVel1, ""},
  };
  for (const auto& [id, cls] : fixed) {
    const e2e::WinControl c = tintra.Control(id);
    if (*cls) {
      EXPECT_EQ(c.ClassName, cls) << id;
    }
  }
}

TEST(MainWindow, MenuBarHasTheFiveSubmenusWithTheirItemsInOrder) {
  TintraSession tintra;
  auto menu = tintra.Menu();
  std::vector<std::string> bar;
  for (const auto& e : menu) bar.push_back(e.Caption);
  std::vector<std::string> expectedBar;
  for (const auto& [caption, items] : kMenuBar) expectedBar.push_back(caption);
  ASSERT_EQ(bar, expectedBar);

  for (size_t i = 0; i < kMenuBar.size(); ++i) {
    SCOPED_TRACE(kMenuBar[i].first);
    MenuEntry submenu = menu[i];
    EXPECT_EQ(submenu.Kind, MenuEntry::EKind::Popup);
    if (i == 0) submenu.Items = WithoutEmptyRecentList(submenu.Items);
    EXPECT_EQ(Flatten(submenu), kMenuBar[i].second);
  }
}

TEST(MainWindow, OnlyTheMagnifierItemStartsChecked) {
  TintraSession tintra;
  auto menu = tintra.Menu();
  const MenuEntry* zoom = e2e::FindMenuEntry(menu, "拡大ウィンドウの表示");
  ASSERT_NE(zoom, nullptr);
  EXPECT_TRUE(zoom->Checked);
  const MenuEntry* stayOnTop = e2e::FindMenuEntry(menu, "常に手前に表示(&S)");
  ASSERT_NE(stayOnTop, nullptr);
  EXPECT_FALSE(stayOnTop->Checked);
}

TEST(MainWindow, ButtonBarHoldsTheCommandsInMenuOrderWithTheirImages) {
  TintraSession tintra;
  auto menu = tintra.Menu();
  auto bars = tintra.ToolBars();
  // The bar with images is the button bar (a menu bar as a tool bar has none).
  const e2e::ToolBarInfo* buttons = nullptr;
  size_t most = 0;
  for (const auto& bar : bars) {
    size_t n = 0;
    for (const auto& b : bar.Buttons) n += !b.Separator && b.Image >= 0;
    if (n > most) {
      most = n;
      buttons = &bar;
    }
  }
  ASSERT_NE(buttons, nullptr) << "no tool bar with image buttons";

  // Each button named by the menu item of the same command.
  std::vector<std::string> names;
  std::vector<int> images;
  for (const auto& b : buttons->Buttons) {
    if (b.Hidden) continue;
    if (b.Separator) {
      names.push_back("|");
      images.push_back(-1);
      continue;
    }
    const MenuEntry* item = e2e::FindMenuEntry(menu, b.Id);
    names.push_back(item ? item->Name() : "command " + std::to_string(b.Id));
    images.push_back(b.Image);
  }
  const std::vector<std::string> expectedNames = {
      "開く(&O)...", "上書き保存(&S)", "|", "元に戻す(&U)", "やり直し(&R)", "|", "画面から取得(&S)", "コピー(&C)",
      "貼り付け(&P)", "|", "追加(&A)", "削除(&D)", "一行上に移動(&U)", "一行下に移動(&D)", "|", "常に手前に表示(&S)", "|",
      "拡大ウィンドウの表示"};
  EXPECT_EQ(names, expectedNames);
  const std::vector<int> expectedImages = {0, 1, -1, 10, 11, -1, 12, 2, 9, -1, 3, 4, 5, 6, -1, 7, -1, 8};
  EXPECT_EQ(images, expectedImages);

  for (const auto& b : buttons->Buttons) {
    const MenuEntry* item = e2e::FindMenuEntry(menu, b.Id);
    if (b.Separator || !item) continue;
    SCOPED_TRACE(item->Name());
    EXPECT_EQ(b.Checked, item->Checked);
    // The tip teaches the key the menu shows: "開く (Ctrl+O)".
    const size_t tab = item->Caption.find('\t');
    const std::string key = tab == std::string::npos ? "" : " (" + item->Caption.substr(tab + 1) + ")";
    EXPECT_EQ(b.ToolTip.find(" ("), key.empty() ? std::string::npos : b.ToolTip.size() - key.size()) << b.ToolTip;
    EXPECT_TRUE(b.ToolTip.ends_with(key)) << b.ToolTip;
  }
}

}  // namespace

namespace {

// The about box is a window of its own; it names the build from the version resource.
TEST(MainWindow, TheAboutBoxShowsTheVersion) {
  TintraSession tintra;
  const auto menu = tintra.Menu();
  const MenuEntry* about = e2e::FindMenuEntry(menu, "バージョン情報(&A)...");
  ASSERT_NE(about, nullptr);
  tintra.Command(about->Id);
  std::string box;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (box.empty() && std::chrono::steady_clock::now() < deadline) {
    const e2e::ProcessResult found = e2e::probe::Run({"find", "Tintra について"});
    if (found.ExitCode == 0) box = found.Out.substr(0, found.Out.find('\t'));
  }
  ASSERT_FALSE(box.empty()) << "no window \"Tintra について\"";
  bool version = false;
  for (const auto& f : e2e::probe::Lines({"controls", box}))
    if (f.size() > 4 && f[4].rfind("Version 1.0.0.", 0) == 0 && f[4].size() > 14) version = true;
  EXPECT_TRUE(version) << "no label \"Version 1.0.0.N\"";
}

}  // namespace
