// Copy as a format on a real main window: the edit menu's submenu filled as
// it opens, its items through WM_COMMAND onto the real clipboard, the list's
// shortcut menu, paste recognition before the hex rule, the templates in the
// registry, the formats dialog and the colour's name beside the swatch.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/ufrmCopyFormats.h"
#include "core/colorout/uCopyFormats.h"
#include "app/uColorNameLabel.h"
#include "app/ufrmTintra.h"
#include "core/color/uColorText.h"
#include "core/colorout/uColorChannels.h"
#include "core/colorout/uCopyTemplate.h"
#include "framework/Clipboard.h"
#include "framework/Handles.h"

namespace {

const wchar_t kKey[] = L"SOFTWARE\\ZORVEK\\TintraCopyFormatsTest";

const TColor k123456 = MakeColor(18, 52, 86);
const TColor kFF8000 = MakeColor(255, 128, 0);

// The built-in formats in menu order, for #123456 and #FF8000.
const std::vector<std::wstring> kOutputs123456 = {L"#123456",
                                                  L"#123456",
                                                  L"rgb(18, 52, 86)",
                                                  L"hsl(210.0, 65.4%, 20.4%)",
                                                  L"hwb(210.0 7.1% 66.3%)",
                                                  L"oklch(0.3192 0.0725 251.17)",
                                                  L"0x563412",
                                                  L"$00563412",
                                                  L"0.071, 0.204, 0.337",
                                                  L"1193046",
                                                  L"\u2248midnightblue",
                                                  L"lab(20.68 -2.28 -24.59)",
                                                  L"lch(20.68 24.70 264.71)",
                                                  L"oklab(0.3192 -0.0234 -0.0686)",
                                                  L"color(display-p3 0.1066 0.2009 0.3270)",
                                                  L"color(srgb-linear 0.0060 0.0343 0.0931)",
                                                  L"color(xyz-d65 0.0316 0.0326 0.0927)",
                                                  L"cmyk(79%, 40%, 0%, 66%)",
                                                  L"vec4(0.071, 0.204, 0.337, 1.0)",
                                                  L"#FF123456",
                                                  L"Color.FromArgb(255, 18, 52, 86)",
                                                  L"Color(red: 0.071, green: 0.204, blue: 0.337)"};
const std::vector<std::wstring> kOutputsFF8000 = {L"#FF8000",
                                                  L"#ff8000",
                                                  L"rgb(255, 128, 0)",
                                                  L"hsl(30, 100%, 50%)",
                                                  L"hwb(30 0% 0%)",
                                                  L"oklch(0.7319 0.1858 52.98)",
                                                  L"0x0080FF",
                                                  L"$000080FF",
                                                  L"1.000, 0.502, 0.000",
                                                  L"16744448",
                                                  L"\u2248darkorange",
                                                  L"lab(67.82 45.49 74.84)",
                                                  L"lch(67.82 87.58 58.71)",
                                                  L"oklab(0.7319 0.1119 0.1484)",
                                                  L"color(display-p3 0.9361 0.5290 0.1987)",
                                                  L"color(srgb-linear 1.0000 0.2159 0.0000)",
                                                  L"color(xyz-d65 0.4896 0.3670 0.0451)",
                                                  L"cmyk(0%, 50%, 100%, 0%)",
                                                  L"vec4(1.000, 0.502, 0.000, 1.0)",
                                                  L"#FFFF8000",
                                                  L"Color.FromArgb(255, 255, 128, 0)",
                                                  L"Color(red: 1.000, green: 0.502, blue: 0.000)"};

// A built-in item's caption: its access key and label beside the output.
std::wstring Captioned(std::size_t i, const std::wstring& output) {
  const wchar_t* labels[] = {L"Hex",     L"Hex lower case", L"CSS rgb()",   L"CSS hsl()", L"CSS hwb()", L"CSS oklch()",
                             L"COLORREF", L"Delphi",        L"Floats 0..1", L"Decimal",   L"Name",
                             L"CSS lab()", L"CSS lch()", L"CSS oklab()", L"CSS color(display-p3)",
                             L"CSS color(srgb-linear)", L"CSS color(xyz-d65)", L"CMYK", L"GLSL vec4", L"Android ARGB",
                             L".NET Color.FromArgb", L"SwiftUI Color"};
  return std::wstring(L"&") + L"1234567890ABCDFGHIJKLM"[i] + L' ' + labels[i] + L"  " + output;
}

std::wstring MenuString(HMENU menu, int pos) {
  wchar_t text[256] = {};
  MENUITEMINFOW mii{sizeof(mii)};
  mii.fMask = MIIM_FTYPE | MIIM_STRING;
  mii.dwTypeData = text;
  mii.cch = 256;
  if (!::GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &mii)) return L"?";
  return (mii.fType & MFT_SEPARATOR) ? L"-" : text;
}

