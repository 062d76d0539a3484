// The button edit base with real windows and messages: the character
// filter, the changing veto, Esc and Enter, the embedded button and focus.
#include "controls/uEditVel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/EditTestSupport.h"

namespace {

// Opens up what derived controls set.
class TTestEditVel : public TCustomEditVel {
 public:
  void SetInputKind(int kind) { FInputKind = kind; }
  using TCustomEditVel::SetButtonShown;
  void SetTextLocked(const std::wstring& text) {
    TChangeLock lock(FChangeLock);
    SetText(text);
  }
  const std::wstring& LastText() const { return FLastText; }
};

class EditVelTest : public testing::Test {
 protected:
  void SetUp() override {
    Edit.SetBounds(10, 10, 80, 21);
    Edit.Create(&Host.Panel);
    Next.SetBounds(10, 40, 80, 21);
    Next.Create(&Host.Panel);
  }
  HWND Wnd() { return Edit.Handle(); }
  void Select(int start, int length) { ::SendMessageW(Wnd(), EM_SETSEL, start, start + length); }

  THostForm Host;
  TTestEditVel Edit;
  TTestEditVel Next;
  TBeepCounter Beeps;
};

struct TFilterCase {
  int Kind;
  std::wstring Text;
  int SelStart, SelLength;
  wchar_t Key;
  std::wstring Expected;
  bool Beep;
};

TEST_F(EditVelTest, FilterKindsAcceptAndRefuseAsTheRulesSay) {
  const wchar_t dot = L'.';
  const std::vector<TFilterCase> cases = {
      // Unsigned integer: neither sign nor decimals.
      {2, L"12", 2, 0, L'-', L"12", true},
      {2, L"12", 2, 0, dot, L"12", true},
      {2, L"12", 2, 0, L'a', L"12", true},
      {2, L"12", 2, 0, L' ', L"12", true},
      {2, L"12", 2, 0, L'5', L"125", false},
      {2, L"12", 2, 0, L'\b', L"1", false},
      // Signed integer: "-" only at the start, once, or over the whole text.
      {1, L"12", 0, 0, L'-', L"-12", false},
      {1, L"12", 1, 0, L'-', L"12", true},
      {1, L"-12", 0, 0, L'-', L"-12", true},
      {1, L"-12", 0, 3, L'-', L"-", false},
      {1, L"12", 2, 0, dot, L"12", true},
      // Decimals: one separator, or one replacing the whole text.
      {3, L"15", 2, 0, dot, std::wstring(L"15").append(1, dot), false},
      {3, std::wstring(L"1").append(1, dot).append(L"5"), 3, 0, dot, std::wstring(L"1").append(1, dot).append(L"5"),
       true},
      {3, L"15", 0, 0, L'-', L"-15", false},
      {4, L"15", 0, 0, L'-', L"15", true},
      // Hexadecimal: lower case turned upper, the rest refused.
      {5, L"A", 1, 0, L'f', L"AF", false},
      {5, L"A", 1, 0, L'9', L"A9", false},
      {5, L"A", 1, 0, L'g', L"A", true},
      {5, L"A", 1, 0, L'G', L"A", true},
      // No filter at all.
      {0, L"", 0, 0, L'x', L"x", false},
  };
  for (const TFilterCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.Kind << " key " << static_cast<int>(c.Key));
    Edit.SetInputKind(c.Kind);
    Edit.SetText(c.Text);
    Select(c.SelStart, c.SelLength);
    Beeps.Reset();
    TypeChars(Wnd(), std::wstring(1, c.Key));
    EXPECT_EQ(Edit.Text(), c.Expected);
    EXPECT_EQ(Beeps.Beeps(), c.Beep ? 1 : 0);
  }
}

