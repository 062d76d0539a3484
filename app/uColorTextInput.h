#pragma once
// A colour text the user pasted or typed. Both read every CSS Color 4 form.
// A paste from the clipboard also keeps its old rules: "#" and six digits
// in the list's byte order, any other short text by the hexadecimal rule
// (non-digits count as 0). A text typed into a colour box is read strictly,
// so that a slip is shown as no colour instead of becoming one; bare hex
// digits there are taken as if "#" came first.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/colorout/uCssColor.h"

// The bytes of an ANSI clipboard text: only ASCII can be a CSS form.
// hexOrder: 0 reads "#RRGGBB" as red-green-blue, 1 as blue-green-red.
TCssColor ReadPastedColor(std::string_view ansi, std::uint8_t hexOrder);
// A typed text, always red-green-blue as the boxes show it.
TCssColor ReadTypedColor(std::wstring_view text);
