// The colour list on a real main window: commands, the grid's events through
// real messages, the byte order, the list file through the document, and
// what an emptied list and a running edit must not do.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/ufrmTintra.h"
#include "controls/grid/ComboInplaceEdit.h"
#include "framework/Application.h"
#include "framework/Clipboard.h"
#include "framework/support/uRegistry.h"
#include "core/support/uUserError.h"
#include "tests/win/DibCanvas.h"
#include "tests/win/EditTestSupport.h"

namespace {

enum { kNumber = 0, kSwatch = 1, kHex = 2, kRed = 3, kGreen = 4, kBlue = 5, kComment = 6 };

std::string Bytes(const TMemoryStream& s) { return std::string(s.Bytes().begin(), s.Bytes().end()); }

class ColorListTest : public testing::Test {
 protected:
  TMainWindowOptions Recording() {
    TMainWindowOptions options;
    options.ColorDrag = [this](TColor c) { Drags.push_back(c); };
    options.DocumentMessageBox = [this](HWND, const std::wstring&, const std::wstring&, UINT) { return Answer(); };
    return options;
  }
  void SetUp() override {
    Form.CreateForm();
    // Off the screen: Wine without a window manager waits whenever a shown window goes.
    Form.SetBounds(4000, 4000, 507, 304);
    Form.Show();
    ::SetForegroundWindow(Form.Handle());
    fw::Application().ProcessMessages();
  }

  TComboGrid& Grid() { return Form.ColorList.gridItem; }
  HWND G() { return Grid().Handle(); }
  HWND Editor() { return Grid().InplaceEditor() ? Grid().InplaceEditor()->Handle() : nullptr; }
  std::wstring Cell(int identity, int row) { return Grid().Cells(Form.ColorList.ColIndex(identity), row); }
  void Add(TColor color) {
    Form.ChannelPanel.SetColor(color);
    Form.actInsert.Execute();
  }
  // Types into a cell as the user does: the first character opens the editor.
  void Type(int identity, int row, const std::wstring& text) {
    Grid().FocusCell(Form.ColorList.ColIndex(identity), row);
    Grid().SetFocus();
    ::SendMessageW(G(), WM_CHAR, text[0], 1);
    ASSERT_TRUE(Grid().EditorMode());
    TypeChars(Editor(), text.substr(1));
  }
  void Load(const std::string& bytes) {
    TMemoryStream s(bytes.data(), bytes.size());
    Form.Documents.Document.LoadFromStream(s);
  }
  std::string Save() {
    TMemoryStream s;
    Form.Documents.Document.SaveToStream(s);
    return Bytes(s);
  }
  LPARAM Center(int col, int row) {
    const RECT r = Grid().CellRect(col, row);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  // What the menu loop sends as the settings menu's byte-order submenu opens.
  void OpenHexOrderMenu() {
    HMENU settings = ::GetSubMenu(::GetMenu(Form.Handle()), 3);
    ::SendMessageW(Form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(::GetSubMenu(settings, 0)), 0);
  }
  void DragHeader(int from, int to) {
    ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, Center(from, 0));
    ::SendMessageW(G(), WM_MOUSEMOVE, MK_LBUTTON, Center(to, 0));
    ::SendMessageW(G(), WM_LBUTTONUP, 0, Center(to, 0));
  }

