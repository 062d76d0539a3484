#include "core/support/uUtf8.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendCodePoint(std::wstring& out, char32_t c) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (c > 0xFFFF) {
      c -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (c >> 10));
      out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
      return;
    }
  }
  out += static_cast<wchar_t>(c);
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string Utf8Encode(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<std::uint32_t>(text[i]);
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(static_cast<std::uint32_t>(text[i + 1]))) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<std::uint32_t>(text[i + 1]) - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c) || c > 0x10FFFF) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

void Utf8Decode(std::string_view bytes, std::wstring& out) {
  out.clear();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char b = p[i];
    if (b < 0x80) {
      out += static_cast<wchar_t>(b);
      ++i;
      continue;
    }
    int length = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      length = 2, c = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3, c = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4, c = b & 0x07, min = 0x10000;
    }
    int taken = 1;
    while (length != 0 && taken < length && i + taken < n && (p[i + taken] & 0xC0) == 0x80) {
      c = (c << 6) | (p[i + taken] & 0x3F);
      ++taken;
    }
    // Overlong forms, surrogates and values past U+10FFFF are malformed too;
    // one replacement per bad sequence, then go on after what was looked at.
    if (length == 0 || taken < length || c < min || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c)) {
      AppendCodePoint(out, kReplacement);
      i += taken;
      continue;
    }
    AppendCodePoint(out, c);
    i += taken;
  }
}

void Utf16LeDecode(std::string_view bytes, std::wstring& out) {
  out.clear();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size() / 2;
  auto unit = [p](std::size_t k) { return static_cast<char32_t>(p[2 * k] | (p[2 * k + 1] << 8)); };
  for (std::size_t k = 0; k < n; ++k) {
    char32_t c = unit(k);
    if (IsHighSurrogate(c) && k + 1 < n && IsLowSurrogate(unit(k + 1))) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
      ++k;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      // A lone half could not be written back as UTF-8 unchanged.
      c = kReplacement;
    }
    AppendCodePoint(out, c);
  }
}
