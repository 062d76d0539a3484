#include "core/colorout/uPickCopyFormat.h"

#include <algorithm>

#include "core/colorout/uCopyTemplate.h"

TPickCopyFormat ParsePickCopyFormat(std::wstring_view stored, std::span<const std::wstring> templates) {
  if (stored.empty()) return {};
  if (const std::optional<TCopyFormat> format = CopyFormatFromStableName(stored))
    return TPickCopyFormat::BuiltIn(*format);
  if (std::find(templates.begin(), templates.end(), stored) != templates.end())
    return TPickCopyFormat::OfTemplate(std::wstring(stored));
  return {};
}

std::wstring PickCopyFormatText(const TPickCopyFormat& choice) {
  switch (choice.Kind) {
    case TPickCopyFormat::TKind::BuiltIn:
      return std::wstring(CopyFormatStableName(choice.Format));
    case TPickCopyFormat::TKind::Template:
      return choice.Template;
    case TPickCopyFormat::TKind::None:
      break;
  }
  return {};
}

std::wstring PickCopyText(const TPickCopyFormat& choice, TColor color) {
  switch (choice.Kind) {
    case TPickCopyFormat::TKind::BuiltIn:
      return FormatColor(choice.Format, color);
    case TPickCopyFormat::TKind::Template:
      return ExpandCopyTemplate(choice.Template, color);
    case TPickCopyFormat::TKind::None:
      break;
  }
  return {};
}

std::wstring CurrentColorCopyText(const TPickCopyFormat& choice, TColor color) {
  if (choice.Kind == TPickCopyFormat::TKind::None) return FormatColor(TCopyFormat::HexUpper, color);
  return PickCopyText(choice, color);
}
