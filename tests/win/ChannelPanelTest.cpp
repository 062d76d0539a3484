// The main window's channel editor panel on a real (hidden) TfrmTintra:
// the update paths, typing into the editors and the swatch.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/ufrmTintra.h"
#include "core/support/uUserError.h"
#include "tests/win/DibCanvas.h"
#include "tests/win/EditTestSupport.h"

namespace {

using TTexts = std::array<std::wstring, ColorFactorCount>;

class ChannelPanelTest : public testing::Test {
 protected:
  void SetUp() override {
    Form.CreateForm();
    Form.ChannelPanel.UpdateFromRGB();
  }

  TTexts Texts() {
    TTexts t;
    for (int i = 0; i < ColorFactorCount; ++i) t[static_cast<size_t>(i)] = Form.ChannelPanel.FactorEditor(i).Text();
    return t;
  }
  // Types into an editor as the user does: the whole text selected first.
  void TypeInto(TEditTrackBarVel& editor, const std::wstring& text) {
    ::SendMessageW(editor.Handle(), EM_SETSEL, 0, -1);
    TypeChars(editor.Handle(), text);
  }
  void Clear(TEditTrackBarVel& editor) {
    ::SendMessageW(editor.Handle(), EM_SETSEL, 0, -1);
    TypeChars(editor.Handle(), L"\b");
  }
  TColorFactors& F() { return Form.ChannelPanel.Factors(); }