  std::vector<TColor> Drags;
  std::function<int()> Answer = [] { return IDCANCEL; };
  TfrmTintra Form{Recording()};
};

TEST_F(ColorListTest, AddFillsThePlaceholderFirstThenAppendsAndOpensTheComment) {
  EXPECT_EQ(Form.ColorList.ItemCount(), 0);
  EXPECT_FALSE(Form.actDelete.Enabled());
  EXPECT_FALSE(Form.act1Up.Enabled());
  EXPECT_FALSE(Form.act1Down.Enabled());

  Add(0x0080FF);  // red 255, green 128, blue 0
  EXPECT_EQ(Grid().RowCount(), 2);
  EXPECT_EQ(Form.ColorList.ItemCount(), 1);
  EXPECT_EQ(Cell(kNumber, 1), L"1");
  EXPECT_EQ(Cell(kHex, 1), L"#FF8000");
  EXPECT_EQ(Cell(kRed, 1), L"255");
  EXPECT_EQ(Cell(kGreen, 1), L"128");
  EXPECT_EQ(Cell(kBlue, 1), L"0");
  EXPECT_EQ(Grid().Col(), Form.ColorList.ColIndex(kComment));
  EXPECT_TRUE(Form.Documents.Document.Modified());
  EXPECT_FALSE(Form.actDelete.Enabled());

  Add(0x563412);
  EXPECT_EQ(Grid().RowCount(), 3);
  EXPECT_EQ(Grid().Row(), 2);
  EXPECT_EQ(Cell(kHex, 2), L"#123456");
  EXPECT_TRUE(Form.actDelete.Enabled());
  EXPECT_TRUE(Form.act1Up.Enabled());
  EXPECT_FALSE(Form.act1Down.Enabled());
}

TEST_F(ColorListTest, DeleteRenumbersAndKeepsTheLastItem) {
  for (TColor c : {1u, 2u, 3u, 4u}) Add(c);
  Grid().FocusCell(1, 2);
  Form.actDelete.Execute();
  ASSERT_EQ(Grid().RowCount(), 4);
  const wchar_t* reds[] = {L"1", L"3", L"4"};
  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(Cell(kNumber, r), std::to_wstring(r));
    EXPECT_EQ(Cell(kRed, r), reds[r - 1]);
  }
  Grid().FocusCell(1, 3);  // the last row: the current row moves up with it
  Form.actDelete.Execute();
  Form.actDelete.Execute();
  EXPECT_EQ(Form.ColorList.ItemCount(), 1);
  EXPECT_FALSE(Form.actDelete.Enabled());
  Form.ColorList.actDelExecute(&Form);  // guarded even when called directly
  EXPECT_EQ(Form.ColorList.ItemCount(), 1);
  EXPECT_EQ(Cell(kRed, 1), L"1");
}

TEST_F(ColorListTest, MoveUpAndDownExchangeRowsAndTheSelectionFollows) {
  for (TColor c : {1u, 2u, 3u}) Add(c);
  const struct {
    int from;
    bool up;
    int to;
    const wchar_t* reds;  // red texts of rows 1..3 afterwards
  } cases[] = {
      {2, true, 1, L"213"},  {1, true, 1, L"213"},   // the first row cannot go up
      {1, false, 2, L"123"}, {3, false, 3, L"123"},  // nor the last down
      {3, true, 2, L"132"},
  };
  for (const auto& c : cases) {
    Grid().FocusCell(1, c.from);
    (c.up ? Form.act1Up : Form.act1Down).Execute();
    EXPECT_EQ(Grid().Row(), c.to) << c.from;
    for (int r = 1; r <= 3; ++r) {
      EXPECT_EQ(Cell(kRed, r), std::wstring(1, c.reds[r - 1])) << c.from;
      EXPECT_EQ(Cell(kNumber, r), std::to_wstring(r));
    }
    EXPECT_EQ(Form.act1Up.Enabled(), c.to > 1);
    EXPECT_EQ(Form.act1Down.Enabled(), c.to < 3);
  }
  // The current colour is the moved item's.
  EXPECT_EQ(Form.ChannelPanel.Factors().Color, 3u);
}

TEST_F(ColorListTest, MovedColumnsKeepAddWritingTheCommentIntoTheCommentColumn) {
  DragHeader(2, 6);  // hex to the end
  DragHeader(5, 3);  // comment to position 3
  EXPECT_EQ(Form.ColorList.ColIndex(kComment), 3);
  EXPECT_EQ(Form.ColorList.ColIndex(kHex), 6);
  EXPECT_EQ(Grid().Cells(6, 0), L"16進(RGB)");
  EXPECT_EQ(Grid().Cells(3, 0), L"コメント");
  EXPECT_FALSE(Form.Documents.Document.Modified());
  EXPECT_TRUE(Grid().CellKinds(3).Editable);
  EXPECT_FALSE(Grid().CellKinds(6).Editable);

  Add(0x0080FF);
  EXPECT_EQ(Grid().Col(), 3);
  Type(kComment, 1, L"sky");
  PressKey(Editor(), VK_RETURN);
  EXPECT_EQ(Grid().Cells(3, 1), L"sky");
  EXPECT_EQ(Grid().Cells(6, 1), L"#FF8000");
  EXPECT_EQ(Save(), "255,128,0,\"sky\"\r\n");

  // The fit still widens the comment column wherever it stands.
  Form.SetBounds(4000, 4000, 700, 304);
  int others = 0;
  for (int c = 0; c < 7; ++c)
    if (c != 3) others += Grid().ColWidths(c);
  EXPECT_EQ(Grid().ColWidths(3), Grid().ClientWidth() - 6 * Grid().GridLineWidth() - others);

  // The swatch of the new row is painted in its colour.
  TDibCanvas canvas(Grid().ClientWidth(), Grid().ClientRect().bottom);
  Grid().PaintTo(canvas.DC(), Grid().ClientRect());
  const RECT swatch = Grid().CellRect(Form.ColorList.ColIndex(kSwatch), 1);
  EXPECT_EQ(canvas.At(swatch.left + 4, (swatch.top + swatch.bottom) / 2), RGB(255, 128, 0));
}

