// The edit-trackbar with real windows and messages: the position and its
// text, stepping by keys and spin buttons with the auto-repeat, the layout
// of the three buttons, and the pop-up track bar.
#include "controls/uEditTrackBarVel.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/uTrackBarVel.h"
#include "core/support/uUserError.h"
#include "tests/win/EditTestSupport.h"

namespace {

class EditTrackBarVelTest : public testing::Test {
 protected:
  void SetUp() override {
    Edit.SetBounds(10, 10, 60, 21);
    Edit.SetMax(255);
    Edit.Create(&Host.Panel);
    Other.SetBounds(10, 40, 60, 21);
    Other.Create(&Host.Panel);
  }

  // Records the events in the order they fire.
  void Record() {
    Edit.OnChanging = [this](fw::TObject*, const std::wstring&, const std::wstring&, bool&) {
      Events.push_back("changing");
    };
    Edit.OnChange = [this](fw::TObject*) { Events.push_back("change " + Narrow(Edit.Text())); };
    Edit.OnClick = [this](fw::TObject*) { Events.push_back("click"); };
    Edit.OnModifyStart = [this](fw::TObject*) { Events.push_back("start"); };
    Edit.OnModifyEnd = [this](fw::TObject*) { Events.push_back("end"); };
  }
  static std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }
  HWND Wnd() { return Edit.Handle(); }
  // The buttons are the edit's: a press on one is a press on the edit at its place.
  static LPARAM On(const TSpeedButtonVel& b, int x = 3, int y = 3) { return MAKELPARAM(b.Left() + x, b.Top() + y); }
  void PressTrackBarButton(int x = 5, int y = 5) {
    ::SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, On(Edit.Button(), x, y));
    ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, On(Edit.Button(), x, y));
  }
  std::vector<std::wstring> LabelTexts(TfrmPopup& popup) {
    std::vector<std::wstring> texts;
    for (const auto& label : popup.Labels()) texts.push_back(label->Text());
    return texts;
  }

  THostForm Host;
  TEditTrackBarVel Edit;
  TEditTrackBarVel Other;
  std::vector<std::string> Events;
  TBeepCounter Beeps;
};

TEST(EditTrackBarVelCreation, ValuesAtCreation) {
  THostForm host;
  TEditTrackBarVel e;
  e.Create(&host.Panel);
  EXPECT_EQ(e.Precision(), 1.0);
  EXPECT_EQ(e.Position(), 0.0);
  EXPECT_EQ(e.Min(), 0.0);
  EXPECT_EQ(e.Max(), 100.0);
  EXPECT_EQ(e.LineSize(), 1.0);
  EXPECT_EQ(e.PageSize(), 5.0);
  EXPECT_EQ(e.TrackBarMin(), 0.0);
  EXPECT_EQ(e.TrackBarMax(), 0.0);
  EXPECT_FALSE(e.Wrap());
  EXPECT_FALSE(e.Hex());
  EXPECT_EQ(e.TrackBarStyle(), etbvsNormal);
  EXPECT_EQ(e.Buttons(), (TEditTrackBarVelButtons{etbvbUpDown, etbvbTrackBar}));
  // Nothing assigned yet: no text and no filter.
  EXPECT_EQ(e.Text(), L"");
  EXPECT_EQ(e.InputKind(), 0);
  EXPECT_TRUE(e.MultiLine());
}

TEST_F(EditTrackBarVelTest, SettingPositionFiresOnChangeOnceAndNeverOnChanging) {
  Record();
  struct {
    double Value;
    const char* Text;
  } cases[] = {{12.3, "12"}, {12.5, "13"}, {300, "255"}, {-4, "0"}, {254.5, "255"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Value);
    Edit.SetPosition(100);
    Events.clear();
    Edit.SetPosition(c.Value);
    EXPECT_EQ(Events, (std::vector<std::string>{std::string("change ") + c.Text}));
  }
  Events.clear();
  Edit.SetPosition(255);  // the same text
  EXPECT_TRUE(Events.empty());
}

TEST_F(EditTrackBarVelTest, NegativeHalvesRoundAwayFromZero) {
  Edit.SetMin(-100);
  Edit.SetPosition(-12.5);
  EXPECT_EQ(Edit.Position(), -13);
  EXPECT_EQ(Edit.Text(), L"-13");
}

