#pragma once
// The interface's texts in the chosen language, from the resource string
// tables (app/resources/Tintra.rc). LoadString would pick a table by the
// thread's language; these pick by the program's own choice.
#include <windows.h>

#include <string>
#include <string_view>

#include "core/document/uDocumentState.h"
#include "core/shell/uUiLanguage.h"
#include "core/support/uStrings.h"

// Until set, the user's Windows interface language decides.
TUiLanguage UiLanguage();
void SetUiLanguage(TUiLanguage language);

// Empty when the table has no such string.
std::wstring UiText(UINT id);
std::wstring UiText(UINT id, TUiLanguage language);
// The text with "{0}" replaced by arg.
std::wstring UiText(UINT id, std::wstring_view arg);
// The text with each "{key}" replaced, in one pass.
std::wstring UiText(UINT id, std::initializer_list<TTextField> fields);

// A font of the interface: the table's face with the language's character set.
LOGFONTW UiFont(UINT faceId, int height);

// The untitled name and the modified mark of the current language.
TDocumentTexts UiDocumentTexts();

// The stored choice ("Language" under the settings key) resolved against the
// user's Windows language.
TUiLanguage ChooseUiLanguage(const std::wstring& settingsKey);

// Hands the lower layers their texts the user may see (clipboard, memory).
void InstallUiTexts();