std::vector<std::wstring> MenuStrings(HMENU menu) {
  std::vector<std::wstring> items;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) items.push_back(MenuString(menu, i));
  return items;
}

void PutAnsiText(const std::string& bytes) {
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() + 1);
  std::memcpy(fw::TGlobalLock<char>(mem).Get(), bytes.data(), bytes.size());
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::SetClipboardData(CF_TEXT, mem);
  ::CloseClipboard();
}

class CopyFormatsTest : public testing::Test {
 protected:
  TMainWindowOptions Options() {
    TMainWindowOptions options;
    options.TrackMenu = [this](HMENU menu, HWND, int x, int y) -> UINT {
      TrackedAt = {x, y};
      Tracked = MenuStrings(menu);
      const int copyAs = 1;
      TrackedCopyAs = MenuStrings(::GetSubMenu(menu, copyAs));
      return Choose ? Choose(menu) : 0;
    };
    return options;
  }
  void SetUp() override {
    Form.CreateForm();
    Form.ChannelPanel.UpdateFromRGB();
  }
  // The edit menu's first submenu.
  HMENU CopyAsMenu() {
    HMENU edit = ::GetSubMenu(::GetMenu(Form.Handle()), 1);
    for (int i = 0; i < ::GetMenuItemCount(edit); ++i)
      if (HMENU sub = ::GetSubMenu(edit, i)) return sub;
    return nullptr;
  }
  // What the menu loop sends as the submenu opens.
  std::vector<std::wstring> OpenCopyAs() {
    ::SendMessageW(Form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(CopyAsMenu()), 0);
    return MenuStrings(CopyAsMenu());
  }
  void ChooseItem(int pos) { ::SendMessageW(Form.Handle(), WM_COMMAND, ::GetMenuItemID(CopyAsMenu(), pos), 0); }
  std::wstring Clip() { return fw::ClipboardGetUnicodeText(Form.Handle()); }
  std::string AnsiClip() { return fw::ClipboardGetText(Form.Handle()); }

  POINT TrackedAt{};
  std::vector<std::wstring> Tracked, TrackedCopyAs;
  std::function<UINT(HMENU)> Choose;
  TfrmTintra Form{Options()};
};

TEST_F(CopyFormatsTest, EachItemShowsAndCopiesItsOutputForTheCurrentColourWhateverTheRow) {
  const struct {
    bool row;  // a list row of #FF8000 while the current colour is #123456
    const std::vector<std::wstring>& outputs;
  } cases[] = {{false, kOutputs123456}, {true, kOutputs123456}};
  for (const auto& c : cases) {
    if (c.row) {
      Form.ChannelPanel.SetColor(kFF8000);
      Form.actInsert.Execute();
    }
    Form.ChannelPanel.SetColor(k123456);
    std::vector<std::wstring> expected;
    for (const auto& o : c.outputs) expected.push_back(Captioned(expected.size(), o));
    expected.push_back(L"-");
    expected.push_back(L"形式の編集(&E)...");
    EXPECT_EQ(OpenCopyAs(), expected);
    for (int i = 0; i < static_cast<int>(c.outputs.size()); ++i) {
      ChooseItem(i);
      const std::wstring& text = c.outputs[static_cast<std::size_t>(i)];
      EXPECT_EQ(Clip(), text) << i;
      if (text[0] != L'\u2248') {
        EXPECT_EQ(AnsiClip(), std::string(text.begin(), text.end())) << i;
      }
    }
  }
}