  TfrmTintra Form;
  TBeepCounter Beeps;
};

TEST_F(ChannelPanelTest, EditorsAreLaidOutAsDesigned) {
  struct {
    TEditTrackBarVel* Editor;
    const wchar_t* Label;
    int Left, Top, Max;
  } table[] = {
      {&Form.ChannelPanel.edtRed, L"赤：", 40, 92, 255},
      {&Form.ChannelPanel.edtGrn, L"緑：", 40, 116, 255},
      {&Form.ChannelPanel.edtBlu, L"青：", 40, 140, 255},
      {&Form.ChannelPanel.edtHue, L"色相：", 40, 172, 360},
      {&Form.ChannelPanel.edtSat, L"彩度：", 40, 196, 100},
      {&Form.ChannelPanel.edtBri, L"明度：", 40, 220, 100},
      {&Form.ChannelPanel.edtHSLHue, L"色相：", 144, 172, 360},
      {&Form.ChannelPanel.edtHSLSat, L"彩度：", 144, 196, 100},
      {&Form.ChannelPanel.edtHSLBri, L"輝度：", 144, 220, 100},
      {&Form.ChannelPanel.edtY, L"Y：", 143, 92, 255},
      {&Form.ChannelPanel.edtCb, L"Cb：", 143, 116, 255},
      {&Form.ChannelPanel.edtCr, L"Cr：", 143, 140, 255},
  };
  HWND previous = nullptr;
  for (int i = 0; i < ColorFactorCount; ++i) {
    const auto& row = table[i];
    TEditTrackBarVel& e = *row.Editor;
    SCOPED_TRACE(i);
    EXPECT_EQ(&Form.ChannelPanel.FactorEditor(i), &e);
    EXPECT_EQ(e.Tag(), i);
    EXPECT_EQ(::GetParent(e.Handle()), ::GetDlgItem(Form.Handle(), ControlIds::Panel2));
    EXPECT_EQ(e.Left(), row.Left);
    EXPECT_EQ(e.Top(), row.Top);
    EXPECT_EQ(e.Width(), 60);
    EXPECT_EQ(e.Height(), 21);
    EXPECT_EQ(e.Max(), row.Max);
    EXPECT_EQ(e.Min(), 0.0);
    EXPECT_EQ(e.MaxLength(), 3);
    EXPECT_FALSE(e.AutoSelect());
    EXPECT_EQ(e.Buttons(), (TEditTrackBarVelButtons{etbvbUpDown, etbvbTrackBar}));
    EXPECT_EQ(e.PageSize(), 5.0);
    const fw::TLabel& label = Form.ChannelPanel.lblFactors[static_cast<size_t>(i)];
    EXPECT_EQ(label.Text(), row.Label);
    EXPECT_EQ(label.Left() + label.Width(), row.Left - 2);
    EXPECT_TRUE(::GetWindowLongPtrW(label.Handle(), GWL_STYLE) & SS_RIGHT);
    // Tab order is the tag order.
    if (previous) {
      EXPECT_EQ(::GetNextDlgTabItem(Form.Handle(), previous, FALSE), e.Handle());
    }
    previous = e.Handle();
  }
  EXPECT_EQ(Form.ChannelPanel.pboxColor.Left(), 40);
  EXPECT_EQ(Form.ChannelPanel.pboxColor.Top(), 42);
  EXPECT_EQ(Form.ChannelPanel.pboxColor.Width(), 41);
  EXPECT_EQ(Form.ChannelPanel.pboxColor.Height(), 42);
  EXPECT_EQ(Form.ChannelPanel.lblColor.Text(), L"色：");
}

TEST_F(ChannelPanelTest, StartsBlackWithNeutralChroma) {
  EXPECT_EQ(Texts(), (TTexts{L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"128", L"128"}));
  EXPECT_EQ(F().Color, 0u);
  EXPECT_EQ(Form.ChannelPanel.Updating(), 0);
}

TEST_F(ChannelPanelTest, SetColorShowsAllTwelveChannels) {
  Form.ChannelPanel.SetColor(0x0000FF);  // pure red
  EXPECT_EQ(Texts(), (TTexts{L"255", L"0", L"0", L"0", L"100", L"100", L"360", L"100", L"50", L"76", L"84", L"255"}));
  EXPECT_EQ(F().HSLHue, 6144);
  EXPECT_EQ(F().Cr, 65280);
  // A failed screen read gives all bits set: white, without the high byte.
  Form.ChannelPanel.SetColor(0xFFFFFFFFu);
  EXPECT_EQ(F().Color, 0xFFFFFFu);
  EXPECT_EQ(Texts()[0], L"255");
  EXPECT_EQ(Texts()[4], L"0");
  EXPECT_EQ(Form.ChannelPanel.Updating(), 0);
}

TEST_F(ChannelPanelTest, SetColorWithTheCurrentColourChangesNothing) {
  Form.ChannelPanel.SetColor(RGB(200, 100, 50));
  TypeInto(Form.ChannelPanel.edtSat, L"50");
  const TColorFactors typed = F();
  const TTexts texts = Texts();
  int changes = 0;
  for (int i = 0; i < ColorFactorCount; ++i) {
    auto& e = Form.ChannelPanel.FactorEditor(i);
    e.OnChange = [&changes](fw::TObject*) { ++changes; };
  }
  Form.ChannelPanel.SetColor(typed.Color);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(Texts(), texts);
  EXPECT_EQ(F().Sat, typed.Sat);
  EXPECT_EQ(F().Hue, typed.Hue);
}

TEST_F(ChannelPanelTest, TypingOneTwoEightIntoTheEmptiedRedEditorUpdatesThreeTimes) {
  Clear(Form.ChannelPanel.edtRed);
  EXPECT_EQ(Texts()[0], L"");
  EXPECT_EQ(F().Red, 0) << "an empty editor leaves the colour";
  std::wstring typed;
  for (int k = 0; k < 3; ++k) {
    typed += L"128"[k];
    TypeChars(Form.ChannelPanel.edtRed.Handle(), std::wstring(1, L"128"[k]));
    SCOPED_TRACE(testing::Message() << "after " << k + 1 << " keys");
    EXPECT_EQ(F().Red, std::stoi(typed));
    // The other channels derived exactly as the colour model does.
    TColorFactors model{};
    model.Red = std::stoi(typed);
    DeriveFromRGB(model);
    TTexts derived;
    for (int i = 0; i < ColorFactorCount; ++i)
      derived[static_cast<size_t>(i)] = std::to_wstring(FactorToShown(i, Factor(model, i)));
    EXPECT_EQ(Texts(), derived);
  }
}

TEST_F(ChannelPanelTest, TypedValueBeyondTheRangeIsLimitedWhileTheEditorKeepsTheDigits) {
  struct {
    TEditTrackBarVel* Editor;
    int Index;
    const wchar_t* Typed;
    int Stored;
  } cases[] = {
      {&Form.ChannelPanel.edtRed, 0, L"300", 255},
      {&Form.ChannelPanel.edtHSLHue, 6, L"999", 6144},
      {&Form.ChannelPanel.edtCb, 10, L"999", 65280},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Index);
    Form.ChannelPanel.SetColor(RGB(10, 20, 30));
    TypeInto(*c.Editor, c.Typed);
    EXPECT_EQ(Factor(F(), c.Index), c.Stored);
    EXPECT_EQ(c.Editor->Text(), c.Typed);
  }
}

