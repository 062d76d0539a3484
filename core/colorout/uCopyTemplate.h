#pragma once
// User copy formats: a text with placeholders filled from the colour.
//   {r} {g} {b}     channels 0..255
//   {R} {G} {B}     channels as two upper-case hexadecimal digits
//   {h} {s} {l}     HSL hue in degrees, saturation and lightness in percent
//   {rf} {gf} {bf}  channels 0..1 with three decimals
//   {name}          the colour's name (see ColorNameText)
// "{{" and "}}" stand for a literal brace. Names are case-sensitive.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/color/uColor.h"

// What is wrong; the interface words it in the user's language.
enum class TTemplateFault {
  Empty,           // nothing to copy
  Nul,             // a NUL character would cut the clipboard text short
  UnmatchedClose,  // a "}" that closes nothing
  Unclosed,        // a "{" without its "}"
  UnknownName,     // "{x}" with x no placeholder
};

struct TTemplateProblem {
  std::size_t position = 0;  // code unit where the fault starts
  TTemplateFault fault = TTemplateFault::Empty;
  std::size_t length = 0;  // code units of the faulty part: a whole unknown "{name}"
};

// The first fault of a template, none when it is well formed: an empty
// template, a NUL character, an unknown placeholder, a "{" without its "}"
// or a "}" that closes nothing.
std::optional<TTemplateProblem> CheckCopyTemplate(std::wstring_view text);

// The template filled in for the colour. Never fails: a faulty part is
// copied as it stands, so "{x} {r}" gives "{x} 18".
std::wstring ExpandCopyTemplate(std::wstring_view text, TColor color);
