// The framework's edit: a text set while the edit has no focus reaches the
// window at its next message, once per burst, and every reader sees it.
#include "framework/Edit.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win/EditTestSupport.h"

namespace {

class TMultiLineEdit : public fw::TCustomEdit {
 protected:
  void EditParams(TCreateParams& params) override { params.Style |= ES_MULTILINE; }
};

// Counts the WM_SETTEXT messages that reach one window, wherever they come from.
class TSetTextCounter {
 public:
  explicit TSetTextCounter(HWND target) {
    Target() = target;
    Count() = 0;
    FHook = ::SetWindowsHookExW(WH_CALLWNDPROC, Proc, nullptr, ::GetCurrentThreadId());
  }
  ~TSetTextCounter() {
    if (FHook) ::UnhookWindowsHookEx(FHook);
  }
  TSetTextCounter(const TSetTextCounter&) = delete;
  TSetTextCounter& operator=(const TSetTextCounter&) = delete;
  int Writes() const { return Count(); }

 private:
  static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m->hwnd == Target() && m->message == WM_SETTEXT) ++Count();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static HWND& Target() {
    static HWND target = nullptr;
    return target;
  }
  static int& Count() {
    static int count = 0;
    return count;
  }
  HHOOK FHook = nullptr;
};

// What the window itself holds, asked the way another process would ask.
std::wstring WindowText(HWND wnd) {
  wchar_t buffer[64] = {};
  ::SendMessageW(wnd, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

class EditTest : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    Edit = GetParam() ? static_cast<fw::TCustomEdit*>(&MultiLine) : &SingleLine;
    Edit->SetBounds(10, 10, 80, 21);
    Edit->Create(&Host.Panel);
    Other.SetBounds(10, 40, 80, 21);
    Other.Create(&Host.Panel);
    Edit->OnChange = [this](fw::TObject*) { ++Changes; };
    Host.Show();
    Other.SetFocus();
    fw::Application().ProcessMessages();
    Changes = 0;
  }

  THostForm Host;
  fw::TCustomEdit SingleLine;
  TMultiLineEdit MultiLine;
  fw::TCustomEdit Other;
  fw::TCustomEdit* Edit = nullptr;
  int Changes = 0;
};

TEST_P(EditTest, WritesWithoutFocusReachTheWindowOncePerBurst) {
  TSetTextCounter counter(Edit->Handle());
  for (int i = 0; i < 50; ++i) Edit->SetText(std::to_wstring(i));
  EXPECT_EQ(Edit->Text(), L"49");
  EXPECT_EQ(Changes, 50) << "each write raises its change at once";
  EXPECT_EQ(counter.Writes(), 0);
  EXPECT_EQ(WindowText(Edit->Handle()), L"49");
  EXPECT_EQ(counter.Writes(), 1);
  fw::Application().ProcessMessages();
  EXPECT_EQ(counter.Writes(), 1);
  EXPECT_EQ(Changes, 50) << "the late write raises no second change";
}

TEST_P(EditTest, TheNextPaintDeliversThePendingText) {
  TSetTextCounter counter(Edit->Handle());
  Edit->SetText(L"123");
  ::UpdateWindow(Edit->Handle());
  EXPECT_EQ(counter.Writes(), 1);
  EXPECT_EQ(WindowText(Edit->Handle()), L"123");
}

TEST_P(EditTest, WithTheFocusEachWriteGoesStraightToTheWindow) {
  Edit->SetFocus();
  fw::Application().ProcessMessages();
  TSetTextCounter counter(Edit->Handle());
  Changes = 0;
  Edit->SetText(L"7");
  Edit->SetText(L"8");
  EXPECT_EQ(counter.Writes(), 2);
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(WindowText(Edit->Handle()), L"8");
}

TEST_P(EditTest, ATextWrittenFromOutsideReplacesThePendingOne) {
  Edit->SetText(L"12");
  ::SendMessageW(Edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"34"));
  EXPECT_EQ(Edit->Text(), L"34");
  fw::Application().ProcessMessages();
  EXPECT_EQ(WindowText(Edit->Handle()), L"34");
}

TEST_P(EditTest, SelectionAndFocusSeeThePendingText) {
  Edit->SetText(L"4567");
  Edit->SetSelStart(2);
  Edit->SetSelLength(2);
  EXPECT_EQ(Edit->SelStart(), 2);
  EXPECT_EQ(Edit->SelLength(), 2);
  Edit->SetText(L"89");
  Edit->SetFocus();
  EXPECT_EQ(WindowText(Edit->Handle()), L"89");
  EXPECT_LE(Edit->SelStart() + Edit->SelLength(), 2);
}

TEST_P(EditTest, AnUnchangedTextIsNeitherWrittenNorReported) {
  Edit->SetText(L"5");
  fw::Application().ProcessMessages();
  TSetTextCounter counter(Edit->Handle());
  Changes = 0;
  Edit->SetText(L"5");
  fw::Application().ProcessMessages();
  EXPECT_EQ(counter.Writes(), 0);
  EXPECT_EQ(Changes, 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EditTest, testing::Bool(), [](const testing::TestParamInfo<bool>& info) {
  return info.param ? "MultiLine" : "SingleLine";
});

}  // namespace
