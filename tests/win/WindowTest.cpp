// The binding of windows to their objects: found for the program's own
// classes and its subclassed controls, for nobody else, and gone with the
// window, also when another party subclasses a control on top of ours.
#include "framework/Window.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <vector>

#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "tests/win/EditTestSupport.h"

namespace {

TEST(WindowBinding, FindsOwnWindowsAndSubclassedControlsOnly) {
  THostForm host;
  auto edit = std::make_unique<fw::TCustomEdit>();
  edit->SetBounds(10, 10, 80, 21);
  edit->Create(&host.Panel);
  HWND foreign = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, host.Panel.Handle(), nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(foreign, nullptr);

  const HWND editWnd = edit->Handle();
  struct TCase {
    const char* What;
    HWND Wnd;
    fw::TWindow* Expected;
  };
  const TCase cases[] = {
      {"own class", host.Panel.Handle(), &host.Panel},
      {"subclassed edit", editWnd, edit.get()},
      {"foreign control", foreign, nullptr},
      {"no window", nullptr, nullptr},
  };
  for (const TCase& c : cases) EXPECT_EQ(fw::TWindow::FromHandle(c.Wnd), c.Expected) << c.What;

  edit.reset();
  EXPECT_FALSE(::IsWindow(editWnd));
  EXPECT_EQ(fw::TWindow::FromHandle(editWnd), nullptr);
  ::DestroyWindow(foreign);
}

int gOtherChars = 0;
bool gOtherSawDestroy = false;

LRESULT CALLBACK OtherSubclass(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  if (msg == WM_CHAR) ++gOtherChars;
  if (msg == WM_NCDESTROY) {
    gOtherSawDestroy = true;
    ::RemoveWindowSubclass(wnd, OtherSubclass, id);
  }
  return ::DefSubclassProc(wnd, msg, wParam, lParam);
}

TEST(WindowBinding, ASubclassOnTopOfOursKeepsBothWorkingUntilTheEnd) {
  THostForm host;
  auto edit = std::make_unique<fw::TCustomEdit>();
  edit->SetBounds(10, 10, 80, 21);
  edit->Create(&host.Panel);
  int ours = 0;
  edit->OnKeyPress = [&ours](fw::TObject*, wchar_t&) { ++ours; };
  const HWND wnd = edit->Handle();
  gOtherChars = 0;
  gOtherSawDestroy = false;
  ASSERT_TRUE(::SetWindowSubclass(wnd, OtherSubclass, 1, 0));

  TypeChars(wnd, L"12");
  EXPECT_EQ(ours, 2);
  EXPECT_EQ(gOtherChars, 2);
  EXPECT_EQ(edit->Text(), L"12");

  edit.reset();
  EXPECT_FALSE(::IsWindow(wnd));
  EXPECT_TRUE(gOtherSawDestroy);
  EXPECT_EQ(fw::TWindow::FromHandle(wnd), nullptr);
}

TEST(ShiftState, MouseFlagsGiveButtonsAndModifiersWithAltFromTheKeyboard) {
  struct TCase {
    WPARAM Flags;
    bool Alt;
  };
  const TCase cases[] = {
      {MK_LBUTTON | MK_SHIFT, false},
      {MK_RBUTTON | MK_CONTROL, true},
      {MK_MBUTTON, true},
      {0, false},
  };
  for (const TCase& c : cases) {
    TModifiersHeld held(false, false, c.Alt);
    const fw::TShiftState s = fw::TShiftState::FromKeyFlags(c.Flags);
    const fw::TShiftState copy = s;
    EXPECT_EQ(s.Shift, (c.Flags & MK_SHIFT) != 0);
    EXPECT_EQ(s.Ctrl, (c.Flags & MK_CONTROL) != 0);
    EXPECT_EQ(s.Left, (c.Flags & MK_LBUTTON) != 0);
    EXPECT_EQ(s.Right, (c.Flags & MK_RBUTTON) != 0);
    EXPECT_EQ(s.Middle, (c.Flags & MK_MBUTTON) != 0);
    EXPECT_EQ(static_cast<bool>(s.Alt), c.Alt) << c.Flags;
    EXPECT_EQ(static_cast<bool>(copy.Alt), c.Alt) << c.Flags;
  }
}

}  // namespace

