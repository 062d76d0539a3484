// The colour box beside the eyedropper, the colour-vision preview and the
// contrast readout's fixes on a real main window: typed texts of every kind,
// what the views paint while a simulation is on, the stored choice, and the
// fix buttons with their tips.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/resources/StringIds.h"
#include "app/ufrmTintra.h"
#include "app/uUiText.h"
#include "core/colorout/uColorChannels.h"
#include "core/colorout/uContrastFix.h"
#include "core/colorout/uCvdSimulation.h"
#include "framework/support/uRegistry.h"
#include "tests/win/DibCanvas.h"

namespace {

const wchar_t kKey[] = L"SOFTWARE\\ZORVEK\\TintraDesignerToolsTest";

class DesignerToolsTest : public testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    Form.CreateForm();
    Form.ChannelPanel.UpdateFromRGB();
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
  static TMainWindowOptions Options() { return {.SettingsKey = kKey}; }
  TColor Current() { return Form.ChannelPanel.Factors().Color; }
  static void Type(TColorEditVel& box, const std::wstring& text) { box.SetText(text), box.Apply(); }

  TfrmTintra Form{Options()};
};

TEST_F(DesignerToolsTest, TheColourBoxTakesEveryFormAndMarksTextThatIsNoColour) {
  const struct {
    const wchar_t* Typed;
    TColor Color;  // the current colour afterwards; it starts #102030
    const wchar_t *Shown, *Note;
    bool Invalid;
  } cases[] = {
      {L"#3366cc", MakeColor(0x33, 0x66, 0xCC), L"#3366CC", L"", false},
      {L"3366cc", MakeColor(0x33, 0x66, 0xCC), L"#3366CC", L"", false},
      {L"hsl(120 100% 25%)", MakeColor(0, 128, 0), L"#008000", L"", false},
      {L"color(display-p3 0 1 0)", 0, nullptr, L"sRGB の範囲外: 近い色にしました", false},
      {L"transparent", MakeColor(16, 32, 48), L"transparent", L"transparent は色ではありません", true},
      {L"#12345", MakeColor(16, 32, 48), L"#12345", L"色として読めません", true},
  };
  for (const auto& c : cases) {
    Form.ChannelPanel.SetColor(MakeColor(16, 32, 48));
    Type(Form.ChannelPanel.edtColorText, c.Typed);
    if (c.Shown) {
      EXPECT_EQ(Current(), c.Color) << c.Typed;
      EXPECT_EQ(Form.ChannelPanel.edtColorText.Text(), c.Shown);
    }
    EXPECT_EQ(Form.ColorName.lblColorNote.Text(), c.Note) << c.Typed;
    EXPECT_EQ(Form.ChannelPanel.edtColorText.Invalid(), c.Invalid) << c.Typed;
  }
}

TEST_F(DesignerToolsTest, ASimulationChangesWhatIsPaintedNeverTheNumbersAndIsKept) {
  EXPECT_TRUE(Form.ColorVision.actCvd[0]->Checked());
  Form.ChannelPanel.SetColor(MakeColor(200, 40, 40));
  for (int kind = 1; kind <= 4; ++kind) {
    Form.ColorVision.actCvd[static_cast<std::size_t>(kind)]->Execute();
    EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"CvdSimulation"), std::to_wstring(kind));
    TDibCanvas canvas(Form.ChannelPanel.pboxColor.ClientWidth(), Form.ChannelPanel.pboxColor.ClientHeight());
    ::SendMessageW(Form.ChannelPanel.pboxColor.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT);
    EXPECT_EQ(canvas.At(canvas.Width() / 2, canvas.Height() / 2),
              SimulateCvd(MakeColor(200, 40, 40), CvdKindFromSetting(kind)));
    EXPECT_EQ(Form.Pick.Mode.Marker(), UiText(static_cast<UINT>(IDS_CVD_NONE + kind)));
    EXPECT_EQ(Form.ChannelPanel.edtRed.Text(), L"200");
    EXPECT_EQ(Form.ChannelPanel.edtColorText.Text(), L"#C82828");
  }
  EXPECT_EQ(Form.ColorVision.lblCvdMark.Text(), L"全色盲");
  // Read back at the next start; a value that is no choice reads none.
  for (const auto& [stored, checked] : {std::pair{L"3", 3}, {L"7", 0}, {L"x", 0}}) {
    SetRegistryVal(HKEY_CURRENT_USER, kKey, L"CvdSimulation", stored);
    TfrmTintra again(Options());
    again.CreateForm();
    EXPECT_TRUE(again.ColorVision.actCvd[static_cast<std::size_t>(checked)]->Checked()) << stored;
  }
}

TEST_F(DesignerToolsTest, TheFixButtonsMakeTheNearestPassingColourCurrentOrSayNoneReachesIt) {
  Form.Contrast.actShowContrast.Execute();
  Type(Form.Contrast.edtCompare, L"#777777");
  EXPECT_EQ(Form.Contrast.CompareColor(), 0x777777u);
  Type(Form.Contrast.edtCompare, L"none");
  EXPECT_TRUE(Form.Contrast.edtCompare.Invalid());
  EXPECT_EQ(Form.Contrast.CompareColor(), 0x777777u);

  Form.ChannelPanel.SetColor(MakeColor(0x33, 0x66, 0xCC));
  // Mid grey: black reaches 4.5:1, nothing reaches 7:1.
  EXPECT_TRUE(Form.Contrast.btnFixAA.Enabled());
  EXPECT_EQ(Form.Contrast.FixTip(Form.Contrast.btnFixAA), L"");
  EXPECT_FALSE(Form.Contrast.btnFixAAA.Enabled());
  EXPECT_EQ(Form.Contrast.FixTip(Form.Contrast.btnFixAAA), L"どの明度でも 7:1 に届きません");
  const auto fixed = NearestPassingColor(MakeColor(0x33, 0x66, 0xCC), 0x777777, 4.5).value_or(1);
  ::SendMessageW(Form.Contrast.btnFixAA.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Current(), fixed);
  ::SendMessageW(Form.Contrast.btnFixAAA.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Current(), fixed);

  // Red on green: the line names the deficiencies that bring them together.
  Type(Form.Contrast.edtCompare, L"#00A000");
  Form.ChannelPanel.SetColor(MakeColor(0xC0, 0x40, 0x00));
  std::wstring kinds;
  for (TCvdKind k : HardToTellApart(Current(), Form.Contrast.CompareColor()))
    kinds += std::wstring(kinds.empty() ? L"" : L"/") + L"?PDT"[static_cast<int>(k)];
  EXPECT_EQ(Form.Contrast.lblCvd.Text(), kinds.empty() ? L"" : L"色覚で区別しにくい (" + kinds + L")");
}

}  // namespace
