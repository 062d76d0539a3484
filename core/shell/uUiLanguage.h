#pragma once
// Which language the interface speaks: the stored choice, and the user's
// Windows language when the choice is left to the program.
#include <cstdint>
#include <string>
#include <string_view>

// As stored under "Language": 0, 1, 2.
enum class TUiLanguageSetting : std::int32_t { Auto = 0, Japanese = 1, English = 2 };
enum class TUiLanguage { Japanese, English };

// Anything but one of the three numbers (empty, garbage, out of range) is Auto.
TUiLanguageSetting ParseUiLanguageSetting(std::wstring_view stored);
// userUiLanguage is a Windows LANGID; its primary language decides under Auto:
// Japanese for Japanese, English for every other.
TUiLanguage ResolveUiLanguage(TUiLanguageSetting setting, std::uint16_t userUiLanguage);

// A menu caption as a tool tip: "開く(&O)..." -> "開く", "&Open..." -> "Open",
// "Save &As..." -> "Save As", "R&&D" -> "R&D".
std::wstring HintOfCaption(std::wstring_view caption, TUiLanguage language);
