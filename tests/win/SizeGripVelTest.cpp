// The size grip with real windows and real mouse messages.
#include "controls/uSizeGripVel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Handles.h"
#include "framework/Panel.h"
#include "tests/win/DibCanvas.h"

namespace {

std::wstring gLastError;
void RecordError(const std::wstring& text) { gLastError = text; }

class SizeGripVelTest : public testing::Test {
 protected:
  void SetUp() override {
    Form.SetBounds(50, 60, 300, 200);
    Form.Create(nullptr, WS_POPUP);
    Panel.SetAlign(fw::TAlign::alClient);
    Panel.Create(&Form);
    Grip.Create(&Panel, &Form);
    Form.Show();
    fw::Application().ProcessMessages();
  }
  void TearDown() override {
    if (::GetCapture()) ::ReleaseCapture();
  }

  // Sends a mouse message for a screen point, in the grip's client coordinates at that moment.
  void Mouse(UINT msg, WPARAM keys, int screenX, int screenY) {
    POINT p{screenX, screenY};
    ::ScreenToClient(Grip.Handle(), &p);
    ::SendMessageW(Grip.Handle(), msg, keys, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
  }
  POINT GripCentre() {
    POINT p{6, 6};
    ::ClientToScreen(Grip.Handle(), &p);
    return p;
  }
  SIZE FormSize() {
    RECT r;
    ::GetWindowRect(Form.Handle(), &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
  }
  void ExpectInCorner() {
    RECT client;
    ::GetClientRect(Panel.Handle(), &client);
    RECT r;
    ::GetWindowRect(Grip.Handle(), &r);
    ::MapWindowPoints(nullptr, Panel.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.right, client.right - 2);
    EXPECT_EQ(r.bottom, client.bottom - 2);
    EXPECT_EQ(r.right - r.left, 12);
    EXPECT_EQ(r.bottom - r.top, 12);
  }

  fw::TForm Form;
  fw::TPanel Panel;
  TSizeGripVel Grip;
};

TEST_F(SizeGripVelTest, SitsTwoPixelsInFromTheCornerWithTheSizingCursor) {
  ExpectInCorner();
  EXPECT_EQ(Grip.Cursor(), ::LoadCursorW(nullptr, IDC_SIZENWSE));
  EXPECT_TRUE(Grip.Transparent());
  EXPECT_EQ(Grip.TransparentColor(), RGB(192, 192, 192));
}

TEST_F(SizeGripVelTest, RidgesTakeTheHighlightAndShadowColours) {
  ASSERT_EQ(Grip.PictureWidth(), 12);
  ASSERT_EQ(Grip.PictureHeight(), 12);
  const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
  // Per ridge along x + y = 12, 16, 20 a highlight line, then two shadow lines.
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const int o = x + y - 11;
      const COLORREF expected = o < 1 || o % 4 == 0 ? RGB(192, 192, 192) : o % 4 == 1 ? highlight : shadow;
      ASSERT_EQ(BitmapPixel(Grip.Picture(), x, y), expected) << x << "," << y;
    }
}

TEST_F(SizeGripVelTest, FollowsASystemColourChange) {
  const INT elements[2] = {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
  const COLORREF old[2] = {::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW)};
  const COLORREF scheme[2] = {RGB(250, 240, 10), RGB(20, 30, 140)};
  ASSERT_TRUE(::SetSysColors(2, elements, scheme));
  fw::Application().ProcessMessages();
  const COLORREF white = BitmapPixel(Grip.Picture(), 11, 9), grey = BitmapPixel(Grip.Picture(), 11, 11);
  ::SetSysColors(2, elements, old);
  fw::Application().ProcessMessages();
  EXPECT_EQ(white, scheme[0]);
  EXPECT_EQ(grey, scheme[1]);
  EXPECT_EQ(BitmapPixel(Grip.Picture(), 11, 9), old[0]);
}

TEST_F(SizeGripVelTest, DragResizesTheFormByExactlyThePointerTravel) {
  const SIZE before = FormSize();
  const POINT p = GripCentre();
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
  EXPECT_EQ(::GetCapture(), Grip.Handle());
  for (int i = 1; i <= 10; ++i) Mouse(WM_MOUSEMOVE, MK_LBUTTON, p.x + 3 * i, p.y + 2 * i);
  Mouse(WM_LBUTTONUP, 0, p.x + 30, p.y + 20);
  EXPECT_EQ(::GetCapture(), nullptr);
  const SIZE after = FormSize();
  EXPECT_EQ(after.cx - before.cx, 30);
  EXPECT_EQ(after.cy - before.cy, 20);
  ExpectInCorner();
  // Released: moves over the grip change nothing.
  Mouse(WM_MOUSEMOVE, 0, p.x + 60, p.y + 60);
  EXPECT_EQ(FormSize().cx, after.cx);
}

TEST_F(SizeGripVelTest, KeepsResizingOutsideTheWindowAndShrinks) {
  const SIZE before = FormSize();
  const POINT p = GripCentre();
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, p.x + 400, p.y + 300);
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, p.x - 50, p.y - 40);
  Mouse(WM_LBUTTONUP, 0, p.x - 50, p.y - 40);
  EXPECT_EQ(FormSize().cx, before.cx - 50);
  EXPECT_EQ(FormSize().cy, before.cy - 40);
}

TEST_F(SizeGripVelTest, RightButtonDragsWithoutCapture) {
  const SIZE before = FormSize();
  const POINT p = GripCentre();
  Mouse(WM_RBUTTONDOWN, MK_RBUTTON, p.x, p.y);
  EXPECT_EQ(::GetCapture(), nullptr);
  Mouse(WM_MOUSEMOVE, MK_RBUTTON, p.x + 5, p.y + 4);
  Mouse(WM_RBUTTONUP, 0, p.x + 5, p.y + 4);
  EXPECT_EQ(FormSize().cx, before.cx + 5);
  EXPECT_EQ(FormSize().cy, before.cy + 4);
  EXPECT_FALSE(Grip.Dragging());
}

TEST(SizeGripVel, AnOwnerThatIsNoFormFailsAtThePress) {
  fw::TForm form;
  form.SetBounds(0, 0, 100, 100);
  form.Create(nullptr, WS_POPUP);
  fw::TPanel panel;
  panel.SetAlign(fw::TAlign::alClient);
  panel.Create(&form);
  TSizeGripVel grip;
  grip.Create(&panel, &panel);
  auto* old = fw::Application().OnExceptionHook;
  fw::Application().OnExceptionHook = RecordError;
  gLastError.clear();
  ::SendMessageW(grip.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  fw::Application().OnExceptionHook = old;
  EXPECT_EQ(gLastError, L"Invalid class typecast");
  EXPECT_FALSE(grip.Dragging());
}

}  // namespace
