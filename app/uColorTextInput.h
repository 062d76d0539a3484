#pragma once
// A colour typed into a colour box, read strictly: every CSS Color 4 form
// (ParseCssColor), and bare hex digits as if "#" came first. Unlike a paste
// (PastedColorAnsi), no lax hexadecimal rule turns a slip into a colour, so
// a text that is none can be shown as such; and "#RRGGBB" is always
// red-green-blue, as the boxes show it.
#include <string_view>

#include "core/colorout/uCssColor.h"

TCssColor ReadTypedColor(std::wstring_view text);
