#pragma once
// What a pasted text means as a colour: the CSS forms first, then the
// list's own hex rule with its byte order.
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/color/uColor.h"
#include "core/colorout/uCssColor.h"

// The colour of a CSS Color 4 text (ParseCssColor), white space around it
// trimmed, brought into sRGB through OKLCH when it lies outside. Anything
// else is none, "#RRGGBB" included and "transparent" and "none" too: the
// caller then applies the hex rule and its byte order.
std::optional<TColor> RecognizeColorText(std::wstring_view text);

// The same for the bytes of an ANSI clipboard text: only ASCII can match.
std::optional<TColor> RecognizeColorTextAnsi(std::string_view bytes);

// A paste as a whole: a CSS form (outOfGamut says it was brought in), a
// refusal for "transparent" and "none", then the hex rule in the given byte
// order, and NotColor when that gives nothing either.
TCssColor PastedColorAnsi(std::string_view bytes, std::uint8_t hexOrder);
