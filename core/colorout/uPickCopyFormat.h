#pragma once
// What a pick copies: nothing, a built-in format or one of the user's
// templates, kept as the registry text value "PickCopyFormat" (the format's
// stable name or the template's own text).
#include <span>
#include <string>
#include <string_view>

#include "core/color/uColor.h"
#include "core/colorout/uCopyFormats.h"

struct TPickCopyFormat {
  enum class TKind { None, BuiltIn, Template };
  TKind Kind = TKind::None;
  TCopyFormat Format = TCopyFormat::HexUpper;  // for BuiltIn
  std::wstring Template;                       // for Template
  bool operator==(const TPickCopyFormat&) const = default;

  static TPickCopyFormat BuiltIn(TCopyFormat format) { return {TKind::BuiltIn, format, {}}; }
  static TPickCopyFormat OfTemplate(std::wstring text) { return {TKind::Template, {}, std::move(text)}; }
};

// A stable name (ASCII case ignored) names a built-in format, even where a
// template has the same text; otherwise a text equal to one of templates
// names that template. Anything else, a template since removed included,
// is none.
TPickCopyFormat ParsePickCopyFormat(std::wstring_view stored, std::span<const std::wstring> templates);
// The stored text: empty for none.
std::wstring PickCopyFormatText(const TPickCopyFormat& choice);

// The text a pick puts on the clipboard: empty for none.
std::wstring PickCopyText(const TPickCopyFormat& choice, TColor color);
// The text of 現在の色をコピー: the pick's format, hex when none is chosen.
std::wstring CurrentColorCopyText(const TPickCopyFormat& choice, TColor color);
