// The opaque paint box with real windows and messages.
#include "controls/PaintBoxVel.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "tests/win/DibCanvas.h"

namespace {

// Counts the messages a window receives, before its own procedure sees them.
class TSpy {
 public:
  explicit TSpy(HWND wnd) : FWnd(wnd) { ::SetWindowSubclass(wnd, Proc, 1, reinterpret_cast<DWORD_PTR>(this)); }
  ~TSpy() { ::RemoveWindowSubclass(FWnd, Proc, 1); }
  int Count(UINT msg) const {
    auto it = FCounts.find(msg);
    return it == FCounts.end() ? 0 : it->second;
  }
  WPARAM LastWParam = 0;
  LPARAM LastLParam = 0;
  LRESULT Answer = 0;
  UINT Answered = 0;  // a message answered here instead of by the window

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<TSpy*>(ref);
    ++self->FCounts[m];
    self->LastWParam = wp;
    self->LastLParam = lp;
    if (self->Answered && m == self->Answered) return self->Answer;
    return ::DefSubclassProc(w, m, wp, lp);
  }
  HWND FWnd;
  std::map<UINT, int> FCounts;
};

class PaintBoxVelTest : public testing::Test {
 protected:
  void SetUp() override {
    Form.SetBounds(100, 100, 200, 150);
    Form.Create(nullptr, WS_POPUP);
    Panel.SetBounds(0, 0, 200, 150);
    Panel.Create(&Form);
    Box.SetBounds(10, 10, 40, 30);
    Box.OnPaint = [this](fw::TObject*, HDC dc) {
      ++Paints;
      RECT r{0, 0, 40, 30};
      ::FillRect(dc, &r, Brush.Get());
    };
    Box.Create(&Panel);
    Form.Show();
    fw::Application().ProcessMessages();
    Paints = 0;
  }

  LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

  fw::TForm Form;
  fw::TPanel Panel;
  TPaintBoxVel Box;
  fw::TUniqueBrush Brush{::CreateSolidBrush(RGB(10, 200, 30))};
  int Paints = 0;
};

TEST_F(PaintBoxVelTest, NotOpaqueByDefaultAndErasesLikeAPaintBox) {
  EXPECT_FALSE(Box.Opaque());
  TDibCanvas canvas(40, 30, RGB(1, 2, 3));
  EXPECT_NE(::SendMessageW(Box.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.DC()), 0), 0);
  EXPECT_EQ(canvas.At(0, 0), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(canvas.At(39, 29), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(PaintBoxVelTest, OpaqueSkipsTheBackgroundFill) {
  Box.SetOpaque(true);
  TDibCanvas canvas(40, 30, RGB(1, 2, 3));
  // Answered as erased, so nothing else erases it either.
  EXPECT_NE(::SendMessageW(Box.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.DC()), 0), 0);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(canvas.At(x, y), RGB(1, 2, 3)) << x << "," << y;
}

TEST_F(PaintBoxVelTest, OpaqueRepaintDrawsAtOnceWithoutMessages) {
  Box.SetOpaque(true);
  fw::Application().ProcessMessages();
  Paints = 0;
  TSpy spy(Box.Handle());
  for (int i = 0; i < 50; ++i) Box.Repaint();
  EXPECT_EQ(Paints, 50);
  EXPECT_EQ(spy.Count(WM_ERASEBKGND), 0);
  EXPECT_EQ(spy.Count(WM_PAINT), 0);
  fw::Application().ProcessMessages();
  EXPECT_EQ(spy.Count(WM_ERASEBKGND), 0);
}

TEST_F(PaintBoxVelTest, PlainRepaintErasesThenPaintsAtOnce) {
  TSpy spy(Box.Handle());
  Box.Repaint();
  EXPECT_EQ(Paints, 1);
  EXPECT_EQ(spy.Count(WM_ERASEBKGND), 1);
  EXPECT_EQ(spy.Count(WM_PAINT), 1);
}

TEST_F(PaintBoxVelTest, SettingOpaqueInvalidatesOnlyOnChange) {
  Box.SetOpaque(true);
  EXPECT_TRUE(::GetUpdateRect(Box.Handle(), nullptr, FALSE));
  fw::Application().ProcessMessages();
  Box.SetOpaque(true);
  EXPECT_FALSE(::GetUpdateRect(Box.Handle(), nullptr, FALSE));
  Box.SetOpaque(false);
  EXPECT_TRUE(::GetUpdateRect(Box.Handle(), nullptr, FALSE));
  EXPECT_FALSE(Box.Opaque());
}

TEST_F(PaintBoxVelTest, LeftPressCapturesTheMouseUntilTheLeftRelease) {
  std::wstring log;
  Box.OnMouseDown = [&](fw::TObject* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
    EXPECT_EQ(s, &Box);
    log += L"down" + std::to_wstring(static_cast<int>(b)) + (sh.Left ? L"L" : L"") + L"(" + std::to_wstring(x) + L"," +
           std::to_wstring(y) + L")";
  };
  Box.OnMouseMove = [&](fw::TObject*, fw::TShiftState, int x, int y) {
    log += L"move(" + std::to_wstring(x) + L"," + std::to_wstring(y) + L")";
  };
  Box.OnMouseUp = [&](fw::TObject*, fw::TMouseButton b, fw::TShiftState, int, int) {
    log += L"up" + std::to_wstring(static_cast<int>(b));
  };
  ::SendMessageW(Box.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 6));
  EXPECT_EQ(::GetCapture(), Box.Handle());
  ::SendMessageW(Box.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(-300, 500));
  ::SendMessageW(Box.Handle(), WM_LBUTTONUP, 0, At(-300, 500));
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(log, L"down0L(5,6)move(-300,500)up0");

  log.clear();
  ::SendMessageW(Box.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(1, 1));
  EXPECT_EQ(::GetCapture(), nullptr);
  ::SendMessageW(Box.Handle(), WM_RBUTTONUP, 0, At(1, 1));
  ::SendMessageW(Box.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(2, 2));
  EXPECT_EQ(::GetCapture(), Box.Handle());
  ::ReleaseCapture();
  EXPECT_EQ(log, L"down1(1,1)up1down0L(2,2)");
}

