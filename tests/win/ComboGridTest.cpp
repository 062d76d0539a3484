// The combo grid with real windows and messages: keyboard, editing, moving
// rows and columns, long lists, buttons and checks.
#include "controls/grid/CmbGrid.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "controls/grid/ComboInplaceEdit.h"
#include "framework/Application.h"
#include "framework/Clipboard.h"
#include "framework/Form.h"
#include "framework/Handles.h"
#include "framework/Panel.h"
#include "tests/win/DibCanvas.h"
#include "tests/win/EditTestSupport.h"

namespace {

void PutUnicodeText(HWND owner, const std::wstring& text) {
  ASSERT_TRUE(::OpenClipboard(owner));
  ::EmptyClipboard();
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  {
    fw::TGlobalLock<wchar_t> lock(mem);
    std::copy(text.begin(), text.end(), lock.Get());
    lock.Get()[text.size()] = 0;
  }
  ::SetClipboardData(CF_UNICODETEXT, mem);
  ::CloseClipboard();
}

class ComboGridTest : public testing::Test {
 protected:
  void SetUp() override {
    Form.SetBounds(100, 100, 420, 300);
    Form.Create(nullptr, WS_POPUP);
    Panel.SetBounds(0, 0, 420, 300);
    Panel.Create(&Form);
    Grid = std::make_unique<TComboGrid>();
    Grid->SetColCount(5);
    Grid->SetRowCount(20);
    Grid->SetDefaultRowHeight(17);
    Grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing | goRowMoving |
                     goColMoving | goEditing | goThumbTracking);
    for (int c = 0; c < 5; ++c) {
      Grid->SetColWidths(c, 60);
      Grid->SetObjects(c, 0, c);
      Grid->SetCells(c, 0, L"h" + std::to_wstring(c));
    }
    for (int r = 1; r < 20; ++r)
      for (int c = 0; c < 5; ++c) Grid->SetCells(c, r, Name(c, r));
    Grid->SetBounds(0, 0, 400, 280);
    Grid->OnEditEnd = [this](fw::TObject*) { Ends.push_back({Grid->EditedCol(), Grid->EditedRow()}); };
    Grid->OnClick = [this](fw::TObject*) { ++Clicks; };
    Grid->Create(&Panel);
    Form.Show();
    ::SetForegroundWindow(Form.Handle());
    Grid->SetFocus();
    fw::Application().ProcessMessages();
  }

  static std::wstring Name(int c, int r) { return std::to_wstring(c) + L":" + std::to_wstring(r); }
  HWND G() const { return Grid->Handle(); }
  HWND Editor() const { return Grid->InplaceEditor() ? Grid->InplaceEditor()->Handle() : nullptr; }
  LPARAM Center(int col, int row) const {
    const RECT r = Grid->CellRect(col, row);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void Drag(int col, int row, int toCol, int toRow) {
    ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, Center(col, row));
    ::SendMessageW(G(), WM_MOUSEMOVE, MK_LBUTTON, Center(toCol, toRow));
    ::SendMessageW(G(), WM_LBUTTONUP, 0, Center(toCol, toRow));
  }

  fw::TForm Form;
  fw::TPanel Panel;
  std::unique_ptr<TComboGrid> Grid;
  std::vector<std::pair<int, int>> Ends;
  int Clicks = 0;
};

TEST_F(ComboGridTest, KeysMoveTheCurrentCellAndStopAtTheEdges) {
  const int page = Grid->VisibleRowCount();
  ASSERT_GT(page, 3);
  struct TCase {
    WORD Key;
    bool Ctrl;
    int Col, Row;
  } cases[] = {
      {VK_UP, false, 1, 1},  {VK_LEFT, false, 1, 1},  {VK_DOWN, false, 1, 2},          {VK_RIGHT, false, 2, 2},
      {VK_END, false, 4, 2}, {VK_RIGHT, false, 4, 2}, {VK_HOME, false, 1, 2},          {VK_NEXT, false, 1, 2 + page},
      {VK_END, true, 1, 19}, {VK_DOWN, false, 1, 19}, {VK_PRIOR, false, 1, 19 - page}, {VK_HOME, true, 1, 1},
  };
  for (const TCase& c : cases) {
    TModifiersHeld held(false, c.Ctrl, false);
    PressKey(G(), c.Key);
    EXPECT_EQ(Grid->Col(), c.Col) << c.Key;
    EXPECT_EQ(Grid->Row(), c.Row) << c.Key;
    EXPECT_GE(Grid->Row(), Grid->TopRow()) << c.Key;
  }
  EXPECT_EQ(Clicks, 8);  // one per real move
}