TEST_F(ColorListTest, HexOrderRewritesEveryHexCellAndTheHeaderButNotTheDocument) {
  Add(0x0080FF);
  Add(0x563412);
  Form.Documents.Document.SetModified(false);
  Form.actBGR.Execute();
  EXPECT_EQ(Cell(kHex, 1), L"#0080FF");
  EXPECT_EQ(Cell(kHex, 2), L"#563412");
  EXPECT_EQ(Cell(kHex, 0), L"16進(BGR)");
  EXPECT_TRUE(Form.actBGR.Checked());
  EXPECT_FALSE(Form.Documents.Document.Modified());
  Form.actRGB.Execute();
  EXPECT_EQ(Cell(kHex, 1), L"#FF8000");
  EXPECT_TRUE(Form.actRGB.Checked());
  EXPECT_FALSE(Form.actBGR.Checked());

  // An order from the registry that neither command chooses.
  Form.ColorList.SetHexOrder(2);
  EXPECT_EQ(Cell(kHex, 0), L"16進");
  EXPECT_EQ(Cell(kHex, 1), L"");
  Form.actRGB.SetChecked(false);
  OpenHexOrderMenu();
  EXPECT_FALSE(Form.actRGB.Checked() || Form.actBGR.Checked());
  Form.ColorList.SetHexOrder(1);
  OpenHexOrderMenu();
  EXPECT_TRUE(Form.actBGR.Checked());
}

TEST_F(ColorListTest, ChannelEditsAreRefusedWhenNoNumberAndLimitedToTheRange) {
  Add(0x0080FF);
  const struct {
    const wchar_t* typed;
    const wchar_t* cell;
    int beeps;
    TColor color;
    const wchar_t* hex;
  } cases[] = {
      {L"abc", L"255", 1, 0x0080FF, L"#FF8000"}, {L"300", L"255", 0, 0x0080FF, L"#FF8000"},
      {L"-5", L"0", 0, 0x008000, L"#008000"},    {L"12", L"12", 0, 0x00800C, L"#0C8000"},
      {L"1x", L"12", 1, 0x00800C, L"#0C8000"},
  };
  TBeepCounter beeps;
  for (const auto& c : cases) {
    beeps.Reset();
    Form.Documents.Document.SetModified(false);
    Type(kRed, 1, c.typed);
    PressKey(Editor(), VK_RETURN);
    EXPECT_EQ(Cell(kRed, 1), c.cell) << c.typed;
    EXPECT_EQ(beeps.Beeps(), c.beeps) << c.typed;
    EXPECT_EQ(Form.ChannelPanel.Factors().Color, c.color) << c.typed;
    EXPECT_EQ(Cell(kHex, 1), c.hex) << c.typed;
    EXPECT_TRUE(Form.Documents.Document.Modified());
  }
}

TEST_F(ColorListTest, OutOfRangeFileValuesStayButEveryUseOfTheColourIsLimited) {
  Load("300,-5,16,\"wide\"\r\n");
  EXPECT_EQ(Cell(kRed, 1), L"300");
  EXPECT_EQ(Cell(kGreen, 1), L"-5");
  EXPECT_EQ(Cell(kHex, 1), L"#FF0010");
  Grid().FocusCell(Form.ColorList.ColIndex(kHex), 1);
  EXPECT_EQ(Form.ChannelPanel.Factors().Color, 0x1000FFu);
  EXPECT_EQ(Form.ColorList.RowColor(1), 0x1000FFu);
  Form.actCopy.Execute();
  EXPECT_EQ(fw::ClipboardGetText(Form.Handle()), "#FF0010");
  ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, Center(Form.ColorList.ColIndex(kGreen), 1));
  ::SendMessageW(G(), WM_LBUTTONUP, 0, Center(Form.ColorList.ColIndex(kGreen), 1));
  ASSERT_EQ(Drags.size(), 1u);
  EXPECT_EQ(Drags[0], 0x1000FFu);
  // Header and row numbers start no colour drag.
  ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, Center(2, 0));
  ::SendMessageW(G(), WM_LBUTTONUP, 0, Center(2, 0));
  ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, Center(0, 1));
  ::SendMessageW(G(), WM_LBUTTONUP, 0, Center(0, 1));
  EXPECT_EQ(Drags.size(), 1u);
}