TEST_F(PaintBoxVelTest, EnterAndLeaveFireOncePerCrossing) {
  std::wstring log;
  Box.OnMouseEnter = [&](fw::TObject* s) {
    EXPECT_EQ(s, &Box);
    log += L"enter ";
  };
  Box.OnMouseLeave = [&](fw::TObject* s) {
    EXPECT_EQ(s, &Box);
    log += L"leave ";
  };
  ::SendMessageW(Box.Handle(), WM_MOUSEMOVE, 0, At(3, 3));
  ::SendMessageW(Box.Handle(), WM_MOUSEMOVE, 0, At(4, 3));
  ::SendMessageW(Box.Handle(), WM_MOUSELEAVE, 0, 0);
  ::SendMessageW(Box.Handle(), WM_MOUSELEAVE, 0, 0);
  ::SendMessageW(Box.Handle(), WM_MOUSEMOVE, 0, At(39, 29));
  // Under capture the moves go on outside the box.
  ::SendMessageW(Box.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(40, 29));
  ::SendMessageW(Box.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(50, 50));
  EXPECT_EQ(log, L"enter leave enter leave ");
}

TEST_F(PaintBoxVelTest, ShowHintEventChangesOrSuppressesTheHint) {
  Box.SetHint(L"拡大");
  ASSERT_NE(Box.HintWindow(), nullptr);
  auto tipText = [&] {
    wchar_t buffer[80] = L"unchanged";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = Box.Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Box.Handle());
    tool.lpszText = buffer;
    ::SendMessageW(Box.HintWindow(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    return std::wstring(buffer);
  };
  EXPECT_EQ(tipText(), L"拡大");

  fw::THintInfo seen;
  Box.OnShowHint = [&](fw::TObject* s, std::wstring& text, bool& canShow, fw::THintInfo& info) {
    EXPECT_EQ(s, &Box);
    EXPECT_EQ(text, L"拡大");
    EXPECT_TRUE(canShow);
    seen = info;
    text = L"ほかの文";
  };
  EXPECT_EQ(tipText(), L"ほかの文");
  EXPECT_EQ(seen.HintControl, &Box);

  Box.OnShowHint = [&](fw::TObject*, std::wstring&, bool& canShow, fw::THintInfo&) { canShow = false; };
  EXPECT_EQ(tipText(), L"");
}

TEST_F(PaintBoxVelTest, WheelGoesToTheParentUnchanged) {
  TSpy spy(Panel.Handle());
  spy.Answered = WM_MOUSEWHEEL;
  spy.Answer = 7;
  const WPARAM w = MAKEWPARAM(MK_CONTROL | MK_SHIFT, static_cast<WORD>(-WHEEL_DELTA));
  const LPARAM l = MAKELPARAM(123, 456);  // screen coordinates, as the system sends them
  EXPECT_EQ(::SendMessageW(Box.Handle(), WM_MOUSEWHEEL, w, l), 7);
  EXPECT_EQ(spy.Count(WM_MOUSEWHEEL), 1);
  EXPECT_EQ(spy.LastWParam, w);
  EXPECT_EQ(spy.LastLParam, l);
}

}  // namespace