TEST_F(ComboGridTest, TabWalksTheCellsOnlyWithTheTabsOption) {
  PressKey(G(), VK_TAB);
  EXPECT_EQ(Grid->Col(), 1);
  Grid->SetOptions(Grid->Options() | goTabs);
  Grid->FocusCell(4, 1);
  PressKey(G(), VK_TAB);
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_EQ(Grid->Row(), 2);
  {
    TModifiersHeld shift(true, false, false);
    PressKey(G(), VK_TAB);
  }
  EXPECT_EQ(Grid->Col(), 4);
  EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(ComboGridTest, EditorOpensByF2EnterOrTypingAndEndsByEnterOrEsc) {
  struct TCase {
    const char* Name;
    WORD OpenKey;  // 0: type the first character instead
    const wchar_t* Typed;
    WORD CloseKey;
    const wchar_t* Expected;
  } cases[] = {
      {"F2 appends, Enter keeps", VK_F2, L"yz", VK_RETURN, L"1:3yz"},
      {"Enter replaces, Enter keeps", VK_RETURN, L"new", VK_RETURN, L"new"},
      {"typing replaces, Enter keeps", 0, L"xy", VK_RETURN, L"xy"},
      {"F2, Esc puts the text back", VK_F2, L"zz", VK_ESCAPE, L"1:3"},
      {"typing, Esc puts the text back", 0, L"q", VK_ESCAPE, L"1:3"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->SetCells(1, 3, L"1:3");
    Grid->FocusCell(1, 3);
    Ends.clear();
    std::wstring typed = c.Typed;
    if (c.OpenKey) {
      PressKey(G(), c.OpenKey);
    } else {
      ::SendMessageW(G(), WM_CHAR, typed[0], 1);
      typed.erase(0, 1);
    }
    ASSERT_TRUE(Grid->EditorMode());
    ASSERT_EQ(::GetFocus(), Editor());
    TypeChars(Editor(), typed);
    PressKey(Editor(), c.CloseKey);
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_FALSE(::IsWindowVisible(Editor()));
    EXPECT_EQ(::GetFocus(), G());
    EXPECT_EQ(Grid->Cells(1, 3), c.Expected);
    ASSERT_EQ(Ends.size(), 1u);
    EXPECT_EQ(Ends[0], std::make_pair(1, 3));
  }
}

TEST_F(ComboGridTest, EditEndNamesTheEditedCellWhenTheCurrentCellMoves) {
  Grid->FocusCell(2, 4);
  PressKey(G(), VK_F2);
  TypeChars(Editor(), L"!");
  EXPECT_TRUE(Grid->FocusCell(3, 7));
  ASSERT_EQ(Ends.size(), 1u);
  EXPECT_EQ(Ends[0], std::make_pair(2, 4));
  EXPECT_EQ(Grid->Cells(2, 4), L"2:4!");
  // Moving with an arrow from inside the editor ends the edit the same way.
  PressKey(G(), VK_F2);
  PressKey(Editor(), VK_DOWN);
  EXPECT_EQ(Grid->Row(), 8);
  EXPECT_EQ(Ends.size(), 2u);
}

TEST_F(ComboGridTest, EndEditFromTheProgramAndFocusLossBothFireEditEnd) {
  Grid->FocusCell(1, 2);
  PressKey(G(), VK_RETURN);
  Grid->EndEdit();
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Ends.size(), 1u);
  Grid->EndEdit();  // nothing to end
  EXPECT_EQ(Ends.size(), 1u);
  // Focus moving away with nothing typed.
  fw::TPanel other;
  other.SetBounds(0, 285, 20, 10);
  other.Create(&Panel);
  PressKey(G(), VK_RETURN);
  ::SetFocus(other.Handle());
  EXPECT_EQ(Ends.size(), 2u);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cells(1, 2), L"1:2");
}