TEST_F(EditTrackBarVelTest, PrecisionOtherThanOneOnHexRaisesTheErrorAndChangesNothing) {
  Edit.SetHex(true);
  try {
    Edit.SetPrecision(0.5);
    FAIL() << "no error";
  } catch (const EUserError& e) {
    EXPECT_EQ(e.Message(), L"TCustomEditTrackBarVel.SetPrecision: (Value <> 1) and (Hex)");
  }
  EXPECT_EQ(Edit.Precision(), 1.0);
}

TEST_F(EditTrackBarVelTest, HexResetsPrecisionAndShowsUpperCaseDigits) {
  Edit.SetPrecision(0.5);
  Edit.SetPosition(2.5);
  EXPECT_EQ(Edit.Text(), L"2" + std::wstring(1, UserDecimalSeparator()) + L"5");
  Edit.SetHex(true);
  EXPECT_EQ(Edit.Precision(), 1.0);
  EXPECT_EQ(Edit.Position(), 3.0);
  EXPECT_EQ(Edit.Text(), L"3");
  Edit.SetPosition(255);
  EXPECT_EQ(Edit.Text(), L"FF");
  EXPECT_EQ(Edit.InputKind(), 5);
  // Typed hexadecimal: lower case goes in upper case, g is refused.
  Edit.SetText(L"");
  TypeChars(Wnd(), L"1fg");
  EXPECT_EQ(Edit.Text(), L"1F");
  EXPECT_EQ(Edit.Position(), 31.0);
  EXPECT_EQ(Beeps.Beeps(), 1);
}

TEST_F(EditTrackBarVelTest, InputKindFollowsPrecisionMinAndHex) {
  struct {
    double Precision, Min;
    bool Hex;
    int Kind;
  } cases[] = {{1, 0, false, 2}, {1, -5, false, 1}, {0.5, 0, false, 4}, {0.5, -5, false, 3}, {1, 0, true, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Precision << " " << c.Min << " " << c.Hex);
    Edit.SetHex(false);
    Edit.SetPrecision(c.Precision);
    Edit.SetMin(c.Min);
    Edit.SetHex(c.Hex);
    EXPECT_EQ(Edit.InputKind(), c.Kind);
  }
}

TEST_F(EditTrackBarVelTest, TypedNumberBeyondMaxStaysOnScreenWhilePositionIsClamped) {
  Record();
  Edit.SetText(L"");
  Events.clear();
  TypeChars(Wnd(), L"300");
  EXPECT_EQ(Edit.Text(), L"300");
  EXPECT_EQ(Edit.Position(), 255.0);
  EXPECT_EQ(Events,
            (std::vector<std::string>{"changing", "change 3", "changing", "change 30", "changing", "change 300"}));
  // The next step starts from the clamped value.
  PressKey(Wnd(), VK_DOWN);
  EXPECT_EQ(Edit.Text(), L"254");
}

TEST_F(EditTrackBarVelTest, EmptyOrPartialTextLeavesThePosition) {
  Edit.SetMin(-100);
  Edit.SetPosition(42);
  Edit.SetText(L"");
  EXPECT_EQ(Edit.Position(), 42.0);
  TypeChars(Wnd(), L"-");
  EXPECT_EQ(Edit.Text(), L"-");
  EXPECT_EQ(Edit.Position(), 42.0);
  TypeChars(Wnd(), L"7");
  EXPECT_EQ(Edit.Position(), -7.0);
}

TEST_F(EditTrackBarVelTest, KeysStepToTheNextMultipleAndClampOrWrap) {
  struct {
    double From;
    WORD Key;
    bool Wrap;
    double To;
  } cases[] = {
      {253, VK_PRIOR, false, 255}, {255, VK_PRIOR, false, 255}, {255, VK_PRIOR, true, 0},
      {7, VK_NEXT, false, 5},      {7, VK_DOWN, false, 6},      {0, VK_DOWN, false, 0},
      {0, VK_DOWN, true, 255},     {7, VK_UP, false, 8},        {5, VK_NEXT, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.From << " key " << c.Key << " wrap " << c.Wrap);
    Edit.SetWrap(c.Wrap);
    Edit.SetPosition(c.From);
    PressKey(Wnd(), c.Key);
    EXPECT_EQ(Edit.Position(), c.To);
  }
}

