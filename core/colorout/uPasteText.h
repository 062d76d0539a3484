#pragma once
// CSS colour texts recognised on paste before the list's own hex rule.
#include <optional>
#include <string_view>

#include "core/color/uColor.h"

// The colour of a text that is, once white space around it is trimmed:
//   #RGB                      each digit doubled, always red-green-blue
//   rgb(r, g, b) / rgb(r g b) numbers 0..255 or percentages, clamped
//   hsl(h, s%, l%) / hsl(h s% l%)  hue in degrees (optionally "deg"),
//                             saturation and lightness in percent, clamped
//   a CSS named colour        "red", "RebeccaPurple"
// Function names ignore case. Anything else, "#RRGGBB" included, is none:
// the caller then applies the hex rule and its byte order.
std::optional<TColor> RecognizeColorText(std::wstring_view text);

// The same for the bytes of an ANSI clipboard text: only ASCII can match.
std::optional<TColor> RecognizeColorTextAnsi(std::string_view bytes);