TEST_F(ComboGridTest, EditLimitCountsForTextCellsOnly) {
  for (const auto& [kind, expected] :
       {std::pair<std::uint8_t, const wchar_t*>{ckText, L"abc"}, {ckDropDown, L"abcdef"}}) {
    Grid->CellKinds(2).Kind = kind;
    Grid->CellKinds(2).EditLimit = 3;
    Grid->FocusCell(2, 6);
    ::SendMessageW(G(), WM_CHAR, L'a', 1);
    TypeChars(Editor(), L"bcdef");
    PressKey(Editor(), VK_RETURN);
    EXPECT_EQ(Grid->Cells(2, 6), expected);
  }
}

TEST_F(ComboGridTest, ColumnsThatCannotEditNeverShowTheEditor) {
  Grid->CellKinds(2).Editable = false;
  Grid->FocusCell(2, 1);
  PressKey(G(), VK_F2);
  PressKey(G(), VK_RETURN);
  ::SendMessageW(G(), WM_CHAR, L'a', 1);
  ::SendMessageW(G(), WM_IME_STARTCOMPOSITION, 0, 0);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cells(2, 1), L"2:1");
}

TEST_F(ComboGridTest, FirstImeCompositionOpensTheEditorEmpty) {
  Grid->FocusCell(3, 5);
  ::SendMessageW(G(), WM_IME_STARTCOMPOSITION, 0, 0);
  ASSERT_TRUE(Grid->EditorMode());
  EXPECT_EQ(::GetFocus(), Editor());
  EXPECT_EQ(Grid->InplaceEditor()->Text(), L"");
  TypeChars(Editor(), L"色");
  PressKey(Editor(), VK_RETURN);
  EXPECT_EQ(Grid->Cells(3, 5), L"色");
}

TEST_F(ComboGridTest, PastedLineBreaksEndOfFileAndNulBecomeSpaces) {
  Grid->FocusCell(1, 1);
  PressKey(G(), VK_RETURN);
  PutUnicodeText(G(), std::wstring(L"a\r\nb\x1a"
                                   L"c\0d",
                                   8));
  ::SendMessageW(Editor(), WM_PASTE, 0, 0);
  EXPECT_EQ(Grid->InplaceEditor()->Text(), L"a  b c d");
  EXPECT_EQ(Grid->Cells(1, 1), L"a  b c d");
  EXPECT_EQ(TComboInplaceEdit::CleanText(std::wstring(L"x\ny\0", 4)), L"x y ");
}

// Another thread holds the clipboard open for a while, then lets go.
void HoldClipboard(DWORD ms, HANDLE opened) {
  HWND wnd = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ::OpenClipboard(wnd);
  ::SetEvent(opened);
  ::Sleep(ms);
  ::CloseClipboard();
  ::DestroyWindow(wnd);
}

std::vector<std::wstring> gReported;
void RecordReport(const std::wstring& text) { gReported.push_back(text); }

