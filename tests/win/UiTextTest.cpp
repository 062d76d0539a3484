// The interface's two languages: the string tables, and the main window and
// document made in English.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "app/ufrmCopyFormats.h"
#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "framework/support/uRegistry.h"

namespace {

int Count(const std::wstring& text, const std::wstring& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

TEST(UiText, BothTablesHoldEveryTextWithTheSamePlaceholdersAndAccelerators) {
  int texts = 0;
  for (UINT id = IDS_UI_FIRST; id <= IDS_UI_LAST; ++id) {
    const std::wstring ja = UiText(id, TUiLanguage::Japanese), en = UiText(id, TUiLanguage::English);
    SCOPED_TRACE(id);
    EXPECT_EQ(ja.empty(), en.empty());
    if (ja.empty()) continue;
    ++texts;
    EXPECT_EQ(Count(ja, L"{0}"), Count(en, L"{0}"));
    // What the keyboard reaches in Japanese it reaches in English.
    if (Count(ja, L"&") > 0) {
      EXPECT_GT(Count(en, L"&"), 0);
    }
    EXPECT_LE(Count(en, L"&"), 1);
    if (id == IDS_ACT_LANG_JAPANESE) continue;
    for (wchar_t c : en) EXPECT_LT(c, 0x80) << "a character an English font may not have";
  }
  EXPECT_GE(texts, 60);
}

TEST(UiText, KnownTextsOfBothLanguages) {
  struct TCase {
    UINT Id;
    std::wstring Japanese, English;
  };
  const TCase cases[] = {
      {IDS_MENU_FILE, L"ファイル(&F)", L"&File"},
      {IDS_MENU_SETTINGS, L"設定(&S)", L"&Settings"},
      {IDS_ACT_LANGUAGE, L"言語(&L)", L"&Language"},
      {IDS_ACT_LANG_AUTO, L"自動(&A)", L"&Auto"},
      // The languages' own names, the same whatever the interface speaks.
      {IDS_ACT_LANG_JAPANESE, L"日本語", L"日本語"},
      {IDS_ACT_LANG_ENGLISH, L"English", L"English"},
      {IDS_UNTITLED, L"(無題)", L"Untitled"},
      {IDS_FILTER_OPEN, L"全てのファイル(*.*)|*.*", L"All Files (*.*)|*.*"},
      {IDS_HOT_KEY_TAKEN, L"このキーは他のプログラムが使っています。別のキーを選んでください。",
       L"Another program is using this key. Please choose a different key."},
      {IDS_FORMATS_FAULTY, L"誤り: {0}", L"Error: {0}"},
      {IDS_ACT_SAMPLING_5_MODE, L"5 × 5 の最多色", L"5 x 5 Most Frequent"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(UiText(c.Id, TUiLanguage::Japanese), c.Japanese) << c.Id;
    EXPECT_EQ(UiText(c.Id, TUiLanguage::English), c.English) << c.Id;
  }
  EXPECT_EQ(UiText(99999, TUiLanguage::English), L"");
}

class EnglishInterface : public ::testing::Test {
 protected:
  void SetUp() override {
    FOld = UiLanguage();
    SetUiLanguage(TUiLanguage::English);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
  }
  void TearDown() override {
    SetUiLanguage(FOld);
    fw::Application().SetMainForm(nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
  }
  TMainWindowOptions Options() {
    TMainWindowOptions options;
    options.SettingsKey = kKey;
    options.WorkArea = [] { return TRectI{4000, 4000, 6000, 6000}; };
    options.ShowMessage = [this](const std::wstring& text) { Messages.push_back(text); };
    options.ShowLanguageNote = [this](const std::wstring& text) { Messages.push_back(text); };
    options.DocumentMessageBox = [this](HWND, const std::wstring& text, const std::wstring&, UINT) {
      Messages.push_back(text);
      return IDCANCEL;
    };
    return options;
  }

  static constexpr const wchar_t* kKey = L"SOFTWARE\\ZORVEK\\TintraUiTextTest";
  std::vector<std::wstring> Messages;

 private:
  TUiLanguage FOld = TUiLanguage::Japanese;
};

std::wstring MenuBarItem(HWND wnd, int i) {
  wchar_t text[128] = {};
  ::GetMenuStringW(::GetMenu(wnd), static_cast<UINT>(i), text, 128, MF_BYPOSITION);
  return text;
}

TEST_F(EnglishInterface, TheMainWindowCaptionMenusListAndQuestionSpeakEnglish) {
  ::SetRegistryVal(HKEY_CURRENT_USER, kKey, L"PosMain", L"4000,4000,507,304,1");
  TfrmTintra form(Options());
  form.CreateForm();
  form.Show();
  EXPECT_EQ(form.Text(), L"Untitled - Tintra");
  const wchar_t* bar[] = {L"&File", L"&Edit", L"&View", L"&Settings", L"&Help"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(MenuBarItem(form.Handle(), i), bar[i]);
  EXPECT_EQ(form.actOpen.Hint(), L"Open");
  EXPECT_EQ(form.actSaveAs.Hint(), L"Save As");
  EXPECT_EQ(form.actLangEnglish.Hint(), L"English (takes effect the next time Tintra starts)");
  std::vector<std::wstring> headers;
  for (int c = 0; c < form.ColorList.gridItem.ColCount(); ++c) headers.push_back(form.ColorList.gridItem.Cells(c, 0));
  EXPECT_EQ(headers, (std::vector<std::wstring>{L"No.", L"Color", L"Hex(RGB)", L"R", L"G", L"B", L"Comment"}));

  form.actInsert.Execute();
  EXPECT_EQ(form.Text(), L"Untitled* - Tintra");
  form.Close();  // the recorded question answers Cancel
  EXPECT_TRUE(form.HandleAllocated());
  EXPECT_EQ(Messages, std::vector<std::wstring>{L"Do you want to save changes to \"Untitled\"?"});
  form.Documents.Document.SetModified(false);
  form.Close();
}

TEST_F(EnglishInterface, TheCopyContrastAndPickCommandsSpeakEnglish) {
  ::SetRegistryVal(HKEY_CURRENT_USER, kKey, L"PosMain", L"4000,4000,507,304,1");
  TfrmTintra form(Options());
  form.CreateForm();
  const struct {
    fw::TAction* Action;
    const wchar_t* Caption;
  } actions[] = {
      {&form.CopyFormats.actEditFormats, L"&Edit Formats..."},
      {&form.Contrast.actSetCompare, L"Set as C&omparison Color"},
      {&form.Contrast.actShowContrast, L"&Contrast"},
      {&form.PickOptions.actsmSampling, L"&Pick Area"},
      {form.PickOptions.actSampling[0], L"1 x 1 Pixel"},
      {form.PickOptions.actSampling[4], L"5 x 5 Most Frequent"},
      {&form.PickOptions.actHotKey, L"Hot &Key..."},
  };
  for (const auto& a : actions) EXPECT_EQ(a.Action->Caption(), a.Caption);

  form.ChannelPanel.UpdateFromRGB();
  form.Contrast.actShowContrast.Execute();
  wchar_t text[128] = {};
  ::GetWindowTextW(form.Contrast.lblWcag.Handle(), text, 128);
  // Black on the white comparison colour passes everything.
  EXPECT_STREQ(text, L"AA Normal:Pass Large:Pass\r\nAAA Normal:Pass Large:Pass");
  ::GetWindowTextW(form.Contrast.btnSwap.Handle(), text, 128);
  EXPECT_STREQ(text, L"S&wap");

  const struct {
    TTemplateFault Fault;
    const wchar_t* Text;
  } faults[] = {
      {TTemplateFault::Empty, L"The format is empty"},
      {TTemplateFault::Nul, L"A NUL character is not allowed"},
      {TTemplateFault::UnmatchedClose, L"A } has no matching {"},
      {TTemplateFault::Unclosed, L"A { is not closed with }"},
      {TTemplateFault::UnknownName,
       L"Unknown placeholder {x} (use {r} {g} {b} {R} {G} {B} {h} {s} {l} {rf} {gf} {bf} {name})"},
  };
  for (const auto& f : faults) EXPECT_EQ(CopyTemplateFaultText({0, f.Fault, 3}, L"{x}"), f.Text);
}

TEST_F(EnglishInterface, AChoiceOfLanguageIsStoredCheckedAndNotedNotApplied) {
  ::SetRegistryVal(HKEY_CURRENT_USER, kKey, L"PosMain", L"4000,4000,507,304,1");
  ::SetRegistryVal(HKEY_CURRENT_USER, kKey, L"Language", L"junk");
  TfrmTintra form(Options());
  form.CreateForm();
  EXPECT_TRUE(form.actLangAuto.Checked());
  struct TCase {
    fw::TAction* Action;
    const wchar_t* Stored;
  };
  const TCase cases[] = {{&form.actLangJapanese, L"1"}, {&form.actLangEnglish, L"2"}, {&form.actLangAuto, L"0"}};
  for (const TCase& c : cases) {
    Messages.clear();
    c.Action->Execute();
    EXPECT_EQ(GetRegistryVal(HKEY_CURRENT_USER, kKey, L"Language"), c.Stored);
    EXPECT_TRUE(c.Action->Checked()) << c.Stored;
    EXPECT_EQ(Messages, std::vector<std::wstring>{L"The new language takes effect the next time you start Tintra."});
    EXPECT_EQ(form.Text(), L"Untitled - Tintra");  // unchanged until the next start
  }
  form.Close();
}

}  // namespace
