#pragma once
// Comma text, as the list file and the saved column layout use it: items
// separated by commas and blanks (code units 1 to 32), an item in double
// quotes may hold both, a doubled quote inside stands for one.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>


// Only the control characters and the ASCII space separate; an ideographic
// space is part of an item.
template <typename TChar>
constexpr bool IsCommaBlank(TChar c) {
  return c >= 1 && c <= 32;
}

// Hands each item of text to sink(view) until sink returns false. A code
// unit 0 ends the text. A view lives until the next call of sink: an item
// with doubled quotes is built in scratch, any other is a view into text.
template <typename TChar, typename TSink>
void ForEachCommaItem(std::basic_string_view<TChar> text, std::basic_string<TChar>& scratch, TSink&& sink) {
  using TView = std::basic_string_view<TChar>;
  constexpr TChar kQuote('"');
  constexpr TChar kComma(',');
  const TChar* p = text.data();
  const TChar* end = p + text.size();
  auto find = [&end](const TChar* from, TChar c) {
    const TChar* found = std::char_traits<TChar>::find(from, static_cast<std::size_t>(end - from), c);
    return found ? found : end;
  };
  end = find(p, TChar(0));

  while (p < end && IsCommaBlank(*p)) ++p;
  while (p < end) {
    TView item;
    if (*p == kQuote) {
      const TChar* start = ++p;
      const TChar* quote = find(p, kQuote);
      if (quote + 1 >= end || quote[1] != kQuote) {
        // Unterminated items run to the end of the text.
        item = TView(start, static_cast<std::size_t>(quote - start));
        p = quote < end ? quote + 1 : end;
      } else {
        scratch.clear();
        for (;;) {
          scratch.append(p, quote);
          if (quote == end) {
            p = end;
            break;
          }
          p = quote + 1;
          if (p == end || *p != kQuote) break;
          scratch += kQuote;
          quote = find(++p, kQuote);
        }
        item = scratch;
      }
    } else {
      const TChar* start = p;
      while (p < end && *p != kComma && !IsCommaBlank(*p)) ++p;
      item = TView(start, static_cast<std::size_t>(p - start));
    }
    if (!sink(item)) return;
    while (p < end && IsCommaBlank(*p)) ++p;
    if (p < end && *p == kComma) {
      if (p + 1 == end && !sink(TView())) return;
      do ++p;
      while (p < end && IsCommaBlank(*p));
    }
  }
}


// Splits text into items, keeping at most maxItems (later ones are not
// looked at); a code unit 0 ends the text. Returns the number of items.
std::size_t SplitCommaText(std::wstring_view text, std::vector<std::wstring>& items,
                           std::size_t maxItems = static_cast<std::size_t>(-1));
