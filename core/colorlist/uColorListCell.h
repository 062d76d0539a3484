#pragma once
// Cell texts of the colour list as the list uses them.
#include <cstdint>
#include <string>
#include <string_view>

// The text with CR, LF, the byte 26 and NUL each replaced by a space: a
// comment must stay one line of the list file.
std::wstring SanitizeCommentText(std::wstring text);

// A whole decimal integer: optional sign, ASCII digits, signed 32-bit range.
bool CellToInt(std::wstring_view text, std::int32_t& value);

// The channel a red, green or blue cell stands for: a text that is not a
// decimal integer counts as 0, and the value is limited to 0..255.
std::int32_t CellToChannel(std::wstring_view text);