TEST_F(EditTrackBarVelTest, KeysStepWithCtrlButNotWithShiftOrAlt) {
  struct {
    bool Shift, Ctrl, Alt;
    double To;
  } cases[] = {{false, false, false, 11},
               {false, true, false, 11},
               {true, false, false, 10},
               {false, false, true, 10},
               {true, true, false, 10}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Shift << c.Ctrl << c.Alt);
    Edit.SetPosition(10);
    TModifiersHeld held(c.Shift, c.Ctrl, c.Alt);
    PressKey(Wnd(), VK_UP);
    EXPECT_EQ(Edit.Position(), c.To);
  }
}

TEST_F(EditTrackBarVelTest, HeldKeyIsOneModificationRun) {
  Edit.SetPosition(10);
  Record();
  ::SendMessageW(Wnd(), WM_KEYDOWN, VK_UP, 1);
  ::SendMessageW(Wnd(), WM_KEYDOWN, VK_UP, 0x40000001);  // auto-repeat
  EXPECT_TRUE(Edit.Modifying());
  ::SendMessageW(Wnd(), WM_KEYUP, VK_UP, static_cast<LPARAM>(0xC0000001u));
  EXPECT_EQ(Events, (std::vector<std::string>{"start", "change 11", "click", "change 12", "click", "end"}));
  EXPECT_FALSE(Edit.Modifying());
  EXPECT_EQ(Edit.SelStart(), 2);
}

TEST_F(EditTrackBarVelTest, SpinButtonStepsAtThePressAndRepeatsOnlyWhileHeldOnIt) {
  Edit.SetPosition(10);
  Record();
  TTimerSpeedButtonVel& up = Edit.UpButton();
  HWND b = Wnd();
  const UINT_PTR timer = up.TimerId();
  EXPECT_EQ(up.RepeatTimer(), nullptr);
  ::SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, On(up));
  EXPECT_EQ(Edit.Position(), 11.0);
  ASSERT_NE(up.RepeatTimer(), nullptr);
  EXPECT_TRUE(up.RepeatTimer()->Enabled());
  EXPECT_EQ(up.RepeatTimer()->Interval(), 400u);
  EXPECT_EQ(::GetCapture(), b);

  ::SendMessageW(b, WM_TIMER, timer, 0);
  EXPECT_EQ(Edit.Position(), 12.0);
  EXPECT_EQ(up.RepeatTimer()->Interval(), 100u);
  // Off the button (onto its neighbour below, then the text): drawn up, no
  // steps; back on it: steps again.
  for (LPARAM off : {On(Edit.DownButton()), On(up, -20, 3)}) {
    ::SendMessageW(b, WM_MOUSEMOVE, MK_LBUTTON, off);
    EXPECT_EQ(up.State(), fw::TButtonState::bsUp);
    ::SendMessageW(b, WM_TIMER, timer, 0);
    EXPECT_EQ(Edit.Position(), 12.0);
  }
  // The other button's timer is not this one's.
  ::SendMessageW(b, WM_MOUSEMOVE, MK_LBUTTON, On(up));
  ::SendMessageW(b, WM_TIMER, Edit.DownButton().TimerId(), 0);
  EXPECT_EQ(Edit.Position(), 12.0);
  ::SendMessageW(b, WM_TIMER, timer, 0);
  EXPECT_EQ(Edit.Position(), 13.0);

  ::SendMessageW(b, WM_LBUTTONUP, 0, On(up));
  EXPECT_EQ(Edit.Position(), 13.0) << "the release adds no step";
  EXPECT_FALSE(up.RepeatTimer()->Enabled());
  EXPECT_NE(::GetCapture(), b);
  EXPECT_EQ(Events, (std::vector<std::string>{"start", "change 11", "click", "change 12", "click", "change 13", "click",
                                              "end"}));
}

TEST_F(EditTrackBarVelTest, DownSpinButtonAndWrap) {
  Edit.SetWrap(true);
  Edit.SetPosition(0);
  ::SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, On(Edit.DownButton()));
  ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, On(Edit.DownButton()));
  EXPECT_EQ(Edit.Position(), 255.0);
}

TEST_F(EditTrackBarVelTest, LostCaptureEndsTheRepeatAndTheRun) {
  Record();
  ::SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, On(Edit.UpButton()));
  ::ReleaseCapture();
  EXPECT_FALSE(Edit.UpButton().RepeatTimer()->Enabled());
  EXPECT_EQ(Edit.UpButton().State(), fw::TButtonState::bsUp);
  EXPECT_FALSE(Edit.Modifying());
  EXPECT_EQ(Events.back(), "end");
}