TEST_F(ColorListTest, CommandsEndTheRunningEditOnTheRowThatWasEdited) {
  Add(0x000001);
  Add(0x000002);
  // Moving away: the end applies to the edited row, not the new current one.
  Type(kRed, 1, L"300");
  Grid().FocusCell(Form.ColorList.ColIndex(kRed), 2);
  EXPECT_EQ(Cell(kRed, 1), L"255");
  EXPECT_EQ(Cell(kHex, 1), L"#FF0000");
  EXPECT_EQ(Cell(kHex, 2), L"#020000");

  // Copy reads the typed value.
  Type(kRed, 2, L"16");
  Form.actCopy.Execute();
  EXPECT_FALSE(Grid().EditorMode());
  EXPECT_EQ(fw::ClipboardGetText(Form.Handle()), "#100000");

  // Closing sees the comment typed a moment ago, with its line break gone.
  Form.Documents.Document.SetModified(false);
  Grid().SetCells(Form.ColorList.ColIndex(kComment), 2, L"late\x1a");
  Grid().FocusCell(Form.ColorList.ColIndex(kComment), 2);
  PressKey(G(), VK_F2);
  TypeChars(Editor(), L"!");
  std::wstring seen;
  Answer = [&] {
    seen = Cell(kComment, 2) + (Form.Documents.Document.Modified() ? L" modified" : L"");
    return IDCANCEL;
  };
  Form.Close();
  EXPECT_EQ(seen, L"late ! modified");
  EXPECT_TRUE(Form.HandleAllocated());
}

TEST_F(ColorListTest, AWindowThatIsDestroyedDuringAnEditRunsNoListStep) {
  Add(0x0080FF);
  Type(kComment, 1, L"gone");
  Form.Documents.Document.SetModified(false);
  ::DestroyWindow(Form.Handle());
  // No edit end reached the document.
  EXPECT_FALSE(Form.Documents.Document.Modified());
}

TEST_F(ColorListTest, ThePlaceholderIsBlankAndNeverBecomesAnItem) {
  Add(0x0080FF);
  Type(kComment, 1, L"old");
  PressKey(Editor(), VK_RETURN);
  Form.Documents.Document.Clear();
  EXPECT_EQ(Form.ColorList.ItemCount(), 0);
  EXPECT_EQ(Grid().RowCount(), 2);
  for (int c = 0; c < 7; ++c) EXPECT_EQ(Grid().Cells(c, 1), L"") << c;

  // Selecting, typing into and dragging from it change nothing.
  Form.ChannelPanel.SetColor(0x111111);
  Grid().FocusCell(Form.ColorList.ColIndex(kHex), 1);
  Type(kRed, 1, L"99");
  PressKey(Editor(), VK_RETURN);
  EXPECT_EQ(Cell(kRed, 1), L"");
  EXPECT_EQ(Form.ChannelPanel.Factors().Color, 0x111111u);
  EXPECT_FALSE(Form.Documents.Document.Modified());
  EXPECT_EQ(Form.ColorList.ItemCount(), 0);
  ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, Center(Form.ColorList.ColIndex(kHex), 1));
  ::SendMessageW(G(), WM_LBUTTONUP, 0, Center(Form.ColorList.ColIndex(kHex), 1));
  EXPECT_TRUE(Drags.empty());
  EXPECT_EQ(Save(), "");

  // It is drawn as the empty background, with no row number.
  TDibCanvas canvas(Grid().ClientWidth(), Grid().ClientRect().bottom);
  Grid().PaintTo(canvas.DC(), Grid().ClientRect());
  const RECT number = Grid().CellRect(0, 1), swatch = Grid().CellRect(Form.ColorList.ColIndex(kSwatch), 1);
  const COLORREF background = canvas.At(swatch.left + 3, swatch.top + 3);
  for (int x = number.left + 1; x < number.right - 1; ++x)
    EXPECT_EQ(canvas.At(x, (number.top + number.bottom) / 2), canvas.At(number.left + 1, number.top + 1)) << x;
  EXPECT_NE(background, RGB(255, 128, 0));

  // An empty file also leaves it blank (one with no acceptable line is refused).
  Add(0x0080FF);
  Load("");
  EXPECT_EQ(Form.ColorList.ItemCount(), 0);
  for (int c = 0; c < 7; ++c) EXPECT_EQ(Grid().Cells(c, 1), L"") << c;
}

