#include "app/uUiText.h"

#include <optional>

#include "app/resources/StringIds.h"
#include "core/support/uUserError.h"
#include "framework/Application.h"
#include "framework/Clipboard.h"
#include "framework/support/uRegistry.h"

namespace {

std::optional<TUiLanguage>& ChosenLanguage() {
  static std::optional<TUiLanguage> language;
  return language;
}

LANGID TableLanguage(TUiLanguage language) {
  return language == TUiLanguage::Japanese ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)
                                           : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

// A string table block holds 16 strings, each a length and its characters;
// block n + 1 holds ids 16n to 16n + 15. Resource memory lives as long as the module.
std::wstring FindString(HINSTANCE module, UINT id, LANGID language) {
  HRSRC found = ::FindResourceExW(module, MAKEINTRESOURCEW(6) /* RT_STRING */,
                                  MAKEINTRESOURCEW(static_cast<WORD>(id / 16 + 1)), language);
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const auto* p = loaded ? static_cast<const WCHAR*>(::LockResource(loaded)) : nullptr;
  if (!p) return {};
  const WCHAR* end = p + ::SizeofResource(module, found) / sizeof(WCHAR);
  for (UINT i = 0; i < id % 16; ++i) {
    if (p >= end) return {};
    p += 1 + *p;
  }
  if (p >= end || p + 1 + *p > end) return {};
  return std::wstring(p + 1, *p);
}

}  // namespace

TUiLanguage UiLanguage() {
  if (!ChosenLanguage()) ChosenLanguage() = ResolveUiLanguage(TUiLanguageSetting::Auto, ::GetUserDefaultUILanguage());
  return *ChosenLanguage();
}

void SetUiLanguage(TUiLanguage language) { ChosenLanguage() = language; }

std::wstring UiText(UINT id, TUiLanguage language) {
  return FindString(fw::Application().Handle(), id, TableLanguage(language));
}

std::wstring UiText(UINT id) { return UiText(id, UiLanguage()); }

std::wstring UiText(UINT id, std::wstring_view arg) { return FillFields(UiText(id), {{L"{0}", arg}}); }

std::wstring UiText(UINT id, std::initializer_list<TTextField> fields) { return FillFields(UiText(id), fields); }

LOGFONTW UiFont(UINT faceId, int height) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = UiLanguage() == TUiLanguage::Japanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, UiText(faceId).c_str(), LF_FACESIZE);
  return lf;
}

TDocumentTexts UiDocumentTexts() {
  // Read once a language: captions are made on every change of the document.
  static std::wstring untitled[2], mark[2];
  const auto i = static_cast<std::size_t>(UiLanguage());
  if (untitled[i].empty()) {
    untitled[i] = UiText(IDS_UNTITLED);
    mark[i] = UiText(IDS_MODIFIED_MARK);
  }
  return {untitled[i], mark[i]};
}

TUiLanguage ChooseUiLanguage(const std::wstring& settingsKey) {
  const std::wstring stored = settingsKey.empty() ? L"" : GetRegistryVal(HKEY_CURRENT_USER, settingsKey, L"Language");
  return ResolveUiLanguage(ParseUiLanguageSetting(stored), ::GetUserDefaultUILanguage());
}

void InstallUiTexts() {
  static std::wstring clipboardBusy;
  clipboardBusy = UiText(IDS_CLIPBOARD_BUSY);
  fw::kClipboardBusyText = clipboardBusy.c_str();
  SetOutOfMemoryText(UiText(IDS_OUT_OF_MEMORY));
}