TEST_F(EditTrackBarVelTest, ThreeButtonsStandInsideTheRightEdgeAndTheTextKeepsClearOfThem) {
  auto bounds = [](const TSpeedButtonVel& b) {
    return std::vector<int>{b.Left(), b.Top(), b.Left() + b.Width(), b.Top() + b.Height()};
  };
  // Where the text ends: at the buttons, less the edit's own margin of a
  // pixel or two, which it keeps inside the rectangle it is given.
  auto formatRight = [this] {
    RECT r{};
    ::SendMessageW(Wnd(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.right;
  };
  auto atButtons = [](int right, int buttons) { return right <= buttons && right >= buttons - 2; };
  // 60 x 21 outside: 56 x 17 inside the border.
  EXPECT_EQ(bounds(Edit.Button()), (std::vector<int>{44, 0, 56, 17}));
  EXPECT_EQ(bounds(Edit.UpButton()), (std::vector<int>{32, 0, 44, 8}));
  EXPECT_EQ(bounds(Edit.DownButton()), (std::vector<int>{32, 8, 44, 17}));
  EXPECT_TRUE(atButtons(formatRight(), 32)) << formatRight();

  Edit.SetPosition(77);
  HWND previous = ::GetWindow(Wnd(), GW_HWNDPREV);
  Edit.SetButtons({etbvbUpDown});
  EXPECT_EQ(::GetWindow(Wnd(), GW_HWNDPREV), previous);
  EXPECT_EQ(Edit.Text(), L"77");
  EXPECT_TRUE(Edit.MultiLine());
  EXPECT_EQ(bounds(Edit.UpButton()), (std::vector<int>{44, 0, 56, 8}));
  EXPECT_TRUE(atButtons(formatRight(), 44)) << formatRight();
  EXPECT_FALSE(Edit.Button().Visible());
  EXPECT_EQ(Edit.ButtonAt(50, 3), &Edit.UpButton()) << "the hidden button takes no press";

  Edit.SetButtons({});
  EXPECT_FALSE(Edit.MultiLine());
  EXPECT_FALSE(Edit.UpButton().Visible());
  EXPECT_EQ(Edit.ButtonAt(50, 3), nullptr);
  EXPECT_EQ(Edit.Text(), L"77");

  Edit.SetButtons({etbvbUpDown, etbvbTrackBar});
  EXPECT_TRUE(Edit.Button().Visible());
  EXPECT_TRUE(atButtons(formatRight(), 32)) << formatRight();
  EXPECT_EQ(::GetWindow(Wnd(), GW_CHILD), nullptr);
  // The re-created window still steps, by key and by button, and still filters.
  PressKey(Wnd(), VK_UP);
  EXPECT_EQ(Edit.Text(), L"78");
  ::SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, On(Edit.UpButton()));
  ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, On(Edit.UpButton()));
  EXPECT_EQ(Edit.Text(), L"79");
  TypeChars(Wnd(), L"x");
  EXPECT_EQ(Beeps.Beeps(), 1);
}

TEST_F(EditTrackBarVelTest, LogarithmicStyleMovesMinAboveZero) {
  Edit.SetPrecision(0.5);
  Edit.SetTrackBarStyle(etbvsExp1);
  EXPECT_EQ(Edit.Min(), 0.5);
  Edit.SetMin(3);
  Edit.SetTrackBarStyle(etbvsExp2);
  EXPECT_EQ(Edit.Min(), 3.0);
}

TEST_F(EditTrackBarVelTest, MinAboveMaxMovesMaxAndTheOtherWayRound) {
  Edit.SetPosition(100);
  Edit.SetMin(300);
  EXPECT_EQ(Edit.Max(), 300.0);
  EXPECT_EQ(Edit.Position(), 300.0);
  Edit.SetMax(-5);
  EXPECT_EQ(Edit.Min(), -5.0);
  EXPECT_EQ(Edit.Text(), L"-5");
  Edit.SetTrackBarMax(10);
  Edit.SetTrackBarMin(20);
  EXPECT_EQ(Edit.TrackBarMax(), 20.0);
}

// ---- the buttons on screen, drawn by the edit