TEST_F(ComboGridTest, PasteWaitsBrieflyForABusyClipboardThenReportsItAndLetsGo) {
  Grid->FocusCell(1, 1);
  PressKey(G(), VK_RETURN);
  PutUnicodeText(G(), L"pasted");
  const struct {
    DWORD Hold;
    std::wstring Text;
    std::vector<std::wstring> Reported;
  } cases[] = {{60, L"pasted", {}}, {1000, L"", {fw::kClipboardBusyText}}};
  auto& app = fw::Application();
  for (const auto& c : cases) {
    Grid->InplaceEditor()->SetText(L"");
    gReported.clear();
    app.OnExceptionHook = RecordReport;
    fw::TUniqueKernelHandle opened(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread holder(HoldClipboard, c.Hold, opened.Get());
    ::WaitForSingleObject(opened.Get(), 5000);
    ::SendMessageW(Editor(), WM_PASTE, 0, 0);
    holder.join();
    app.OnExceptionHook = nullptr;
    EXPECT_EQ(Grid->InplaceEditor()->Text(), c.Text) << c.Hold;
    EXPECT_EQ(gReported, c.Reported) << c.Hold;
    // Nothing of ours keeps it open: this thread can open it again at once.
    ASSERT_TRUE(::OpenClipboard(G())) << c.Hold;
    ::CloseClipboard();
  }
}

TEST_F(ComboGridTest, ColumnMoveTakesIdentitiesTextsAndWidthsButNotCellKinds) {
  Grid->SetColWidths(2, 45);
  Grid->CellKinds(2).BodyAlign = caRight;
  Grid->CellKinds(4).BodyAlign = caCenter;
  std::vector<int> moved;
  Grid->OnColumnMoved = [&](fw::TObject*, int from, int to) { moved = {from, to}; };
  Drag(2, 0, 4, 0);
  EXPECT_EQ(moved, (std::vector<int>{2, 4}));
  const int identities[] = {0, 1, 3, 4, 2};
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(Grid->Objects(c, 0), identities[c]) << c;
    EXPECT_EQ(Grid->Cells(c, 7), Name(identities[c], 7)) << c;
  }
  EXPECT_EQ(Grid->ColWidths(4), 45);
  EXPECT_EQ(Grid->CellKinds(2).BodyAlign, caRight);
  EXPECT_EQ(Grid->CellKinds(4).BodyAlign, caCenter);
  // The fixed column does not move, and a press and release in place moves nothing.
  moved.clear();
  Drag(0, 0, 3, 0);
  Drag(3, 0, 3, 0);
  EXPECT_TRUE(moved.empty());
  EXPECT_EQ(Grid->Objects(0, 0), 0);
}

TEST_F(ComboGridTest, DraggingTheRowNumberColumnMovesWholeRows) {
  std::vector<int> moved;
  Grid->OnRowMoved = [&](fw::TObject*, int from, int to) { moved = {from, to}; };
  Grid->FocusCell(1, 2);
  Drag(0, 2, 0, 5);
  EXPECT_EQ(moved, (std::vector<int>{2, 5}));
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(Grid->Cells(c, 5), Name(c, 2));
    EXPECT_EQ(Grid->Cells(c, 2), Name(c, 3));
  }
  EXPECT_EQ(Grid->Row(), 5);  // the selection follows the row
  Drag(0, 5, 0, 1);
  EXPECT_EQ(Grid->Cells(1, 1), Name(1, 2));
  EXPECT_EQ(Grid->Cells(1, 2), Name(1, 1));
}

TEST_F(ComboGridTest, RowHelpersKeepTextsTogether) {
  Grid->ExchangeRows(3, 4);
  EXPECT_EQ(Grid->Cells(2, 3), Name(2, 4));
  Grid->FocusCell(1, 19);
  Grid->DeleteRow(19);
  EXPECT_EQ(Grid->RowCount(), 19);
  EXPECT_EQ(Grid->Row(), 18);
  Grid->DeleteRow(1);
  EXPECT_EQ(Grid->Cells(1, 1), Name(1, 2));
  Grid->InsertRow(1);
  EXPECT_EQ(Grid->Cells(1, 1), L"");
  EXPECT_EQ(Grid->Cells(1, 2), Name(1, 2));
}

TEST_F(ComboGridTest, HundredThousandRowsScrollToTheEndWith32BitPositions) {
  Grid->SetRowCount(100001);
  fw::Application().ProcessMessages();
  SCROLLINFO si{sizeof(si)};
  si.fMask = SIF_RANGE | SIF_PAGE;
  ASSERT_TRUE(::GetScrollInfo(G(), SB_VERT, &si));
  EXPECT_EQ(si.nMax, 99999);
  const int page = Grid->VisibleRowCount();
  const int last = 100000 - page;  // scroll position that shows the last row at the bottom
  si.fMask = SIF_POS;
  si.nPos = last;
  ::SetScrollInfo(G(), SB_VERT, &si, FALSE);
  // The message's 16 bits would say 34464 - page.
  ::SendMessageW(G(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, last & 0xFFFF), 0);
  EXPECT_EQ(Grid->TopRow(), 1 + last);
  EXPECT_EQ(Grid->TopRow() + page - 1, 100000);
  ::SendMessageW(G(), WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
  EXPECT_EQ(Grid->TopRow(), 1);
  {
    TModifiersHeld ctrl(false, true, false);
    PressKey(G(), VK_END);
  }
  EXPECT_EQ(Grid->Row(), 100000);
  EXPECT_EQ(Grid->TopRow(), 1 + last);
  si.fMask = SIF_POS;
  ::GetScrollInfo(G(), SB_VERT, &si);
  EXPECT_EQ(si.nPos, last);
}

TEST_F(ComboGridTest, PaintingDrawsOnlyTheRowsInView) {
  Grid->SetRowCount(100001);
  Grid->SetTopRow(50000);
  std::vector<int> rows;
  Grid->OnDrawCell = [&](fw::TObject*, HDC, int col, int row, const RECT&, TGridDrawState) {
    if (col == 1) rows.push_back(row);
  };
  TDibCanvas canvas(400, 280);
  const RECT all{0, 0, 400, 280};
  Grid->PaintTo(canvas.DC(), all);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front(), 0);
  EXPECT_EQ(rows[1], 50000);
  EXPECT_LE(rows.size(), static_cast<size_t>(Grid->VisibleRowCount() + 2));
}

