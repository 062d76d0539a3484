#pragma once
// Comma text, as the list file and the saved column layout use it: items
// separated by commas and blanks (code units 1 to 32), an item in double
// quotes may hold both, a doubled quote inside stands for one.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Splits text into items, keeping at most maxItems (later ones are not
// looked at). A code unit 0 ends the text. items is overwritten; its strings
// are reused, so a caller splitting many lines allocates little.
// Returns the number of items found (up to maxItems).
std::size_t SplitCommaText(std::wstring_view text, std::vector<std::wstring>& items,
                           std::size_t maxItems = static_cast<std::size_t>(-1));