// Pixels of the edit's client area as the screen shows them, once what was
// drawn has reached it: Wine hands a window's drawing to X in batches, at
// the latest when the thread next looks for messages after a while.
class TScreenPixels {
 public:
  explicit TScreenPixels(HWND wnd) : FWnd(wnd), FScreen(::GetDC(nullptr)) {
    ::UpdateWindow(wnd);
    fw::Application().ProcessMessages();
    ::Sleep(60);
    fw::Application().ProcessMessages();
  }
  ~TScreenPixels() { ::ReleaseDC(nullptr, FScreen); }
  TScreenPixels(const TScreenPixels&) = delete;
  TScreenPixels& operator=(const TScreenPixels&) = delete;
  COLORREF At(int x, int y) const {
    POINT p{x, y};
    ::ClientToScreen(FWnd, &p);
    return ::GetPixel(FScreen, p.x, p.y);
  }

 private:
  HWND FWnd;
  HDC FScreen;
};

struct TPixel {
  const char* What;
  int X, Y;  // in the 60 x 21 edit's client area
  int SysColor;  // -1: the glyphs' black ink
};

// The spin buttons (32..44 wide, split at 8) and the track-bar button
// (44..56) with their raised frames and their glyphs centred in them.
const std::vector<TPixel> kButtonPixels = {
    {"up: frame top-left", 32, 0, COLOR_BTNHIGHLIGHT},
    {"up: frame bottom-right", 43, 7, COLOR_BTNSHADOW},
    {"up: face", 33, 1, COLOR_BTNFACE},
    {"up: triangle tip", 37, 2, -1},
    {"up: triangle base", 35, 4, -1},
    {"up: beside the tip", 36, 2, COLOR_BTNFACE},
    {"down: frame top-left", 32, 8, COLOR_BTNHIGHLIGHT},
    {"down: frame bottom-right", 43, 16, COLOR_BTNSHADOW},
    {"down: triangle base", 35, 11, -1},
    {"down: triangle tip", 38, 13, -1},
    {"track bar: bar", 49, 4, -1},
    {"track bar: arrows", 45, 8, -1},
    {"track bar: face", 46, 5, COLOR_BTNFACE},
    {"track bar: frame bottom-right", 55, 16, COLOR_BTNSHADOW},
};

void ExpectButtonPixels(HWND edit, const char* when) {
  TScreenPixels screen(edit);
  for (const TPixel& p : kButtonPixels) {
    const COLORREF expected = p.SysColor < 0 ? RGB(0, 0, 0) : ::GetSysColor(p.SysColor);
    EXPECT_EQ(screen.At(p.X, p.Y), expected) << when << ": " << p.What;
  }
}

TEST_F(EditTrackBarVelTest, ButtonsShowThroughEveryPaintOfTheEdit) {
  Host.Show();
  Edit.SetPosition(123);
  ::RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  ExpectButtonPixels(Wnd(), "shown");
  // A new text repaints the whole edit; the focus repaints its (themed) frame.
  Edit.SetPosition(7);
  ExpectButtonPixels(Wnd(), "new text");
  Edit.SetFocus();
  fw::Application().ProcessMessages();
  ExpectButtonPixels(Wnd(), "focused");
  // The text itself is the edit's: dark ink left of the buttons, none under them.
  TScreenPixels screen(Wnd());
  bool ink = false;
  for (int x = 0; x < 32 && !ink; ++x)
    for (int y = 0; y < 17 && !ink; ++y) ink = screen.At(x, y) == RGB(0, 0, 0);
  EXPECT_TRUE(ink) << "the text 7 is drawn";
}