TEST_F(ComboGridTest, TextAlignmentAndMarginPlaceTheText) {
  // Body 20: right edge 2 pixels in; 17: 2 pixels from the left edge.
  for (const auto& [align, left] : {std::pair<std::uint8_t, bool>{20, false}, {17, true}}) {
    Grid->CellKinds(2).BodyAlign = align;
    Grid->SetCells(2, 1, L"8888");
    TDibCanvas canvas(400, 280, RGB(1, 2, 3));
    Grid->PaintTo(canvas.DC(), RECT{0, 0, 400, 280});
    const RECT r = Grid->CellRect(2, 1);
    int first = -1, lastInk = -1;
    const COLORREF back = canvas.At(r.left + 1, r.top + 1);
    for (int x = r.left; x < r.right; ++x)
      for (int y = r.top; y < r.bottom; ++y)
        if (canvas.At(x, y) != back) {
          if (first < 0) first = x;
          lastInk = x;
        }
    ASSERT_GE(first, 0);
    if (left) {
      EXPECT_LE(first - r.left, 3) << "align " << int(align);
    } else {
      EXPECT_GE(r.right - 1 - lastInk, 2) << "align " << int(align);
      EXPECT_LE(r.right - 1 - lastInk, 4) << "align " << int(align);
    }
  }
}

TEST_F(ComboGridTest, ChangesOutOfViewRepaintNothing) {
  Grid->SetRowCount(100001);
  fw::Application().ProcessMessages();
  ::ValidateRect(G(), nullptr);
  Grid->SetRowCount(100002);
  Grid->SetCells(3, 100001, L"far away");
  Grid->SetObjects(3, 100001, 7);
  EXPECT_FALSE(::GetUpdateRect(G(), nullptr, FALSE));
  EXPECT_EQ(Grid->Cells(3, 100001), L"far away");
  Grid->SetCells(3, 2, L"near");
  RECT update{};
  ASSERT_TRUE(::GetUpdateRect(G(), &update, FALSE));
  const RECT cell = Grid->CellRect(3, 2);
  EXPECT_EQ(update.left, cell.left);
  EXPECT_EQ(update.top, cell.top);
  EXPECT_LE(update.bottom - update.top, Grid->DefaultRowHeight() + 1);
}

TEST_F(ComboGridTest, DraggingAHeaderEdgeSizesTheColumn) {
  const RECT head = Grid->CellRect(2, 0);
  const int y = (head.top + head.bottom) / 2;
  ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(head.right, y));
  ::SendMessageW(G(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(head.right + 15, y));
  ::SendMessageW(G(), WM_LBUTTONUP, 0, MAKELPARAM(head.right + 15, y));
  EXPECT_EQ(Grid->ColWidths(2), 75);
  EXPECT_EQ(Grid->Objects(2, 0), 2);  // sized, not moved
}

