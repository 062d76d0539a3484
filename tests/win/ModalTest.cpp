// Modal forms and dialogs: the owner is disabled for the loop, the ways a
// dialog ends give their results, an error inside the loop is reported once
// after it, and a dialog released inside its own loop is deleted after it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "core/support/Exception.h"
#include "tests/win/EditTestSupport.h"

namespace {

class TTestDialog : public fw::TDialog {
 public:
  explicit TTestDialog(fw::TWindow* owner, bool withCancel = true) {
    // Neither caption nor system menu: Wine manages such windows through the
    // window manager, and without one it waits two seconds for each to hide
    // and again for each to go.
    SetBounds(100, 100, 210, 90);
    fw::TForm::Create(owner, WS_POPUP | WS_DLGFRAME, 0);
    Ok.SetBounds(10, 40, 60, 21);
    Ok.SetDefault(true);
    Ok.SetModalResult(mrOk);
    Ok.Create(this, L"OK");
    Other.SetBounds(75, 40, 60, 21);
    Other.SetModalResult(77);
    Other.Create(this, L"77");
    if (withCancel) {
      Cancel.SetBounds(140, 40, 55, 21);
      Cancel.SetCancel(true);
      Cancel.SetModalResult(mrCancel);
      Cancel.Create(this, L"Cancel");
    }
    SetActiveControl(&Ok);
  }
  ~TTestDialog() override {
    if (Destroyed) *Destroyed = true;
  }
  fw::TButton Ok, Other, Cancel;
  bool* Destroyed = nullptr;
};

void PostKey(HWND wnd, WPARAM key) { ::PostMessageW(wnd, WM_KEYDOWN, key, 1); }

std::vector<std::wstring> gReports;
std::vector<bool> gReportedWhileVisible;
HWND gDialog = nullptr;

struct TModalTest : testing::Test {
  void SetUp() override {
    gReports.clear();
    gReportedWhileVisible.clear();
    fw::Application().OnExceptionHook = [](const std::wstring& text) {
      gReports.push_back(text);
      gReportedWhileVisible.push_back(gDialog && ::IsWindowVisible(gDialog));
    };
    Host.Show();
  }
  void TearDown() override {
    fw::Application().OnExceptionHook = nullptr;
    gDialog = nullptr;
  }
  THostForm Host;
};

TEST_F(TModalTest, EachWayOfEndingGivesItsResultAndTheOwnerComesBack) {
  struct TCase {
    const char* What;
    bool WithCancel;
    void (*Post)(TTestDialog& d);
    int Expected;
  };
  const TCase cases[] = {
      {"click on OK", true, [](TTestDialog& d) { ::PostMessageW(d.Ok.Handle(), BM_CLICK, 0, 0); }, fw::TForm::mrOk},
      {"Enter presses the default button", true, [](TTestDialog& d) { PostKey(d.Ok.Handle(), VK_RETURN); },
       fw::TForm::mrOk},
      {"Enter presses the focused button", true,
       [](TTestDialog& d) {
         ::PostMessageW(d.Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(d.Other.Handle()), TRUE);
         PostKey(d.Other.Handle(), VK_RETURN);
       },
       77},
      {"Escape presses the cancel button", true, [](TTestDialog& d) { PostKey(d.Ok.Handle(), VK_ESCAPE); },
       fw::TForm::mrCancel},
      {"Escape without a cancel button does nothing", false,
       [](TTestDialog& d) {
         PostKey(d.Ok.Handle(), VK_ESCAPE);
         ::PostMessageW(d.Other.Handle(), BM_CLICK, 0, 0);
       },
       77},
      {"the close box", false, [](TTestDialog& d) { ::PostMessageW(d.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
       fw::TForm::mrCancel},
  };
  for (const TCase& c : cases) {
    TTestDialog dialog(&Host.Form, c.WithCancel);
    bool ownerDisabled = false;
    for (fw::TButton* b : {&dialog.Ok, &dialog.Other, &dialog.Cancel})
      b->OnClick = [&](fw::TObject*) { ownerDisabled = !::IsWindowEnabled(Host.Form.Handle()); };
    c.Post(dialog);
    EXPECT_EQ(dialog.ShowModal(), c.Expected) << c.What;
    const bool clicked = std::string(c.What) != "the close box";
    if (clicked) {
      EXPECT_TRUE(ownerDisabled) << c.What;
    }
    EXPECT_TRUE(::IsWindowEnabled(Host.Form.Handle())) << c.What;
    EXPECT_FALSE(::IsWindowVisible(dialog.Handle())) << c.What;
    EXPECT_TRUE(::IsWindow(dialog.Handle())) << c.What << ": a modal form closes without being destroyed";
  }
}

TEST_F(TModalTest, TheLoopRunsTheFormsAccelerators) {
  TTestDialog dialog(&Host.Form);
  fw::TActionList actions;
  fw::TAction& action = actions.Add(L"actTest");
  action.SetShortCut(fw::TShortCut{'K', true, false, false});
  action.OnExecute = [&dialog](fw::TObject*) { dialog.SetModalResult(55); };
  dialog.SetActionList(&actions);
  TModifiersHeld ctrl(false, true, false);
  ::PostMessageW(dialog.Ok.Handle(), WM_KEYDOWN, 'K', 1);
  EXPECT_EQ(dialog.ShowModal(), 55);
}

TEST_F(TModalTest, AnErrorInsideTheLoopIsReportedOnceAfterIt) {
  TTestDialog dialog(&Host.Form);
  gDialog = dialog.Handle();
  int thrown = 0;
  dialog.Other.SetModalResult(fw::TForm::mrNone);
  dialog.Other.OnClick = [&](fw::TObject*) {
    ++thrown;
    throw Exception(thrown == 1 ? L"first" : L"second");
  };
  ::PostMessageW(dialog.Other.Handle(), BM_CLICK, 0, 0);
  ::PostMessageW(dialog.Other.Handle(), BM_CLICK, 0, 0);
  ::PostMessageW(dialog.Ok.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), fw::TForm::mrOk);
  EXPECT_EQ(thrown, 2);
  ASSERT_EQ(gReports.size(), 1u);
  EXPECT_EQ(gReports[0], L"first");
  EXPECT_FALSE(gReportedWhileVisible[0]) << "the report waits until the dialog has gone";
  // Outside any modal loop errors are shown at once again.
  fw::Guarded([] { throw Exception(L"later"); });
  EXPECT_EQ(gReports.size(), 2u);
}

TEST_F(TModalTest, ADialogReleasedInsideItsLoopIsDeletedAfterIt) {
  bool destroyed = false, destroyedInHandler = true;
  auto* dialog = new TTestDialog(&Host.Form);
  dialog->Destroyed = &destroyed;
  dialog->Other.OnClick = [&](fw::TObject*) {
    dialog->Release();
    destroyedInHandler = destroyed;
  };
  const HWND wnd = dialog->Handle();
  ::PostMessageW(dialog->Other.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(dialog->ShowModal(), fw::TForm::mrCancel);
  EXPECT_FALSE(destroyedInHandler);
  EXPECT_TRUE(destroyed);
  EXPECT_FALSE(::IsWindow(wnd));
  EXPECT_TRUE(::IsWindowEnabled(Host.Form.Handle()));
}

TEST_F(TModalTest, AQuitEndsTheLoopAndReachesTheLoopOutside) {
  TTestDialog dialog(&Host.Form);
  ::PostQuitMessage(5);
  EXPECT_EQ(dialog.ShowModal(), fw::TForm::mrCancel);
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 5u);
  EXPECT_TRUE(::IsWindowEnabled(Host.Form.Handle()));
}

}  // namespace