TEST_F(CopyFormatsTest, TheNameReachesAnsiReadersWithoutAStrayLetter) {
  const struct {
    TColor color;
    std::wstring unicode;
    const char* name;
  } cases[] = {{MakeColor(0, 0, 128), L"navy", "navy"}, {k123456, L"\u2248midnightblue", "midnightblue"}};
  for (const auto& c : cases) {
    Form.ChannelPanel.SetColor(c.color);
    OpenCopyAs();
    ChooseItem(10);
    EXPECT_EQ(Clip(), c.unicode);
    const std::string ansi = AnsiClip();
    // Narrowing U+2248 would leave 'H' (0x48) in front of the name.
    EXPECT_TRUE(ansi.ends_with(c.name)) << ansi;
    EXPECT_NE(ansi.front(), 'H') << ansi;
  }
}

TEST_F(CopyFormatsTest, TemplatesFollowTheBuiltInsAndAFaultyOneCopiesAsItStands) {
  Form.ChannelPanel.SetColor(k123456);
  Form.CopyFormats.SetTemplates({L"R&B {r}", L"{x} {r}", L"{R}{G}{B}"});
  const std::vector<std::wstring> items = OpenCopyAs();
  ASSERT_EQ(items.size(), 22u + 1 + 3 + 2);
  EXPECT_EQ(items[22], L"-");
  EXPECT_EQ(items[23], L"R&&B 18");  // shown as "R&B 18", no accelerator
  EXPECT_EQ(items[24], L"{x} 18");
  EXPECT_EQ(items[25], L"123456");
  EXPECT_EQ(items[26], L"-");
  const struct {
    int pos;
    const wchar_t* text;
  } cases[] = {{23, L"R&B 18"}, {24, L"{x} 18"}, {25, L"123456"}};
  for (const auto& c : cases) {
    ChooseItem(c.pos);
    EXPECT_EQ(Clip(), c.text);
  }
  // Fewer templates take their items away again.
  Form.CopyFormats.SetTemplates({});
  EXPECT_EQ(OpenCopyAs().size(), 24u);
}

TEST_F(CopyFormatsTest, TheListsShortcutMenuCopiesAndRunsTheListCommands) {
  Form.ChannelPanel.SetColor(kFF8000);
  Form.actInsert.Execute();
  // The shortcut menu takes its row, not the current colour.
  Form.ChannelPanel.SetColor(k123456);
  HWND grid = Form.ColorList.gridItem.Handle();
  // Choose the rgb() item of the copy submenu.
  Choose = [](HMENU menu) { return ::GetMenuItemID(::GetSubMenu(menu, 1), 2); };
  ::SendMessageW(grid, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid), MAKELPARAM(300, 200));
  EXPECT_EQ(TrackedAt.x, 300);
  EXPECT_EQ(TrackedAt.y, 200);
  EXPECT_EQ(Tracked, (std::vector<std::wstring>{L"コピー(&C)", L"形式を指定してコピー(&F)", L"貼り付け(&P)\tCtrl+V",
                                                L"比較色に設定(&K)", L"配色...\tCtrl+H", L"-", L"追加(&A)\tCtrl+Ins", L"削除(&D)\tCtrl+Del",
                                                L"一行上に移動(&U)\tCtrl+U", L"一行下に移動(&D)\tCtrl+D"}));
  ASSERT_GE(TrackedCopyAs.size(), 11u);
  EXPECT_EQ(TrackedCopyAs[0], Captioned(0, kOutputsFF8000[0]));
  EXPECT_EQ(Clip(), kOutputsFF8000[2]);

  // From the keyboard the menu opens at the current cell; an action runs.
  Choose = [this](HMENU) { return static_cast<UINT>(Form.actInsert.Id()); };
  ::SendMessageW(grid, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid), MAKELPARAM(-1, -1));
  EXPECT_NE(TrackedAt.x, -1);
  EXPECT_EQ(Form.ColorList.ItemCount(), 2);

  // Nothing chosen: nothing happens.
  Choose = nullptr;
  ::SendMessageW(grid, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid), MAKELPARAM(10, 10));
  EXPECT_EQ(Form.ColorList.ItemCount(), 2);
}