TEST_F(EditTrackBarVelTest, PressedButtonIsSunkenWithItsGlyphOnePixelDownRight) {
  Host.Show();
  ::SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, On(Edit.UpButton()));
  TScreenPixels screen(Wnd());
  EXPECT_EQ(screen.At(32, 0), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(screen.At(43, 7), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(screen.At(38, 3), RGB(0, 0, 0));
  EXPECT_EQ(screen.At(37, 2), ::GetSysColor(COLOR_BTNFACE));
  ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, On(Edit.UpButton()));
  TScreenPixels released(Wnd());
  EXPECT_EQ(released.At(32, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(released.At(37, 2), RGB(0, 0, 0));
}

TEST_F(EditTrackBarVelTest, DisabledEditEmbossesTheGlyphsAndTakesNoPress) {
  Host.Show();
  Edit.SetPosition(5);
  Edit.SetEnabled(false);
  TScreenPixels screen(Wnd());
  EXPECT_EQ(screen.At(37, 2), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(screen.At(49, 4), ::GetSysColor(COLOR_BTNSHADOW));
  for (TSpeedButtonVel* b : {&Edit.Button(), static_cast<TSpeedButtonVel*>(&Edit.UpButton())})
    EXPECT_EQ(b->State(), fw::TButtonState::bsDisabled);
  // Even a press sent to the window: the buttons are off.
  ::SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, On(Edit.UpButton()));
  ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, On(Edit.UpButton()));
  EXPECT_EQ(Edit.Position(), 5.0);
  Edit.SetEnabled(true);
  EXPECT_EQ(Edit.UpButton().State(), fw::TButtonState::bsUp);
}

TEST_F(EditTrackBarVelTest, ADoubleClickOnASpinButtonStepsTwiceAndAnotherButtonsPressOnce) {
  Edit.SetPosition(10);
  const LPARAM up = On(Edit.UpButton());
  ::SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, up);
  ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, up);
  ::SendMessageW(Wnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, up);
  ::SendMessageW(Wnd(), WM_LBUTTONUP, 0, up);
  EXPECT_EQ(Edit.Position(), 12.0);
  Record();
  // The middle button steps at its press; only the left one holds a button
  // down, so the repeat does not step.
  ::SendMessageW(Wnd(), WM_MBUTTONDOWN, MK_MBUTTON, up);
  EXPECT_EQ(Edit.Position(), 13.0);
  EXPECT_NE(::GetCapture(), Wnd());
  ::SendMessageW(Wnd(), WM_TIMER, Edit.UpButton().TimerId(), 0);
  EXPECT_EQ(Edit.Position(), 13.0);
  EXPECT_TRUE(Edit.Modifying());
  ::SendMessageW(Wnd(), WM_MBUTTONUP, 0, up);
  EXPECT_FALSE(Edit.Modifying()) << "its release on the button ends the run";
  EXPECT_FALSE(Edit.UpButton().RepeatTimer()->Enabled());
  EXPECT_EQ(Events, (std::vector<std::string>{"start", "change 13", "click", "end"}));
}

TEST_F(EditTrackBarVelTest, TheArrowCursorShowsOverTheButtonsOnly) {
  Host.Show();
  HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
  auto cursorAt = [&](int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(Wnd(), &p);
    ::SetCursorPos(p.x, p.y);
    // The position of the last message read is the one WM_SETCURSOR asks about.
    ::PostMessageW(Wnd(), WM_NULL, 0, 0);
    fw::Application().ProcessMessages();
    ::SendMessageW(Wnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Wnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
  };
  EXPECT_EQ(cursorAt(36, 3), arrow);
  EXPECT_EQ(cursorAt(50, 12), arrow);
  EXPECT_EQ(cursorAt(10, 8), ::LoadCursorW(nullptr, IDC_IBEAM));
}

// ---- the pop-up track bar

TEST_F(EditTrackBarVelTest, QuickClickOpensAndClosesThePopupWithoutAChange) {
  Host.Show();
  Edit.SetPosition(100);
  Record();
  std::vector<std::wstring> labels;
  std::vector<int> ticks;
  int trackWidth = 0, clientWidth = 0, clientHeight = 0;
  Edit.OnPopupShown = [&](fw::TObject*) {
    TfrmPopup& p = *Edit.Popup();
    labels = LabelTexts(p);
    ticks = p.Ticks();
    trackWidth = p.TrackBar.Width();
    clientWidth = p.ClientWidth();
    clientHeight = p.ClientHeight();
    EXPECT_EQ(p.TrackBar.Position(), 100);
    EXPECT_EQ(static_cast<int>(::SendMessageW(p.TrackBar.Handle(), TBM_GETNUMTICS, 0, 0)), 4 + 2);
  };
  PressTrackBarButton();
  EXPECT_EQ(labels, (std::vector<std::wstring>{L"0", L"50", L"100", L"150", L"200", L"255"}));
  EXPECT_EQ(ticks, (std::vector<int>{50, 100, 150, 200}));
  EXPECT_EQ(trackWidth, 256 + 16);
  EXPECT_EQ(clientWidth, 256 + 24);
  EXPECT_EQ(clientHeight, 37);
  EXPECT_EQ(Edit.Popup(), nullptr);
  EXPECT_EQ(Edit.Position(), 100.0);
  EXPECT_EQ(Events, (std::vector<std::string>{"start", "end"}));
  EXPECT_TRUE(Edit.Focused());
  EXPECT_EQ(Edit.Button().State(), fw::TButtonState::bsUp);
  EXPECT_TRUE(::IsWindowEnabled(Host.Form.Handle()));
}

TEST_F(EditTrackBarVelTest, LabelsOfOtherRanges) {
  struct {
    double Max;
    std::vector<std::wstring> Labels;
    int TrackWidth;
  } cases[] = {
      {100, {L"0", L"20", L"40", L"60", L"80", L"100"}, 202 + 16},
      {360, {L"0", L"100", L"200", L"300", L"360"}, 256 + 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Max);
    Edit.SetMax(c.Max);
    std::vector<std::wstring> labels;
    int width = 0;
    Edit.OnPopupShown = [&](fw::TObject*) {
      labels = LabelTexts(*Edit.Popup());
      width = Edit.Popup()->TrackBar.Width();
    };
    PressTrackBarButton();
    EXPECT_EQ(labels, c.Labels);
    EXPECT_EQ(width, c.TrackWidth);
  }
}

TEST_F(EditTrackBarVelTest, DraggingThePopupThumbSetsThePositionAndEndsAtTheRelease) {
  Host.Show();
  Edit.SetPosition(0);
  Record();
  bool focusKept = false;
  Edit.OnPopupShown = [&](fw::TObject*) {
    TfrmPopup& p = *Edit.Popup();
    p.SetModalResult(TfrmPopup::mrNone);  // the test holds the button
    HWND tb = p.TrackBar.Handle();
    const RECT channel = p.TrackBar.ChannelRect();
    const int y = (channel.top + channel.bottom) / 2;
    ::SendMessageW(tb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(8 + 128, y));
    ::SendMessageW(tb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.TrackBar.Width() + 40, y));
    focusKept = Edit.Entered();
    ::SendMessageW(tb, WM_LBUTTONUP, 0, MAKELPARAM(p.TrackBar.Width() + 40, y));
    EXPECT_EQ(p.ModalResult(), TfrmPopup::mrOk);
  };
  PressTrackBarButton();
  EXPECT_EQ(Edit.Position(), 255.0);
  EXPECT_EQ(Edit.Text(), L"255");
  ASSERT_GE(Events.size(), 4u);
  EXPECT_EQ(Events.front(), "start");
  EXPECT_EQ(Events[Events.size() - 3], "change 255");
  EXPECT_EQ(Events[Events.size() - 2], "click");
  EXPECT_EQ(Events.back(), "end");
  EXPECT_TRUE(focusKept);
}

