// The interface language: the stored choice and the user's Windows language.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/shell/uUiLanguage.h"
#include "core/support/Exception.h"

namespace {

TEST(UiLanguageTest, StoredChoiceOnlyFromTheThreeNumbers) {
  struct TCase {
    std::wstring Stored;
    TUiLanguageSetting Setting;
  };
  const TCase cases[] = {
      {L"0", TUiLanguageSetting::Auto},           {L"1", TUiLanguageSetting::Japanese},
      {L"2", TUiLanguageSetting::English},        {L"", TUiLanguageSetting::Auto},
      {L"3", TUiLanguageSetting::Auto},           {L"-1", TUiLanguageSetting::Auto},
      {L"English", TUiLanguageSetting::Auto},     {L"2x", TUiLanguageSetting::Auto},
      {L"99999999999", TUiLanguageSetting::Auto}, {L"1.0", TUiLanguageSetting::Auto},
  };
  for (const TCase& c : cases) EXPECT_EQ(ParseUiLanguageSetting(c.Stored), c.Setting) << WideToUtf8(c.Stored);
}

TEST(UiLanguageTest, AutoFollowsThePrimaryLanguageOfTheUser) {
  // LANGIDs as Windows defines them: primary language in the low ten bits.
  struct TCase {
    std::uint16_t LangId;
    TUiLanguage Language;
    const char* Name;
  };
  const TCase cases[] = {
      {0x0411, TUiLanguage::Japanese, "ja-JP"},
      {0x0011, TUiLanguage::Japanese, "ja (neutral)"},
      {0x0409, TUiLanguage::English, "en-US"},
      {0x0809, TUiLanguage::English, "en-GB"},
      {0x0407, TUiLanguage::English, "de-DE"},
      {0x0804, TUiLanguage::English, "zh-CN"},
      {0x0412, TUiLanguage::English, "ko-KR"},
      {0x0000, TUiLanguage::English, "neutral"},
      {0x0C11, TUiLanguage::Japanese, "ja, other sublanguage bits"},
  };
  for (const TCase& c : cases) EXPECT_EQ(ResolveUiLanguage(TUiLanguageSetting::Auto, c.LangId), c.Language) << c.Name;
}

TEST(UiLanguageTest, AChoiceOverridesTheUserLanguage) {
  for (std::uint16_t langId : {std::uint16_t{0x0411}, std::uint16_t{0x0409}}) {
    EXPECT_EQ(ResolveUiLanguage(TUiLanguageSetting::Japanese, langId), TUiLanguage::Japanese) << langId;
    EXPECT_EQ(ResolveUiLanguage(TUiLanguageSetting::English, langId), TUiLanguage::English) << langId;
  }
}

TEST(UiLanguageTest, HintsAreCaptionsWithoutAcceleratorsAndEllipsis) {
  struct TCase {
    std::wstring Caption;
    TUiLanguage Language;
    std::wstring Hint;
  };
  const TCase cases[] = {
      {L"開く(&O)...", TUiLanguage::Japanese, L"開く"},
      {L"拡大ウィンドウの表示", TUiLanguage::Japanese, L"拡大ウィンドウの表示"},
      {L"&Open...", TUiLanguage::English, L"Open"},
      {L"Save &As...", TUiLanguage::English, L"Save As"},
      {L"Move Do&wn", TUiLanguage::English, L"Move Down"},
      {L"R&&D", TUiLanguage::English, L"R&D"},
      {L"Trailing&", TUiLanguage::English, L"Trailing&"},
      {L"...", TUiLanguage::English, L""},
      {L"", TUiLanguage::English, L""},
      // A Japanese caption shown in the English interface (a language's own name).
      {L"日本語", TUiLanguage::English, L"日本語"},
  };
  for (const TCase& c : cases) EXPECT_EQ(HintOfCaption(c.Caption, c.Language), c.Hint) << WideToUtf8(c.Caption);
}

}  // namespace