TEST_F(ComboGridTest, AColumnSizedToNothingKeepsAnEdgeToWidenItAgain) {
  const RECT head = Grid->CellRect(2, 0);
  const int y = (head.top + head.bottom) / 2;
  ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(head.right, y));
  ::SendMessageW(G(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, y));
  ::SendMessageW(G(), WM_LBUTTONUP, 0, MAKELPARAM(0, y));
  EXPECT_EQ(Grid->ColWidths(2), 8);
  // Its right edge, where the pointer sees it, widens it and not its neighbour.
  const int edge = head.left + 8;
  ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(edge, y));
  ::SendMessageW(G(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(edge + 40, y));
  ::SendMessageW(G(), WM_LBUTTONUP, 0, MAKELPARAM(edge + 40, y));
  EXPECT_EQ(Grid->ColWidths(2), 48);
  EXPECT_EQ(Grid->ColWidths(1), 60);
  // The program cannot make a column narrower either.
  Grid->SetColWidths(3, 0);
  EXPECT_EQ(Grid->ColWidths(3), 8);
  Grid->SetColWidths(3, -20);
  EXPECT_EQ(Grid->ColWidths(3), 8);
}

TEST_F(ComboGridTest, APressOnAnyDataCellOnlySelectsAndReachesTheOwnerWithoutEditor) {
  std::vector<bool> editingAtDown;
  Grid->OnMouseDown = [&](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
    editingAtDown.push_back(Grid->EditorMode());
  };
  struct TCase {
    const char* Name;
    UINT Message;
    int Col, Row;
  } cases[] = {
      {"another cell", WM_LBUTTONDOWN, 2, 3},
      {"the current cell", WM_LBUTTONDOWN, 2, 3},
      {"the current cell again", WM_LBUTTONDOWN, 2, 3},
      {"a double click's second press", WM_LBUTTONDBLCLK, 2, 3},
      {"another column of the row", WM_LBUTTONDOWN, 4, 3},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    editingAtDown.clear();
    ::SendMessageW(G(), c.Message, MK_LBUTTON, Center(c.Col, c.Row));
    ::SendMessageW(G(), WM_LBUTTONUP, 0, Center(c.Col, c.Row));
    EXPECT_EQ(Grid->Col(), c.Col);
    EXPECT_EQ(Grid->Row(), c.Row);
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(editingAtDown, std::vector<bool>{false});
  }
  // The keyboard opens it; a press elsewhere ends that edit before it moves.
  PressKey(G(), VK_F2);
  ASSERT_TRUE(Grid->EditorMode());
  ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, Center(3, 4));
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Ends.size(), 1u);
  EXPECT_EQ(Grid->Col(), 3);
}

TEST_F(ComboGridTest, AnEditScrolledOutOfViewIsHiddenAndTypingContinuesIt) {
  Grid->FocusCell(4, 2);
  PressKey(G(), VK_F2);
  TypeChars(Editor(), L"ab");
  ASSERT_EQ(Grid->Cells(4, 2), L"4:2ab");
  struct TStep {
    const char* Name;
    WORD Code;
    bool Visible;
  } steps[] = {
      {"page down", SB_PAGEDOWN, false},
      {"to the end", SB_BOTTOM, false},
      {"back to the top", SB_TOP, true},
      {"one line down keeps row 2 in view", SB_LINEDOWN, true},
      {"away again", SB_PAGEDOWN, false},
  };
  for (const TStep& step : steps) {
    SCOPED_TRACE(step.Name);
    ::SendMessageW(G(), WM_VSCROLL, MAKEWPARAM(step.Code, 0), 0);
    EXPECT_TRUE(Grid->EditorMode());
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(::IsWindowVisible(Editor()) != FALSE, step.Visible);
    if (step.Visible) {
      RECT edit, cell = Grid->CellRect(4, 2);
      ::GetWindowRect(Editor(), &edit);
      ::MapWindowPoints(nullptr, G(), reinterpret_cast<POINT*>(&edit), 2);
      EXPECT_EQ(edit.left, cell.left);
      EXPECT_EQ(edit.top, cell.top);
      EXPECT_EQ(::GetFocus(), Editor());
    } else {
      EXPECT_NE(::GetFocus(), Editor());
    }
  }
  // Typing brings the cell back and goes on where the text ended.
  ::SendMessageW(::GetFocus(), WM_CHAR, L'c', 1);
  EXPECT_TRUE(::IsWindowVisible(Editor()));
  EXPECT_LE(Grid->TopRow(), 2);
  TypeChars(Editor(), L"d");
  PressKey(Editor(), VK_RETURN);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cells(4, 2), L"4:2abcd");
  // Enter on the grid while scrolled away resumes the same way.
  PressKey(G(), VK_F2);
  ::SendMessageW(G(), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
  PressKey(G(), VK_RETURN);
  EXPECT_TRUE(::IsWindowVisible(Editor()));
  EXPECT_EQ(::GetFocus(), Editor());
  TypeChars(Editor(), L"e");
  PressKey(Editor(), VK_RETURN);
  EXPECT_EQ(Grid->Cells(4, 2), L"4:2abcde");
}