TEST_F(EditTrackBarVelTest, DeactivationClosesThePopup) {
  Host.Show();
  int shown = 0;
  Edit.OnPopupShown = [&](fw::TObject*) {
    ++shown;
    TfrmPopup& p = *Edit.Popup();
    p.SetModalResult(TfrmPopup::mrNone);
    ::SendMessageW(p.Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  };
  PressTrackBarButton();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(Edit.Popup(), nullptr);
}

TEST_F(EditTrackBarVelTest, SingleStepRangeOpensNoPopup) {
  Edit.SetMin(5);
  Edit.SetMax(5);
  Record();
  int shown = 0;
  Edit.OnPopupShown = [&](fw::TObject*) { ++shown; };
  PressTrackBarButton();
  EXPECT_EQ(shown, 0);
  EXPECT_TRUE(Events.empty());
  EXPECT_EQ(Edit.Button().State(), fw::TButtonState::bsUp);
}

TEST_F(EditTrackBarVelTest, PopupStaysInsideTheWorkAreaWithTheThumbUnderThePointer) {
  RECT work;
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  struct {
    const char* Where;
    int FormLeft, FormTop;
  } cases[] = {{"right edge", work.right - 80, 300}, {"bottom edge", 300, work.bottom - 40}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Where);
    Host.Form.SetBounds(c.FormLeft, c.FormTop, 80, 40);
    Edit.SetPosition(128);
    RECT popup{}, edit{};
    Edit.OnPopupShown = [&](fw::TObject*) { ::GetWindowRect(Edit.Popup()->Handle(), &popup); };
    PressTrackBarButton();
    ::GetWindowRect(Wnd(), &edit);
    EXPECT_LE(popup.right, work.right);
    EXPECT_GE(popup.left, work.left);
    EXPECT_LE(popup.bottom, work.bottom);
    if (c.FormTop > 300) {
      EXPECT_LT(popup.top, edit.top) << "opens above the edit";
    }
  }
}

}  // namespace