TEST_F(EditVelTest, OnKeyPressRunsBeforeTheFilterAndCanSwallow) {
  Edit.SetInputKind(2);
  std::vector<wchar_t> seen;
  Edit.OnKeyPress = [&](fw::TObject*, wchar_t& key) {
    seen.push_back(key);
    if (key == L'7') key = 0;
  };
  TypeChars(Wnd(), L"a7");
  EXPECT_EQ(seen, (std::vector<wchar_t>{L'a', L'7'}));
  EXPECT_EQ(Edit.Text(), L"");
  EXPECT_EQ(Beeps.Beeps(), 1);  // the "a", by the filter; the swallowed 7 is silent
}

TEST_F(EditVelTest, VetoedChangeRestoresTheTextAndPutsTheCaretWhereTheyDiffer) {
  Edit.SetText(L"12");
  std::vector<std::wstring> asked, changes;
  Edit.OnChanging = [&](fw::TObject*, const std::wstring& newText, const std::wstring& oldText, bool& allow) {
    asked.push_back(oldText + L">" + newText);
    allow = newText.find(L'9') == std::wstring::npos;
  };
  Edit.OnChange = [&](fw::TObject*) { changes.push_back(Edit.Text()); };
  Select(1, 0);
  TypeChars(Wnd(), L"9");
  EXPECT_EQ(Edit.Text(), L"12");
  EXPECT_EQ(Edit.SelStart(), 1);
  EXPECT_EQ(Edit.SelLength(), 0);
  EXPECT_EQ(asked, (std::vector<std::wstring>{L"12>192"}));
  // The restored text reports itself, without being asked about.
  EXPECT_EQ(changes, (std::vector<std::wstring>{L"12"}));

  Select(2, 0);
  TypeChars(Wnd(), L"3");
  EXPECT_EQ(Edit.Text(), L"123");
  EXPECT_EQ(changes.back(), L"123");
  EXPECT_EQ(Edit.LastText(), L"123");
}

TEST_F(EditVelTest, ChangeUnderTheLockFiresOnChangeWithoutOnChanging) {
  int changing = 0, changes = 0;
  Edit.OnChanging = [&](fw::TObject*, const std::wstring&, const std::wstring&, bool& allow) {
    ++changing;
    allow = false;
  };
  Edit.OnChange = [&](fw::TObject*) { ++changes; };
  Edit.SetTextLocked(L"42");
  EXPECT_EQ(Edit.Text(), L"42");
  EXPECT_EQ(changing, 0);
  EXPECT_EQ(changes, 1);
  // An unchanged text is not written again and reports nothing.
  Edit.SetTextLocked(L"42");
  EXPECT_EQ(changes, 1);
}

TEST_F(EditVelTest, TextReadsBackWhatAnyoneWrote) {
  Edit.SetButtonShown(true);  // multi-line: no change report for WM_SETTEXT
  Edit.SetText(L"1");
  ::SendMessageW(Wnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"22"));
  EXPECT_EQ(Edit.Text(), L"22");
  Select(2, 0);
  TypeChars(Wnd(), L"3");
  EXPECT_EQ(Edit.Text(), L"223");
  ::SendMessageW(Wnd(), EM_SETSEL, 0, -1);
  ::SendMessageW(Wnd(), WM_CLEAR, 0, 0);
  EXPECT_EQ(Edit.Text(), L"");
}

TEST_F(EditVelTest, EscRestoresTheTextOfEnteringAfterOnCancel) {
  Host.Show();
  Edit.SetUseCancel(true);
  Edit.SetText(L"50");
  Edit.SetFocus();
  ASSERT_TRUE(Edit.Focused());
  EXPECT_EQ(Edit.CancelText(), L"50");
  Select(2, 0);
  TypeChars(Wnd(), L"7");
  EXPECT_EQ(Edit.Text(), L"507");
  TypeChars(Wnd(), L"\x1B");
  EXPECT_EQ(Edit.Text(), L"50");

  Edit.OnCancel = [](fw::TObject*, std::wstring& text) { text += L"!"; };
  TypeChars(Wnd(), L"\x1B");
  EXPECT_EQ(Edit.Text(), L"50!");
}