namespace {

struct TRecreatableEdit : fw::TCustomEdit {
  using fw::TCustomEdit::RecreateWnd;
};

TEST(ControlIds, GivenIdsStayAndTheOthersAreDistinctAndSurviveRecreation) {
  THostForm host;
  fw::TPanel given, a, b;
  given.SetControlId(123);
  TRecreatableEdit edit;
  for (fw::TPanel* p : {&given, &a, &b}) p->Create(&host.Panel);
  edit.Create(&host.Panel);
  EXPECT_EQ(::GetDlgCtrlID(given.Handle()), 123);
  std::vector<int> automatic;
  for (fw::TWindow* w : std::initializer_list<fw::TWindow*>{&a, &b, &edit}) {
    const int id = ::GetDlgCtrlID(w->Handle());
    EXPECT_EQ(id, w->ControlId());
    EXPECT_GE(id, fw::TWindow::kFirstAutoControlId);
    EXPECT_LE(id, fw::TWindow::kLastAutoControlId);
    EXPECT_EQ(std::count(automatic.begin(), automatic.end(), id), 0) << id;
    automatic.push_back(id);
  }
  // A system control created again (a style change) keeps its ID.
  const int before = edit.ControlId();
  edit.RecreateWnd();
  EXPECT_EQ(::GetDlgCtrlID(edit.Handle()), before);
  // A top-level window carries its menu there, not an ID.
  EXPECT_EQ(host.Form.ControlId(), 0);
}

// A panel whose resizing removes a sibling placed after it and adds
// another: the layout goes on with the children that are still there.
struct TRearranging : fw::TPanel {
  std::unique_ptr<fw::TPanel>* Doomed = nullptr;
  std::unique_ptr<fw::TPanel>* Born = nullptr;
  fw::TWindow* Parent = nullptr;
  void WMSize(int, int) override {
    if (Doomed && *Doomed) Doomed->reset();
    if (Born && !*Born) {
      *Born = std::make_unique<fw::TPanel>();
      (*Born)->SetAlign(fw::TAlign::alClient);
      (*Born)->Create(Parent);
    }
  }
};

TEST(WindowLayout, ChildrenComingAndGoingDuringALayoutAreSafe) {
  THostForm host;
  TRearranging top;
  std::unique_ptr<fw::TPanel> doomed = std::make_unique<fw::TPanel>(), born;
  fw::TPanel bottom;
  top.SetHeight(30);
  top.SetAlign(fw::TAlign::alTop);
  top.Create(&host.Panel);
  doomed->SetAlign(fw::TAlign::alClient);
  doomed->Create(&host.Panel);
  bottom.SetHeight(40);
  bottom.SetAlign(fw::TAlign::alBottom);
  bottom.Create(&host.Panel);
  top.Doomed = &doomed;
  top.Born = &born;
  top.Parent = &host.Panel;
  host.Panel.SetBounds(0, 0, 300, 180);
  EXPECT_FALSE(doomed);
  ASSERT_TRUE(born);
  EXPECT_EQ(bottom.Top(), 140);
  EXPECT_EQ(born->Top(), 30);
  EXPECT_EQ(born->Height(), 110);
}

// The face set again on a window that exists: its controls draw with the
// new font, never with the one just deleted.
TEST(FormFont, ANewFaceReachesTheControlsThatExist) {
  fw::TForm form;
  form.SetFontFace(L"Tahoma", 13, DEFAULT_CHARSET);
  form.SetBounds(200, 200, 200, 100);
  form.Create(nullptr, WS_POPUP);
  fw::TCustomEdit edit;
  edit.Create(&form);
  form.SetFontFace(L"Tahoma", 20, DEFAULT_CHARSET);
  const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(edit.Handle(), WM_GETFONT, 0, 0));
  EXPECT_EQ(font, form.Font());
  EXPECT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
  LOGFONTW lf{};
  ::GetObjectW(font, sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, 20);
}

}  // namespace
