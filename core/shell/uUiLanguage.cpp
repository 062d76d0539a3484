#include "core/shell/uUiLanguage.h"

#include "core/shell/uIntToken.h"
#include "core/support/uStrings.h"

namespace {

// LANG_JAPANESE; the primary language is the LANGID's low ten bits.
constexpr std::uint16_t kPrimaryJapanese = 0x11;
constexpr std::uint16_t kPrimaryLanguageMask = 0x3FF;

}  // namespace

TUiLanguageSetting ParseUiLanguageSetting(std::wstring_view stored) {
  switch (TextToInt(stored).value_or(0)) {
    case 1:
      return TUiLanguageSetting::Japanese;
    case 2:
      return TUiLanguageSetting::English;
    default:
      return TUiLanguageSetting::Auto;
  }
}

TUiLanguage ResolveUiLanguage(TUiLanguageSetting setting, std::uint16_t userUiLanguage) {
  switch (setting) {
    case TUiLanguageSetting::Japanese:
      return TUiLanguage::Japanese;
    case TUiLanguageSetting::English:
      return TUiLanguage::English;
    case TUiLanguageSetting::Auto:
      break;
  }
  return (userUiLanguage & kPrimaryLanguageMask) == kPrimaryJapanese ? TUiLanguage::Japanese : TUiLanguage::English;
}

std::wstring HintOfCaption(std::wstring_view caption, TUiLanguage language) {
  if (language == TUiLanguage::Japanese) return StripAccelerator(caption);
  // English marks the key inside the word; "&&" is a plain "&".
  std::wstring hint;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    hint += caption[i];
  }
  if (hint.ends_with(L"...")) hint.resize(hint.size() - 3);
  return hint;
}
