#include "core/colorlist/uColorListFile.h"

#include <algorithm>
#include <cstring>

#include "core/colorlist/uColorListCell.h"
#include "core/colorlist/uCommaText.h"
#include "core/support/uUtf8.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

enum class TEncoding { Ansi, Utf8, Utf16Le };

void AppendQuoted(std::wstring& line, std::wstring_view text) {
  line += L'"';
  for (wchar_t c : text) {
    if (c == L'"') line += L'"';
    line += c;
  }
  line += L'"';
}

void DecodeLine(std::string_view bytes, TEncoding encoding, const TAnsiCodec& ansi, std::wstring& out) {
  if (encoding == TEncoding::Utf16Le) {
    Utf16LeDecode(bytes, out);
  } else if (encoding == TEncoding::Utf8) {
    Utf8Decode(bytes, out);
  } else {
    out = ansi.Decode(bytes);
  }
}

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

bool HasZeroByte(std::uint64_t word) { return ((word - kOnes) & ~word & kHighBits) != 0; }
bool HasLineEnd(std::uint64_t word) {
  return HasZeroByte(word ^ (kOnes * 13)) || HasZeroByte(word ^ (kOnes * 10)) || HasZeroByte(word ^ (kOnes * 26));
}

// The line rule of the text streams, on bytes or on UTF-16 code units:
// CR, LF, CR LF or 26 end a line; the last line needs no end.
class TLineSplitter {
 public:
  TLineSplitter(std::string_view bytes, std::size_t unit) : FBytes(bytes), FUnit(unit) {}
  // ascii: whether the line's bytes are all below 0x80 (single bytes only).
  bool Next(std::string_view& line, bool& ascii) {
    const std::size_t n = FBytes.size() / FUnit * FUnit;
    if (FPos >= n) return false;
    std::size_t p = FPos;
    if (FUnit == 1) {
      const auto* b = reinterpret_cast<const unsigned char*>(FBytes.data());
      // Eight bytes at a time while none of them ends the line; the byte
      // loop below finds the exact end.
      std::uint64_t any = 0;
      while (n - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, b + p, 8);
        if (HasLineEnd(word)) break;
        any |= word;
        p += 8;
      }
      for (; p < n; ++p) {
        const unsigned char c = b[p];
        if (c == 13 || c == 10 || c == 26) break;
        any |= c;
      }
      ascii = (any & kHighBits) == 0;
    } else {
      while (p < n && !IsEnd(At(p))) p += FUnit;
    }
    line = FBytes.substr(FPos, p - FPos);
    if (p < n) {
      const unsigned end = At(p);
      p += FUnit;
      if (end == 13 && p < n && At(p) == 10) p += FUnit;
    }
    FPos = p;
    return true;
  }

 private:
  static bool IsEnd(unsigned c) { return c == 13 || c == 10 || c == 26; }
  unsigned At(std::size_t p) const {
    const auto* b = reinterpret_cast<const unsigned char*>(FBytes.data()) + p;
    return FUnit == 1 ? b[0] : static_cast<unsigned>(b[0] | (b[1] << 8));
  }
  std::string_view FBytes;
  std::size_t FUnit;
  std::size_t FPos = 0;
};

// A byte 0 ends what the line splitting looks at; cutting before decoding
// keeps it out of the decoder. No ANSI double-byte character has a zero
// trail byte, so this never splits a character.
std::string_view CutAtZero(std::string_view line, std::size_t unit) {
  if (unit == 1) {
    const void* zero = std::memchr(line.data(), 0, line.size());
    return zero ? line.substr(0, static_cast<const char*>(zero) - line.data()) : line;
  }
  for (std::size_t p = 0; p + 1 < line.size(); p += 2)
    if (line[p] == 0 && line[p + 1] == 0) return line.substr(0, p);
  return line;
}

template <typename TChar>
bool ToInt(std::basic_string_view<TChar> item, std::int32_t& value) {
  const TChar* p = item.data();
  const TChar* end = p + item.size();
  auto isDigit = [](TChar c) { return c >= TChar('0') && c <= TChar('9'); };
  while (p < end && *p == TChar(' ')) ++p;
  bool negative = false;
  if (p < end && (*p == TChar('+') || *p == TChar('-'))) negative = *p++ == TChar('-');
  bool hex = false;
  if (p < end && !isDigit(*p)) {
    if (*p != TChar('$') && *p != TChar('x') && *p != TChar('X')) return false;
    hex = true, ++p;
  } else if (end - p >= 2 && p[0] == TChar('0') && (p[1] == TChar('x') || p[1] == TChar('X'))) {
    hex = true, p += 2;
  }
  if (p == end) return false;

  // The magnitude may reach 2^31 for the negative end of the range.
  const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
  std::uint64_t magnitude = 0;
  if (!hex) {
    for (; p < end; ++p) {
      if (!isDigit(*p)) return false;
      magnitude = magnitude * 10 + static_cast<unsigned>(*p - TChar('0'));
      if (magnitude > limit) return false;
    }
  } else {
    for (; p < end; ++p) {
      const TChar c = *p;
      unsigned digit;
      if (isDigit(c))
        digit = static_cast<unsigned>(c - TChar('0'));
      else if (c >= TChar('a') && c <= TChar('f'))
        digit = static_cast<unsigned>(c - TChar('a') + 10);
      else if (c >= TChar('A') && c <= TChar('F'))
        digit = static_cast<unsigned>(c - TChar('A') + 10);
      else
        return false;
      magnitude = magnitude * 16 + digit;
      if (magnitude > limit) return false;
    }
  }
  value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                   : static_cast<std::int32_t>(magnitude);
  return true;
}