TEST_F(CopyFormatsTest, PasteRecognisesColourTextsBeforeTheHexRule) {
  const struct {
    std::string bytes;
    std::uint8_t order;
    TColor color;  // it starts white
  } cases[] = {
      {"#123", 0, MakeColor(0x11, 0x22, 0x33)},
      {"#123", 1, MakeColor(0x11, 0x22, 0x33)},  // the byte order is the hex rule's
      {" rgb(18, 52, 86)\r\n", 0, k123456},
      {"rgb(18 52 86)", 1, k123456},
      {"hsl(210, 65%, 20%)", 0, MakeColor(18, 51, 84)},
      {"red", 1, MakeColor(255, 0, 0)},
      {"\tRebeccaPurple ", 0, MakeColor(102, 51, 153)},
      // Everything else as before.
      {"#FF8000", 0, kFF8000},
      {"#FF8000", 1, MakeColor(0, 128, 255)},
      {"$123456", 0, k123456},
      {"FF", 0, MakeColor(0, 0, 255)},
  };
  for (const auto& c : cases) {
    Form.ChannelPanel.SetColor(0xFFFFFF);
    Form.ColorList.SetHexOrder(c.order);
    PutAnsiText(c.bytes);
    Form.actPaste.Execute();
    EXPECT_EQ(Form.ChannelPanel.Factors().Color, c.color) << c.bytes << " order " << int(c.order);
  }
  // No colour text: the hex rule decides exactly as it always has.
  for (const char* text : {"reddish", "rgb(1, 2)", "#12", "hsl(x)", "0xFF8000"}) {
    Form.ChannelPanel.SetColor(0xFFFFFF);
    Form.ColorList.SetHexOrder(0);
    PutAnsiText(text);
    Form.actPaste.Execute();
    EXPECT_EQ(Form.ChannelPanel.Factors().Color, PastedTextToColor(text, 0).value_or(0xFFFFFF)) << text;
  }
}

