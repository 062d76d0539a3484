// The contrast readout on a real main window: its static texts against
// published values, the comparison colour from the edit menu's command, the
// swap button, and the two settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/ufrmTintra.h"
#include "core/colorout/uColorChannels.h"
#include "framework/support/uRegistry.h"

namespace {

const wchar_t kKey[] = L"SOFTWARE\\ZORVEK\\TintraContrastTest";
const std::wstring kAllPass = L"AA 通常:合格 大:合格\r\nAAA 通常:合格 大:合格";

std::wstring TextOf(const fw::TWindow& w) {
  wchar_t text[128] = {};
  ::GetWindowTextW(w.Handle(), text, 128);
  return text;
}

class ContrastPanelTest : public testing::Test {
 protected:
  void SetUp() override {
    Form.CreateForm();
    Form.ChannelPanel.UpdateFromRGB();
    Form.Contrast.actShowContrast.Execute();
  }
  std::wstring Ratio() { return TextOf(Form.Contrast.lblRatio); }
  std::wstring Wcag() { return TextOf(Form.Contrast.lblWcag); }
  std::wstring Apca() { return TextOf(Form.Contrast.lblApca); }

  TfrmTintra Form;
};

TEST_F(ContrastPanelTest, ShowsThePublishedValuesForTheCurrentColourOnTheComparisonColour) {
  EXPECT_TRUE(Form.Contrast.actShowContrast.Checked());
  EXPECT_TRUE(::IsWindowVisible(Form.Contrast.pnlContrast.Handle()) || !::IsWindowVisible(Form.Handle()));
  EXPECT_EQ(Form.Contrast.CompareColor(), 0xFFFFFFu);  // white until set
  const struct {
    TColor text;
    const wchar_t* ratio;
    std::wstring wcag;
    const wchar_t* apca;
  } cases[] = {
      {0x000000, L"21.00:1", kAllPass, L"APCA Lc 106.0"},
      {MakeColor(18, 52, 86), L"12.71:1", kAllPass, L"APCA Lc 98.5"},
      {0x888888, L"3.54:1", L"AA 通常:不合格 大:合格\r\nAAA 通常:不合格 大:不合格", L"APCA Lc 63.1"},
      {0xFFFFFF, L"1.00:1", L"AA 通常:不合格 大:不合格\r\nAAA 通常:不合格 大:不合格", L"APCA Lc 0.0"},
  };
  for (const auto& c : cases) {
    Form.ChannelPanel.SetColor(c.text);
    EXPECT_EQ(Ratio(), c.ratio);
    EXPECT_EQ(Wcag(), c.wcag) << c.ratio;
    EXPECT_EQ(Apca(), c.apca) << c.ratio;
  }
  Form.Contrast.actShowContrast.Execute();
  EXPECT_FALSE(Form.Contrast.actShowContrast.Checked());
  EXPECT_FALSE(::IsWindowVisible(Form.Contrast.pnlContrast.Handle()));
}

TEST_F(ContrastPanelTest, TheCommandSetsTheComparisonColourAndTheButtonSwaps) {
  Form.ChannelPanel.SetColor(0x888888);
  Form.Contrast.actSetCompare.Execute();
  EXPECT_EQ(Form.Contrast.CompareColor(), 0x888888u);
  Form.ChannelPanel.SetColor(0xFFFFFF);
  EXPECT_EQ(Ratio(), L"3.54:1");
  EXPECT_EQ(Apca(), L"APCA Lc -68.5");

  ::SendMessageW(Form.Contrast.btnSwap.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Form.ChannelPanel.Factors().Color, 0x888888u);
  EXPECT_EQ(Form.Contrast.CompareColor(), 0xFFFFFFu);
  EXPECT_EQ(Apca(), L"APCA Lc 63.1");
  EXPECT_EQ(Form.ChannelPanel.edtRed.Text(), L"136");
}

TEST(ContrastSettingsTest, TheComparisonColourAndTheReadoutAreKept) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
  TMainWindowOptions options;
  options.SettingsKey = kKey;
  {
    TfrmTintra form(options);
    form.CreateForm();
    EXPECT_FALSE(form.Contrast.actShowContrast.Checked());
    form.Contrast.SetCompareColor(MakeColor(18, 52, 86));
    form.Contrast.SetShown(true);
    form.Contrast.SaveSettings();
  }
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"CompareColor"), L"#123456");
  EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"ContrastReadout"), L"1");
  {
    TfrmTintra form(options);
    form.CreateForm();
    EXPECT_EQ(form.Contrast.CompareColor(), MakeColor(18, 52, 86));
    EXPECT_TRUE(form.Contrast.actShowContrast.Checked());
  }
  // A value that is no colour leaves white.
  SetRegistryVal(HKEY_CURRENT_USER, kKey, L"CompareColor", L"#12345G");
  {
    TfrmTintra form(options);
    form.CreateForm();
    EXPECT_EQ(form.Contrast.CompareColor(), 0xFFFFFFu);
  }
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
}

}  // namespace