TEST_F(EditVelTest, EscWithoutUseCancelLeavesTextAndParentAlone) {
  Edit.SetButtonShown(true);  // multi-line, the kind the system edit closes dialogs from
  Edit.SetText(L"50");
  // The Tab check asks the edit for its dialog code with the message, as
  // dialogs do; the edit must not take that as being in a dialog.
  MSG msg{Wnd(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  ::SendMessageW(Wnd(), WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&msg));
  ::SendMessageW(Wnd(), WM_KEYDOWN, VK_ESCAPE, 1);
  TypeChars(Wnd(), L"\x1B");
  fw::Application().ProcessMessages();
  EXPECT_TRUE(::IsWindow(Host.Panel.Handle()));
  EXPECT_EQ(Edit.Text(), L"50");
}

TEST_F(EditVelTest, EnterMovesToTheNextControlWithEnterNext) {
  Host.Show();
  Edit.SetEnterNext(true);
  Edit.SetFocus();
  TypeChars(Wnd(), L"\r");
  EXPECT_TRUE(Next.Focused());
  EXPECT_EQ(Edit.Text(), L"");
}

TEST_F(EditVelTest, EnterInsertsNoLineBreakInTheMultiLineWindow) {
  Edit.SetButtonShown(true);
  Edit.SetText(L"12");
  Select(1, 0);
  TypeChars(Wnd(), L"\r");
  EXPECT_EQ(Edit.Text(), L"12");
  EXPECT_EQ(::SendMessageW(Wnd(), EM_GETLINECOUNT, 0, 0), 1);
  EXPECT_EQ(Beeps.Beeps(), 0);
}

TEST_F(EditVelTest, TabLeavesTheMultiLineEdit) {
  Host.Show();
  Edit.SetButtonShown(true);
  Edit.SetFocus();
  MSG msg{Wnd(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
  EXPECT_TRUE(Host.Form.PreTranslateMessage(msg));
  EXPECT_TRUE(Next.Focused());
}

TEST_F(EditVelTest, EmbeddedButtonSitsInsideTheRightEdgeAndTheTextKeepsClear) {
  EXPECT_FALSE(Edit.Button().Visible());
  Edit.SetText(L"kept");
  HWND before = ::GetWindow(Wnd(), GW_HWNDPREV);
  Edit.SetButtonShown(true);
  EXPECT_EQ(Edit.Text(), L"kept");
  EXPECT_EQ(::GetWindow(Wnd(), GW_HWNDPREV), before) << "the re-created edit keeps its tab place";
  EXPECT_TRUE(Edit.MultiLine());
  ASSERT_TRUE(Edit.Button().Visible());
  EXPECT_EQ(Edit.Button().Host(), Wnd());
  EXPECT_EQ(::GetWindow(Wnd(), GW_CHILD), nullptr) << "the button is drawn by the edit, not a window";
  // 80 x 21 outside, a 2-pixel border on each side.
  EXPECT_EQ(Edit.Button().Left(), 80 - 12 - 4);
  EXPECT_EQ(Edit.Button().Top(), 0);
  EXPECT_EQ(Edit.Button().Width(), 12);
  EXPECT_EQ(Edit.Button().Height(), 21 - 4);
  RECT format{};
  ::SendMessageW(Wnd(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  // The edit keeps a margin of a pixel or two inside the rectangle it is given.
  EXPECT_LE(format.right, 80 - 4 - 12);
  EXPECT_GE(format.right, 80 - 4 - 12 - 2);
  EXPECT_EQ(format.bottom, 21 - 4);

  Edit.SetBounds(10, 10, 100, 25);
  EXPECT_EQ(Edit.Button().Left(), 100 - 12 - 4);
  EXPECT_EQ(Edit.Button().Height(), 25 - 4);

  Edit.SetButtonShown(false);
  EXPECT_FALSE(Edit.MultiLine());
  EXPECT_EQ(Edit.Text(), L"kept");
}

TEST_F(EditVelTest, ButtonPressFocusesTheEditAndReleasePutsTheCaretAtTheEnd) {
  Host.Show();
  Edit.SetButtonShown(true);
  Edit.SetText(L"123");
  Next.SetFocus();
  std::vector<std::string> events;
  Edit.OnButtonMouseDown = [&](fw::TObject* s, fw::TMouseButton, fw::TShiftState, int, int) {
    events.push_back(s == &Edit.Button() ? "down(button)" : "down(?)");
  };
  Edit.OnButtonMouseUp = [&](fw::TObject* s, fw::TMouseButton, fw::TShiftState, int, int) {
    events.push_back(s == &Edit.Button() ? "up(button)" : "up(?)");
  };
  Edit.OnButtonClick = [&](fw::TObject*) { events.push_back("click"); };
  // The button's place in the edit: 80 - 4 - 12 from the left.
  ::SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(64 + 3, 3));
  EXPECT_TRUE(Edit.Focused());
  EXPECT_EQ(Edit.Button().State(), fw::TButtonState::bsDown);
  EXPECT_EQ(::GetCapture(), Wnd());
  Select(0, 0);
  ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(64 + 3, 3));
  EXPECT_EQ(events, (std::vector<std::string>{"down(button)", "up(button)", "click"}));
  EXPECT_EQ(Edit.SelStart(), 3);
}

TEST_F(EditVelTest, FocusEventsNameTheOtherWindowAndEnterSelectsWithAutoSelect) {
  Host.Show();
  Edit.SetButtonShown(true);
  Edit.SetText(L"123");
  Select(0, 0);
  HWND gained = nullptr, lost = nullptr;
  int enters = 0, exits = 0;
  Edit.OnSetFocus = [&](fw::TObject*, HWND other) { gained = other; };
  Edit.OnKillFocus = [&](fw::TObject*, HWND other) { lost = other; };
  Edit.OnEnter = [&](fw::TObject*) { ++enters; };
  Edit.OnExit = [&](fw::TObject*) { ++exits; };
  Next.SetFocus();
  Edit.SetFocus();
  EXPECT_EQ(gained, Next.Handle());
  EXPECT_EQ(enters, 1);
  // Multi-line, and still the whole text is selected on entering.
  EXPECT_EQ(Edit.SelStart(), 0);
  EXPECT_EQ(Edit.SelLength(), 3);
  Next.SetFocus();
  EXPECT_EQ(lost, Next.Handle());
  EXPECT_EQ(exits, 1);
}

TEST_F(EditVelTest, DisablingTheEditDisablesItsButton) {
  Edit.SetButtonShown(true);
  Edit.SetEnabled(false);
  EXPECT_FALSE(Edit.Button().Enabled());
  EXPECT_EQ(Edit.Button().State(), fw::TButtonState::bsDisabled);
  Edit.SetEnabled(true);
  EXPECT_TRUE(Edit.Button().Enabled());
  EXPECT_EQ(Edit.Button().State(), fw::TButtonState::bsUp);
}

TEST_F(EditVelTest, AReleaseOffTheButtonClicksNothingAndAPressBesideItReachesTheEdit) {
  Host.Show();
  Edit.SetButtonShown(true);
  Edit.SetText(L"123");
  int clicks = 0, downs = 0;
  Edit.OnButtonClick = [&](fw::TObject*) { ++clicks; };
  Edit.OnButtonMouseDown = [&](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { ++downs; };
  ::SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(67, 3));
  ::SendMessageW(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 3));
  EXPECT_EQ(Edit.Button().State(), fw::TButtonState::bsUp) << "drawn up while the pointer is off it";
  ::SendMessageW(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(67, 3));
  EXPECT_EQ(Edit.Button().State(), fw::TButtonState::bsDown);
  ::SendMessageW(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 3));
  ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 3));
  EXPECT_EQ(clicks, 0);
  EXPECT_NE(::GetCapture(), Wnd());
  // One pixel left of the button is the text's.
  ::SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(63, 3));
  ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(63, 3));
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(clicks, 0);
}

}  // namespace