TEST(CopyFormatsStoreTest, TemplatesAreKeptAsAMultiStringUnderTheSettingsKey) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
  TMainWindowOptions options;
  options.SettingsKey = kKey;
  {
    TfrmTintra form(options);
    form.CreateForm();
    form.CopyFormats.SetTemplates({L"a {r}", L"", L"b"});
    EXPECT_EQ(form.CopyFormats.Templates(), (std::vector<std::wstring>{L"a {r}", L"b"}));
  }
  fw::TUniqueKey key;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ | KEY_WRITE, key.Put()), ERROR_SUCCESS);
  wchar_t data[64] = {};
  DWORD type = 0, bytes = sizeof(data);
  ASSERT_EQ(::RegQueryValueExW(key.Get(), L"CopyFormats", nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
  EXPECT_EQ(std::wstring(data, bytes / sizeof(wchar_t)), std::wstring(L"a {r}\0b\0\0", 9));

  const struct {
    DWORD type;
    std::wstring data;
    std::vector<std::wstring> templates;
  } cases[] = {
      {REG_MULTI_SZ, std::wstring(L"a {r}\0b\0\0", 9), {L"a {r}", L"b"}},
      {REG_MULTI_SZ, std::wstring(L"x {r}\0{y", 8), {L"x {r}", L"{y"}},  // no final NULs, a faulty one kept
      {REG_SZ, std::wstring(L"one {g}\0", 8), {L"one {g}"}},
      {REG_BINARY, std::wstring(L"bin\0\0", 5), {}},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(::RegSetValueExW(key.Get(), L"CopyFormats", 0, c.type, reinterpret_cast<const BYTE*>(c.data.data()),
                               static_cast<DWORD>(c.data.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
    TfrmTintra form(options);
    form.CreateForm();
    EXPECT_EQ(form.CopyFormats.Templates(), c.templates) << c.type;
  }
  key.Reset();
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
}

class CopyFormatsDialogTest : public testing::Test {
 protected:
  // The templates follow the built-in formats in the list.
  const int kBuiltIns = static_cast<int>(BuiltInCopyFormats().size());
  void SetUp() override { Owner.CreateForm(); }
  void Select(int index) {
    Dialog.lstFormats.SetItemIndex(index);
    ::SendMessageW(Dialog.Handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(Dialog.lstFormats.Handle()), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Dialog.lstFormats.Handle()));
  }
  void Press(fw::TButton& button) { ::SendMessageW(button.Handle(), BM_CLICK, 0, 0); }
  bool Enabled(fw::TButton& button) { return ::IsWindowEnabled(button.Handle()) != FALSE; }
  std::vector<std::wstring> Items() {
    std::vector<std::wstring> items;
    for (int i = 0; i < Dialog.lstFormats.Count(); ++i) items.push_back(Dialog.lstFormats.Item(i));
    return items;
  }

  TfrmTintra Owner;
  TfrmCopyFormats Dialog{&Owner, {L"{x}", L"rgb {r}"}, k123456};
};

TEST_F(CopyFormatsDialogTest, ListsBuiltInsThenTemplatesAndShowsAFaultyOneAsSuch) {
  const std::vector<std::wstring> items = Items();
  ASSERT_EQ(items.size(), static_cast<std::size_t>(kBuiltIns) + 2);
  EXPECT_EQ(items[0], L"組み込み: #123456");
  EXPECT_EQ(items[2], L"組み込み: rgb(18, 52, 86)");
  EXPECT_EQ(items[kBuiltIns], L"誤り: {x}");
  EXPECT_EQ(items[kBuiltIns + 1], L"テンプレート: rgb {r}");

  // A built-in format is read-only.
  Select(0);
  EXPECT_FALSE(Enabled(Dialog.btnDelete));
  EXPECT_FALSE(Enabled(Dialog.btnUp));
  EXPECT_FALSE(Enabled(Dialog.btnChange));

  Select(kBuiltIns);
  EXPECT_EQ(Dialog.edtTemplate.Text(), L"{x}");
  EXPECT_EQ(Dialog.lblPreview.Text(),
            L"誤り: 知らない置き換え名 {x} です（使えるのは {r} {g} {b} {R} {G} {B} {h} {s} {l} {rf} {gf} {bf} {name}）");
  EXPECT_FALSE(Enabled(Dialog.btnAdd));
  EXPECT_TRUE(Enabled(Dialog.btnDelete));
  EXPECT_TRUE(Enabled(Dialog.btnDown));

  Select(kBuiltIns + 1);
  EXPECT_EQ(Dialog.lblPreview.Text(), L"プレビュー: rgb 18");
}

TEST_F(CopyFormatsDialogTest, AddsChangesMovesAndRemovesTemplates) {
  Dialog.edtTemplate.SetText(L"#{R}{G}{B}");
  EXPECT_EQ(Dialog.lblPreview.Text(), L"プレビュー: #123456");
  Press(Dialog.btnAdd);
  EXPECT_EQ(Dialog.Templates(), (std::vector<std::wstring>{L"{x}", L"rgb {r}", L"#{R}{G}{B}"}));
  EXPECT_EQ(Dialog.lstFormats.ItemIndex(), kBuiltIns + 2);

  Press(Dialog.btnUp);
  EXPECT_EQ(Dialog.Templates(), (std::vector<std::wstring>{L"{x}", L"#{R}{G}{B}", L"rgb {r}"}));
  EXPECT_EQ(Dialog.lstFormats.ItemIndex(), kBuiltIns + 1);

  Select(kBuiltIns);
  Dialog.edtTemplate.SetText(L"{r");
  EXPECT_TRUE(Dialog.lblPreview.Text().starts_with(L"誤り: "));
  EXPECT_FALSE(Enabled(Dialog.btnChange));
  Dialog.edtTemplate.SetText(L"{name}");
  Press(Dialog.btnChange);
  EXPECT_EQ(Dialog.Templates(), (std::vector<std::wstring>{L"{name}", L"#{R}{G}{B}", L"rgb {r}"}));
  EXPECT_EQ(Items()[kBuiltIns], L"テンプレート: {name}");

  Select(kBuiltIns + 1);
  Press(Dialog.btnDelete);
  Press(Dialog.btnDown);  // the last one cannot go further down
  EXPECT_EQ(Dialog.Templates(), (std::vector<std::wstring>{L"{name}", L"rgb {r}"}));
  EXPECT_EQ(Items().size(), static_cast<std::size_t>(kBuiltIns) + 2);
}

TEST_F(CopyFormatsDialogTest, AltPressesTheMarkedButtonAndOkKeepsATypedTemplateOrAsks) {
  EXPECT_FALSE(::GetWindowLongW(Dialog.lblFormats.Handle(), GWL_STYLE) & SS_NOPREFIX);
  Dialog.edtTemplate.SetText(L"{r}-{g}");
  MSG alt{Dialog.edtTemplate.Handle(), WM_SYSKEYDOWN, 'A', 0};
  EXPECT_TRUE(Dialog.PreTranslateMessage(alt));
  EXPECT_EQ(Dialog.Templates().back(), L"{r}-{g}");

  std::vector<std::wstring> asked;
  Dialog.Ask = [&](HWND, const std::wstring& text, const std::wstring&, UINT) {
    asked.push_back(text);
    return asked.size() == 1 ? IDNO : IDYES;
  };
  const struct {
    const wchar_t* Typed;
    int Result;  // after one press of OK
    size_t Asked;
    const wchar_t* Last;
  } steps[] = {{L"{b}", fw::TForm::mrOk, 0, L"{b}"}, {L"{q}", fw::TForm::mrNone, 1, L"{b}"}, {nullptr, fw::TForm::mrOk, 2, L"{b}"}};
  for (const auto& s : steps) {
    Dialog.SetModalResult(fw::TForm::mrNone);
    if (s.Typed) Dialog.edtTemplate.SetText(s.Typed);
    Press(Dialog.btnOK);
    EXPECT_EQ(Dialog.ModalResult(), s.Result);
    EXPECT_EQ(asked.size(), s.Asked);
    EXPECT_EQ(Dialog.Templates().back(), s.Last);
  }
  EXPECT_NE(asked.front().find(L"{q}"), std::wstring::npos);
}

TEST(ColorNameLabelTest, ShowsTheNameOfEveryNewColour) {
  TfrmTintra form;
  form.CreateForm();
  HWND label = ::GetDlgItem(form.ChannelPanel.pboxColor.Parent()->Handle(), ControlIds::lblColorName);
  ASSERT_NE(label, nullptr);
  const struct {
    TColor color;
    const wchar_t* name;
  } cases[] = {{MakeColor(0, 0, 128), L"navy"},
               {k123456, L"\u2248midnightblue"},
               {MakeColor(102, 51, 153), L"rebeccapurple"},
               {MakeColor(255, 255, 255), L"white"},
               // The longest names, whole in the label and its tool tip.
               {MakeColor(250, 250, 210), L"lightgoldenrodyellow"},
               {MakeColor(250, 250, 209), L"\u2248lightgoldenrodyellow"},
               {MakeColor(0, 250, 154), L"mediumspringgreen"}};
  // A name is written at once, or within the label's interval when the last
  // one was written just before.
  const auto shown = [&](const wchar_t* name) {
    const DWORD start = ::GetTickCount();
    wchar_t text[64] = {};
    for (;;) {
      ::GetWindowTextW(label, text, 64);
      if (std::wstring(text) == name || ::GetTickCount() - start > 10 * TColorNameLabel::kInterval) break;
      MSG msg;
      if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
      else
        ::Sleep(5);
    }
    return std::wstring(text);
  };
  for (const auto& c : cases) {
    form.ChannelPanel.SetColor(c.color);
    EXPECT_EQ(shown(c.name), c.name);
    fw::TWindowDC dc(label);
    fw::TSelectObject font(dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.Get(), c.name, static_cast<int>(std::wcslen(c.name)), &extent);
    RECT room;
    ::GetClientRect(label, &room);
    EXPECT_LE(extent.cx, room.right) << "cut: " << extent.cx << " in " << room.right;
    EXPECT_LE(extent.cy, room.bottom);
    wchar_t tip[64] = {};
    TTTOOLINFOW tool{sizeof(tool), 0, ::GetParent(label), ControlIds::lblColorName};
    tool.lpszText = tip;
    ::SendMessageW(form.ColorName.ToolTip(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tip, c.name);
  }
  // Through the editors as well.
  form.ChannelPanel.edtRed.SetText(L"0");
  form.ChannelPanel.edtGrn.SetText(L"255");
  form.ChannelPanel.edtBlu.SetText(L"0");
  EXPECT_EQ(shown(L"lime"), L"lime");
}

}  // namespace