TEST_F(ChannelPanelTest, TextThatIsNoWholeNumberLeavesTheColour) {
  Form.ChannelPanel.SetColor(RGB(10, 20, 30));
  const TColorFactors before = F();
  for (const wchar_t* text : {L"", L"1x", L"--", L"99999999999", L" 5"}) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(std::wstring(text).size()));
    // Pasted text is not filtered by the keys.
    Form.ChannelPanel.edtGrn.SetText(text);
    EXPECT_EQ(F().Grn, before.Grn);
    EXPECT_EQ(F().Color, before.Color);
  }
}

TEST_F(ChannelPanelTest, ALetterBeepsAndDoesNotAppear) {
  Form.ChannelPanel.SetColor(RGB(10, 20, 30));
  ::SendMessageW(Form.ChannelPanel.edtBlu.Handle(), EM_SETSEL, 2, 2);
  TypeChars(Form.ChannelPanel.edtBlu.Handle(), L"a");
  EXPECT_EQ(Form.ChannelPanel.edtBlu.Text(), L"30");
  EXPECT_EQ(Beeps.Beeps(), 1);
  TypeChars(Form.ChannelPanel.edtBlu.Handle(), L"\b");
  EXPECT_EQ(Form.ChannelPanel.edtBlu.Text(), L"3");
  EXPECT_EQ(Beeps.Beeps(), 1);
}

TEST_F(ChannelPanelTest, TheSameShownValueArrivingAgainChangesNothing) {
  Form.ChannelPanel.SetColor(RGB(255, 0, 0));
  ASSERT_EQ(Form.ChannelPanel.edtHSLSat.Text(), L"100");
  // The edit reports a change with the text it already showed.
  ::SendMessageW(::GetDlgItem(Form.Handle(), ControlIds::Panel2), WM_COMMAND, MAKEWPARAM(0, EN_CHANGE),
                 reinterpret_cast<LPARAM>(Form.ChannelPanel.edtHSLSat.Handle()));
  EXPECT_EQ(F().Red, 255);
  EXPECT_EQ(F().Grn, 0);
  EXPECT_EQ(F().Blu, 0);
  // Typed afresh it passes through 1 and 10.
  Form.ChannelPanel.SetColor(RGB(255, 0, 0));
  Clear(Form.ChannelPanel.edtHSLSat);
  TypeChars(Form.ChannelPanel.edtHSLSat.Handle(), L"100");
  EXPECT_EQ(F().Red, 255);
  EXPECT_EQ(F().Grn, 1);
  EXPECT_EQ(F().Blu, 1);
}

TEST_F(ChannelPanelTest, HueOnAGreyLeavesRedGreenAndBlue) {
  Form.ChannelPanel.SetColor(RGB(90, 90, 90));
  TypeInto(Form.ChannelPanel.edtHue, L"200");
  EXPECT_EQ(F().Red, 90);
  EXPECT_EQ(F().Grn, 90);
  EXPECT_EQ(F().Blu, 90);
  EXPECT_EQ(Form.ChannelPanel.edtHue.Text(), L"200");
  EXPECT_EQ(F().Hue, 200000);
}

