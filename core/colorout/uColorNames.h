#pragma once
// The CSS named colours, and a name for every colour.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/color/uColor.h"

struct TNamedColor {
  std::wstring_view name;  // lower case
  TColor color = 0;
};

// The 148 named colours of CSS Color 4, in alphabetical order. Nine colours
// have two names (aqua/cyan, fuchsia/magenta and seven gray/grey pairs).
std::span<const TNamedColor> CssNamedColors();

// The colour of a name, ignoring ASCII case; none for any other text
// (no trimming: "red " is no name).
std::optional<TColor> CssNamedColor(std::wstring_view name);

struct TColorName {
  std::wstring_view name;
  bool exact = false;  // the colour is the named colour itself
};

// The named colour nearest in OKLab (Euclidean distance). Where several
// names fit equally, as for the two names of one colour, the alphabetically
// first wins: aqua, fuchsia and the "gray" spellings.
TColorName NearestColorName(TColor color);

// The name as copied and shown: "navy" when exact, otherwise "≈navy".
std::wstring ColorNameText(TColor color);
