#pragma once
// UTF-8 and UTF-16LE without the system: the list file falls back to UTF-8
// when the ANSI code page cannot hold its text, and that must read the same
// on every build. Malformed input becomes U+FFFD; wchar_t is UTF-16 on
// Windows and UTF-32 elsewhere, and both are handled.
#include <string>
#include <string_view>

std::string Utf8Encode(std::wstring_view text);
void Utf8Decode(std::string_view bytes, std::wstring& out);
// Little-endian code units; an odd last byte is ignored.
void Utf16LeDecode(std::string_view bytes, std::wstring& out);