TEST_F(ComboGridTest, CheckCellsToggleBetweenTheirStatesAndReport) {
  TCellKind& kind = Grid->CellKinds(3);
  kind.Kind = ckCheck;
  kind.Items = {{L"on", 0}, {L"off", 1}};
  Grid->SetCells(3, 2, L"?");
  std::vector<std::pair<int, int>> clicks;
  Grid->OnGridBtnClick = [&](fw::TObject*, int c, int r) { clicks.push_back({c, r}); };
  const wchar_t* expected[] = {L"on", L"off", L"on"};
  for (const wchar_t* e : expected) {
    ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, Center(3, 2));
    ::SendMessageW(G(), WM_LBUTTONUP, 0, Center(3, 2));
    EXPECT_EQ(Grid->Cells(3, 2), e);
  }
  EXPECT_EQ(clicks.size(), 3u);
  // Space on the current check cell toggles it too.
  ::SendMessageW(G(), WM_KEYDOWN, VK_SPACE, 1);
  ::SendMessageW(G(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001u));
  EXPECT_EQ(Grid->Cells(3, 2), L"off");
  // Not editable: no toggle, no event.
  kind.Editable = false;
  ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, Center(3, 2));
  ::SendMessageW(G(), WM_LBUTTONUP, 0, Center(3, 2));
  EXPECT_EQ(Grid->Cells(3, 2), L"off");
  EXPECT_EQ(clicks.size(), 4u);
}

TEST_F(ComboGridTest, ButtonCellsFireOnReleaseInsideAndOnEnter) {
  Grid->CellKinds(4).Kind = ckButton;
  Grid->CellKinds(4).Items = {{L"...", 0}};
  std::vector<std::pair<int, int>> clicks;
  Grid->OnGridBtnClick = [&](fw::TObject*, int c, int r) { clicks.push_back({c, r}); };
  ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, Center(4, 3));
  ::SendMessageW(G(), WM_LBUTTONUP, 0, Center(2, 3));  // released outside
  EXPECT_TRUE(clicks.empty());
  ::SendMessageW(G(), WM_LBUTTONDOWN, MK_LBUTTON, Center(4, 3));
  ::SendMessageW(G(), WM_LBUTTONUP, 0, Center(4, 3));
  PressKey(G(), VK_RETURN);
  EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{4, 3}, {4, 3}}));
  EXPECT_FALSE(Grid->EditorMode());
}

