#include "core/colorout/uCssColor.h"

#include "core/colorout/uPasteText.h"

TCssColor ParseCssColor(std::wstring_view text) {
  if (const auto color = RecognizeColorText(text)) return {TCssColorStatus::Color, *color, false};
  return {};
}
