#pragma once
// CSS custom properties out (":root { --name: #rrggbb; }"), and the hex
// colours of any text in.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/colorout/uPalette.h"

// A property name for each row, from its comment: ASCII letters lower-cased,
// letters and digits (and any character beyond ASCII but a space) kept,
// every other run one '-', none at either end. An empty result becomes
// "color-N" (N counting rows from 1); a name already given gets "-2", "-3"...
std::vector<std::string> CssPropertyNames(std::span<const TPaletteEntry> entries);

// UTF-8, one "  --name: #rrggbb;" line a row inside ":root { ... }".
std::string ExportCss(std::span<const TPaletteEntry> entries);

// Every colour of the text, in order: hex colours ('#' and 3, 4, 6 or 8 hex
// digits) and colour functions (rgb(), hsl(), lab(), color(), ...) anywhere,
// named colours as the whole value of a declaration or the whole line. A
// colour that is the value of a custom property, "--name: ...", takes the
// name as its comment. Lines with text but no colour are counted as skipped,
// except a selector line ending in '{', a closing '}' and comment lines.
// UTF-8 (with or without a byte-order mark) and UTF-16LE with its mark are
// read. A text with no colour is an error.
TPaletteImport ImportCss(std::string_view bytes);