TEST_F(ComboGridTest, DropDownPicksAnEntryIntoTheEditor) {
  TCellKind& kind = Grid->CellKinds(2);
  kind.Kind = ckDropDown;
  kind.Items = {{L"alpha", 0}, {L"beta", 0}, {L"gamma", 0}};
  std::vector<std::pair<int, int>> clicks;
  Grid->OnGridBtnClick = [&](fw::TObject*, int c, int r) { clicks.push_back({c, r}); };
  Grid->FocusCell(2, 2);
  PressKey(G(), VK_F2);
  {
    TModifiersHeld alt(false, false, true);
    ::SendMessageW(Editor(), WM_KEYDOWN, VK_DOWN, 1);
  }
  ASSERT_TRUE(Grid->InplaceEditor()->ListVisible());
  EXPECT_EQ(::GetFocus(), Editor());
  PressKey(Editor(), VK_DOWN);
  EXPECT_EQ(Grid->InplaceEditor()->Text(), L"alpha");
  PressKey(Editor(), VK_DOWN);
  PressKey(Editor(), VK_RETURN);  // picks and closes the list
  EXPECT_FALSE(Grid->InplaceEditor()->ListVisible());
  PressKey(Editor(), VK_RETURN);  // ends the edit
  EXPECT_EQ(Grid->Cells(2, 2), L"beta");
  EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(ComboGridTest, DestroyingTheGridDuringAnEditRunsNoHandler) {
  Grid->FocusCell(1, 1);
  PressKey(G(), VK_F2);
  ASSERT_EQ(::GetFocus(), Editor());
  Ends.clear();
  Grid.reset();
  EXPECT_TRUE(Ends.empty());
}

// A source that counts what the grid asks of it, as the colour list's model does.
class TRecordingSource final : public TGridCellSource {
 public:
  std::wstring CellText(int col, int row) const override { return L"s" + std::to_wstring(col) + L":" + Cell(row); }
  void SetCellText(int col, int row, const std::wstring& text) override { Sets.push_back({col, row, text}); }
  void MoveRow(int from, int to) override { Moves.push_back({from, to}); }
  void MoveColumn(int from, int to) override { Moves.push_back({-from, -to}); }
  std::wstring Cell(int row) const { return row == Renamed ? L"renamed" : std::to_wstring(row); }
  struct TSet {
    int Col, Row;
    std::wstring Text;
    bool operator==(const TSet&) const = default;
  };
  std::vector<TSet> Sets;
  std::vector<std::pair<int, int>> Moves;
  int Renamed = -1;
};

// The grid as a view: it shows and edits what lives elsewhere, hands each
// finished edit over once with what was typed, leaves moving the data to
// the source, and keeps its current column on the column it was on.
TEST_F(ComboGridTest, AViewOfAnOutsideSourceEditsAndMovesThroughIt) {
  TRecordingSource source;
  Grid->SetCellSource(&source);
  Grid->SetRowCount(100001);
  EXPECT_EQ(Grid->Cells(3, 100000), L"s3:100000");
  const TDibCanvas canvas(400, 280);
  Grid->PaintTo(canvas.DC(), RECT{0, 0, 400, 280});

  Grid->FocusCell(2, 5);
  ::SendMessageW(G(), WM_CHAR, L'a', 1);
  TypeChars(Editor(), L"bc");
  EXPECT_EQ(Grid->Cells(2, 5), L"abc");  // what is typed shows, the source has not heard of it yet
  EXPECT_TRUE(source.Sets.empty());
  PressKey(Editor(), VK_RETURN);
  EXPECT_EQ(source.Sets, (std::vector<TRecordingSource::TSet>{{2, 5, L"abc"}}));
  // An edit that typed nothing hands nothing over, and still ends.
  Ends.clear();
  PressKey(G(), VK_F2);
  PressKey(Editor(), VK_RETURN);
  EXPECT_EQ(source.Sets.size(), 1u);
  EXPECT_EQ(Ends.size(), 1u);
  // A change the source made shows after it says which rows to repaint.
  source.Renamed = 5;
  Grid->InvalidateRows(5, 5);
  EXPECT_EQ(Grid->Cells(2, 5), L"s2:renamed");

  Drag(0, 3, 0, 6);
  Grid->FocusCell(3, 2);
  Drag(1, 0, 4, 0);  // the column moves across the current one, which stays on its own
  EXPECT_EQ(source.Moves, (std::vector<std::pair<int, int>>{{3, 6}, {-1, -4}}));
  EXPECT_EQ(Grid->Col(), 2);
  Drag(4, 0, 1, 0);
  EXPECT_EQ(Grid->Col(), 3);
  Grid->SetCellSource(nullptr);
}

// The editor must not keep a font its owner has deleted (a move to a
// monitor of another DPI replaces the list's font).
TEST_F(ComboGridTest, TheEditorTakesEachNewFontOfTheGrid) {
  Grid->FocusCell(1, 1);
  PressKey(G(), VK_F2);
  PressKey(Editor(), VK_ESCAPE);
  for (int height : {13, 20}) {
    fw::TUniqueFont font(::CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    Grid->SetFont(font.Get());
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(Editor(), WM_GETFONT, 0, 0)), font.Get());
    Grid->SetFont(nullptr);
  }
}

}  // namespace