TEST_F(ColorListTest, LoadAndSaveRoundTripThroughTheDocument) {
  Form.actBGR.Execute();
  // The bad line is named in a question first; OK opens the rest.
  int asked = 0;
  Answer = [&] { return ++asked, IDOK; };
  Load("255,128,0,\"sky\"\r\nbad line\r\n $10 , 007 ,-0,\"a\"\"b, c\"\n1,2,3,plain text\r");
  EXPECT_EQ(asked, 1);
  ASSERT_EQ(Form.ColorList.ItemCount(), 3);
  EXPECT_EQ(Grid().RowCount(), 4);
  const struct {
    const wchar_t *number, *hex, *red, *green, *blue, *comment;
  } rows[] = {
      {L"1", L"#0080FF", L"255", L"128", L"0", L"sky"},
      {L"2", L"#000710", L"16", L"7", L"0", L"a\"b, c"},
      {L"3", L"#030201", L"1", L"2", L"3", L"plain"},
  };
  for (int r = 1; r <= 3; ++r) {
    const auto& e = rows[r - 1];
    EXPECT_EQ(Cell(kNumber, r), e.number);
    EXPECT_EQ(Cell(kHex, r), e.hex);
    EXPECT_EQ(Cell(kRed, r), e.red);
    EXPECT_EQ(Cell(kGreen, r), e.green);
    EXPECT_EQ(Cell(kBlue, r), e.blue);
    EXPECT_EQ(Cell(kComment, r), e.comment);
  }
  EXPECT_TRUE(Form.actDelete.Enabled());
  EXPECT_FALSE(Form.Documents.Document.Modified());
  const std::string saved = Save();
  EXPECT_EQ(saved, "255,128,0,\"sky\"\r\n16,7,0,\"a\"\"b, c\"\r\n1,2,3,\"plain\"\r\n");
  Load("9,9,9,\"x\"\r\n");
  Load(saved);
  EXPECT_EQ(Save(), saved);
}

// Fails on the first read, after the list was already shown.
class TFailingStream : public TStream {
 public:
  std::size_t Read(void*, std::size_t) override { throw EReadError(L"read failed"); }
  std::size_t Write(const void*, std::size_t count) override { return count; }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return 0; }
  std::int64_t Size() override { return 100; }
};

TEST_F(ColorListTest, AReadErrorKeepsTheListShown) {
  Load("1,2,3,\"kept\"\r\n4,5,6,\"too\"\r\n");
  TFailingStream failing;
  EXPECT_THROW(Form.Documents.Document.LoadFromStream(failing), EReadError);
  EXPECT_EQ(Form.ColorList.ItemCount(), 2);
  EXPECT_EQ(Cell(kComment, 2), L"too");
}

TEST(ColorListLayout, ADamagedStoredLayoutStartsWithTheDesignedOne) {
  const std::wstring key = L"SOFTWARE\\ZORVEK\\TintraColorListTest";
  SetRegistryVal(HKEY_CURRENT_USER, key, L"Columns", L"0,32,9,70,1,32,3,32,4,30,5,30,6,64");
  SetRegistryVal(HKEY_CURRENT_USER, key, L"PosMain", L"4000,4000,507,304,1");
  {
    TMainWindowOptions options;
    options.SettingsKey = key;
    TfrmTintra form(options);
    EXPECT_NO_THROW(form.CreateForm());
    for (int c = 0; c < 7; ++c) EXPECT_EQ(form.ColorList.List().ColumnAt(c), c);
    EXPECT_EQ(form.ColorList.gridItem.ColWidths(0), 32);
    // The column map itself still refuses an identity it cannot place.
    TColumnLayout damaged = form.ColorList.ListColumns();
    damaged.Ids[3] = 9;
    try {
      form.ColorList.SetListColumns(damaged);
      ADD_FAILURE() << "no error";
    } catch (const EUserError& e) {
      EXPECT_STREQ(e.Message().c_str(), L"TfrmTintra.UpdateColIndex: Illegal Index");
    }
    EXPECT_EQ(form.ColorList.List().ColumnAt(3), 3);
  }
  ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

}  // namespace