// One line into an item; false when it is not one.
template <typename TChar>
bool ParseLine(std::basic_string_view<TChar> text, std::basic_string<TChar>& scratch, TColorListItem& item) {
  int index = 0;
  bool ok = true;
  ForEachCommaItem(text, scratch, [&](std::basic_string_view<TChar> field) {
    switch (index++) {
      case 0:
        ok = ToInt(field, item.Red);
        break;
      case 1:
        ok = ToInt(field, item.Green);
        break;
      case 2:
        ok = ToInt(field, item.Blue);
        break;
      default:
        item.Comment.assign(field.begin(), field.end());
        break;
    }
    return ok && index < 4;
  });
  return ok && index == 4;
}

}  // namespace

std::string ColorListWrite(const std::vector<TColorListRow>& rows, const TAnsiCodec& ansi) {
  std::wstring text;
  for (const TColorListRow& row : rows) {
    // A line break inside a cell would split the item in two on reading.
    text += SanitizeCommentText(row.Red);
    text += L',';
    text += SanitizeCommentText(row.Green);
    text += L',';
    text += SanitizeCommentText(row.Blue);
    text += L',';
    AppendQuoted(text, SanitizeCommentText(row.Comment));
    text += L"\r\n";
  }
  std::string bytes;
  // ANSI bytes that happen to look like a byte-order mark would be read back
  // in the wrong encoding.
  if (ansi.EncodeExact(text, bytes) && !bytes.starts_with(kUtf8Bom) && !bytes.starts_with(kUtf16LeBom)) return bytes;
  bytes.assign(kUtf8Bom);
  bytes += Utf8Encode(text);
  return bytes;
}

std::vector<TColorListItem> ColorListRead(std::string_view fileBytes, const TAnsiCodec& ansi) {
  TEncoding encoding = TEncoding::Ansi;
  if (fileBytes.starts_with(kUtf8Bom)) {
    encoding = TEncoding::Utf8;
    fileBytes.remove_prefix(kUtf8Bom.size());
  } else if (fileBytes.starts_with(kUtf16LeBom)) {
    encoding = TEncoding::Utf16Le;
    fileBytes.remove_prefix(kUtf16LeBom.size());
  }
  const std::size_t unit = encoding == TEncoding::Utf16Le ? 2 : 1;

  std::vector<TColorListItem> result;
  result.reserve(static_cast<std::size_t>(std::count(fileBytes.begin(), fileBytes.end(), '\n')) + 1);
  std::string byteScratch;
  std::wstring scratch;
  std::wstring text;
  TLineSplitter lines(fileBytes, unit);
  std::string_view line;
  bool ascii = false;
  TColorListItem item;
  // Zero bytes are rare enough to look for once in the whole file.
  const bool anyZero = std::memchr(fileBytes.data(), 0, fileBytes.size()) != nullptr;
  while (lines.Next(line, ascii)) {
    if (anyZero) line = CutAtZero(line, unit);
    // Nearly every line is ASCII, which every ANSI code page and UTF-8 agree
    // on: split it as bytes and widen only the comment.
    if (unit == 1 && ascii) {
      if (!ParseLine(line, byteScratch, item)) continue;
    } else {
      DecodeLine(line, encoding, ansi, text);
      if (!ParseLine<wchar_t>(text, scratch, item)) continue;
    }
    result.push_back(std::move(item));
  }
  return result;
}

std::vector<TColorListItem> ColorListLoadFromStream(TStream& stream, const TAnsiCodec& ansi) {
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const std::size_t n = stream.Read(chunk, sizeof chunk);
    if (n == 0) break;
    bytes.append(chunk, n);
  }
  return ColorListRead(bytes, ansi);
}

void ColorListSaveToStream(TStream& stream, const std::vector<TColorListRow>& rows, const TAnsiCodec& ansi) {
  const std::string bytes = ColorListWrite(rows, ansi);
  stream.WriteBuffer(bytes.data(), bytes.size());
}

bool ColorListToInt(std::wstring_view item, std::int32_t& value) { return ToInt(item, value); }
