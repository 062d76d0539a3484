#pragma once
// Comma-separated numbers in stored settings ("10,20,507,304,1").
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The text from pos up to the next separator or the end; pos moves past the
// separator, or to the end when there is none.
std::wstring_view GetToken(std::wstring_view text, std::size_t& pos, wchar_t separator);

// A signed 32-bit integer: leading blanks, an optional sign, then decimal
// digits, or hexadecimal digits after "$" or "0x". Nothing else may follow;
// out of range is no number.
std::optional<std::int32_t> TextToInt(std::wstring_view text);

// The next token as a number, or def when it is empty, no number or out of range.
std::int32_t GetIntToken(std::wstring_view text, std::size_t& pos, wchar_t separator, std::int32_t def);
