// The stored interface language on a Japanese Windows: a choice of English
// wins over the user's language, garbage leaves the choice to Windows.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/TintraSession.h"

namespace {

using e2e::TintraSession;

TEST(LanguageSetting, TheStoredChoiceDecidesAtStartGarbageMeansAuto) {
  const e2e::ProcessResult acp = e2e::probe::Run({"acp"});
  if (acp.Out.rfind("932", 0) != 0) GTEST_SKIP() << "not a Japanese Windows (code page " << acp.Out << ")";
  struct TCase {
    const char* Stored;
    const char* Caption;
    const char* FileMenu;
  };
  const TCase cases[] = {
      {"2", "Untitled - Tintra", "&File"},
      {"English", "(無題) - Tintra", "ファイル(&F)"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Stored);
    e2e::probe::RegDelete(e2e::kSettingsKey);
    e2e::probe::RegSet(e2e::kSettingsKey, "Language", c.Stored);
    TintraSession::Options options;
    options.ResetSettings = false;
    TintraSession tintra(options);
    EXPECT_EQ(tintra.Caption(), c.Caption);
    const auto menu = tintra.Menu();
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(menu[0].Caption, c.FileMenu);
  }
  e2e::probe::RegDelete(e2e::kSettingsKey);
}

}  // namespace