TEST_F(ChannelPanelTest, EditedGroupKeepsItsValuesAndTheOthersFollow) {
  Form.ChannelPanel.SetColor(RGB(255, 128, 0));
  TypeInto(Form.ChannelPanel.edtHue, L"20");
  TypeInto(Form.ChannelPanel.edtSat, L"50");
  TypeInto(Form.ChannelPanel.edtBri, L"78");
  EXPECT_EQ(Form.ChannelPanel.edtHue.Text(), L"20");
  EXPECT_EQ(Form.ChannelPanel.edtSat.Text(), L"50");
  EXPECT_EQ(Form.ChannelPanel.edtBri.Text(), L"78");
  TColorFactors model = F();
  DeriveFromHSV(model);
  EXPECT_EQ(F().Red, model.Red);
  EXPECT_EQ(Form.ChannelPanel.edtRed.Text(), std::to_wstring(model.Red));
  EXPECT_EQ(Form.ChannelPanel.edtY.Text(), std::to_wstring(FactorToShown(9, model.Y)));
}

TEST_F(ChannelPanelTest, WrongTagRaisesTheErrorAndTheCounterRecovers) {
  Form.ChannelPanel.edtRed.SetTag(12);
  try {
    Form.ChannelPanel.edtFactorChange(&Form.ChannelPanel.edtRed);
    FAIL() << "no error";
  } catch (const EUserError& e) {
    EXPECT_EQ(e.Message(), L"TfrmTintra.edtFactorChange:Illegal iIndex");
  }
  EXPECT_EQ(Form.ChannelPanel.Updating(), 0);
  Form.ChannelPanel.edtRed.SetTag(0);
  TypeInto(Form.ChannelPanel.edtRed, L"7");
  EXPECT_EQ(F().Red, 7) << "the panel still hears edits";
}

TEST_F(ChannelPanelTest, SteppingAnEditorUpdatesTheColour) {
  Form.ChannelPanel.SetColor(RGB(100, 0, 0));
  PressKey(Form.ChannelPanel.edtRed.Handle(), VK_PRIOR);
  EXPECT_EQ(F().Red, 105);
  PressKey(Form.ChannelPanel.edtRed.Handle(), VK_DOWN);
  EXPECT_EQ(F().Red, 104);
  // The spin buttons are drawn by the editor: a press at their place.
  TEditTrackBarVel& green = Form.ChannelPanel.edtGrn;
  const LPARAM up = MAKELPARAM(green.UpButton().Left() + 3, green.UpButton().Top() + 3);
  ::SendMessageW(green.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, up);
  ::SendMessageW(green.Handle(), WM_LBUTTONUP, 0, up);
  EXPECT_EQ(F().Grn, 1);
  EXPECT_EQ(Form.ChannelPanel.edtHue.Text(), std::to_wstring(FactorToShown(3, F().Hue)));
}

TEST_F(ChannelPanelTest, EnteringAnEditorSelectsItsWholeText) {
  Form.ChannelPanel.SetColor(RGB(123, 0, 0));
  Form.Show();
  ::SetForegroundWindow(Form.Handle());
  ::SetActiveWindow(Form.Handle());
  Form.ChannelPanel.edtGrn.SetFocus();
  ::SendMessageW(Form.ChannelPanel.edtRed.Handle(), EM_SETSEL, 1, 1);
  Form.ChannelPanel.edtRed.SetFocus();
  fw::Application().ProcessMessages();
  EXPECT_EQ(Form.ChannelPanel.edtRed.SelStart(), 0);
  EXPECT_EQ(Form.ChannelPanel.edtRed.SelLength(), 3);
}

TEST_F(ChannelPanelTest, SwatchIsASunkenFrameFilledWithTheColour) {
  Form.ChannelPanel.SetColor(RGB(10, 200, 30));
  TDibCanvas canvas(41, 42);
  Form.ChannelPanel.pboxColorPaint(&Form.ChannelPanel.pboxColor, canvas.DC());
  EXPECT_EQ(canvas.At(0, 0), RGB(128, 128, 128));
  EXPECT_EQ(canvas.At(1, 1), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(40, 41), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(39, 40), RGB(192, 192, 192));
  for (auto [x, y] : {std::pair{2, 2}, std::pair{20, 20}, std::pair{38, 39}})
    EXPECT_EQ(canvas.At(x, y), RGB(10, 200, 30));
}

}  // namespace
