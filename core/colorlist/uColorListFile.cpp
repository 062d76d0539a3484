#include "core/colorlist/uColorListFile.h"

#include <algorithm>
#include <cstring>

#include "core/colorlist/uColorListCell.h"
#include "core/colorlist/uCommaText.h"
#include "core/support/uStrings.h"
#include "core/support/uUtf8.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

enum class TEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

void AppendQuoted(std::wstring& line, std::wstring_view text) {
  line += L'"';
  for (wchar_t c : text) {
    if (c == L'"') line += L'"';
    line += c;
  }
  line += L'"';
}

// Strict: no overlong forms, no surrogates, nothing past U+10FFFF.
bool Utf8Valid(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned c = p[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t len;
    unsigned lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      if (c == 0xE0) lo = 0xA0;
      if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      if (c == 0xF0) lo = 0x90;
      if (c == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (n - i < len || p[i + 1] < lo || p[i + 1] > hi) return false;
    for (std::size_t k = 2; k < len; ++k)
      if (p[i + k] < 0x80 || p[i + k] > 0xBF) return false;
    i += len;
  }
  return true;
}

// False for an odd byte count or a surrogate half without its partner.
bool Utf16Decode(std::string_view bytes, bool bigEndian, std::wstring& out) {
  out.clear();
  if (bytes.size() % 2 != 0) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size() / 2;
  auto unit = [p, bigEndian](std::size_t k) -> char32_t {
    return bigEndian ? (p[2 * k] << 8 | p[2 * k + 1]) : (p[2 * k] | p[2 * k + 1] << 8);
  };
  for (std::size_t k = 0; k < n; ++k) {
    char32_t c = unit(k);
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (k + 1 >= n || unit(k + 1) < 0xDC00 || unit(k + 1) > 0xDFFF) return false;
      const char32_t low = unit(++k);
      if constexpr (sizeof(wchar_t) == 2) {
        out += static_cast<wchar_t>(c);
        out += static_cast<wchar_t>(low);
        continue;
      } else {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      }
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return false;
    }
    out += static_cast<wchar_t>(c);
  }
  return true;
}

// False when the bytes do not decode in the encoding.
bool DecodeLine(std::string_view bytes, TEncoding encoding, const TAnsiCodec& ansi, std::wstring& out) {
  switch (encoding) {
    case TEncoding::Utf16Le:
    case TEncoding::Utf16Be:
      return Utf16Decode(bytes, encoding == TEncoding::Utf16Be, out);
    case TEncoding::Utf8:
      if (!Utf8Valid(bytes)) return false;
      Utf8Decode(bytes, out);
      return true;
    case TEncoding::Ansi:
      break;
  }
  return ansi.DecodeExact(bytes, out);
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
  TLineSplitter(std::string_view bytes, std::size_t unit, bool bigEndian)
      : FBytes(bytes), FUnit(unit), FBigEndian(bigEndian) {}
  // ascii: whether the line's bytes are all below 0x80 (single bytes only).
  bool Next(std::string_view& line, bool& ascii) {
    const std::size_t n = FBytes.size();
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
      while (n - p >= 2 && !IsEnd(At(p))) p += 2;
      // A stray last byte stays with the last line, which then cannot decode.
      if (n - p < 2) p = n;
    }
    line = FBytes.substr(FPos, p - FPos);
    if (p < n) {
      const unsigned end = At(p);
      p += FUnit;
      if (end == 13 && n - p >= FUnit && At(p) == 10) p += FUnit;
    }
    FPos = p;
    return true;
  }

 private:
  static bool IsEnd(unsigned c) { return c == 13 || c == 10 || c == 26; }
  unsigned At(std::size_t p) const {
    const auto* b = reinterpret_cast<const unsigned char*>(FBytes.data()) + p;
    if (FUnit == 1) return b[0];
    return FBigEndian ? static_cast<unsigned>(b[0] << 8 | b[1]) : static_cast<unsigned>(b[0] | b[1] << 8);
  }
  std::string_view FBytes;
  std::size_t FUnit;
  bool FBigEndian;
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

void AppendLine(std::wstring& text, std::wstring_view red, std::wstring_view green, std::wstring_view blue,
                std::wstring_view comment) {
  // A line break inside a cell would split the item in two on reading.
  text += SanitizeCommentText(std::wstring(red));
  text += L',';
  text += SanitizeCommentText(std::wstring(green));
  text += L',';
  text += SanitizeCommentText(std::wstring(blue));
  text += L',';
  AppendQuoted(text, SanitizeCommentText(std::wstring(comment)));
  text += L"\r\n";
}

std::wstring LinesOf(const TColorListSnapshot& items) {
  std::wstring text;
  items.ForEach([&](const TColorListItem& item) {
    AppendLine(text, std::to_wstring(item.Red), std::to_wstring(item.Green), std::to_wstring(item.Blue), item.Comment);
  });
  return text;
}

std::string Encoded(const std::wstring& text, const TAnsiCodec& ansi) {
  std::string bytes;
  // ANSI bytes that happen to look like a byte-order mark would be read back
  // in the wrong encoding.
  if (ansi.EncodeExact(text, bytes) && !bytes.starts_with(kUtf8Bom) && !bytes.starts_with(kUtf16LeBom) &&
      !bytes.starts_with(kUtf16BeBom))
    return bytes;
  bytes.assign(kUtf8Bom);
  bytes += Utf8Encode(text);
  return bytes;
}

}  // namespace

std::string ColorListWrite(const std::vector<TColorListRow>& rows, const TAnsiCodec& ansi) {
  std::wstring text;
  for (const TColorListRow& row : rows) AppendLine(text, row.Red, row.Green, row.Blue, row.Comment);
  return Encoded(text, ansi);
}

std::string ColorListWrite(const TColorListSnapshot& items, const TAnsiCodec& ansi) {
  return Encoded(LinesOf(items), ansi);
}

std::string ColorListWriteUtf8(const TColorListSnapshot& items) {
  std::string bytes(kUtf8Bom);
  bytes += Utf8Encode(LinesOf(items));
  return bytes;
}

TColorListReadResult ColorListReadChecked(std::string_view fileBytes, const TAnsiCodec& ansi) {
  TEncoding encoding = TEncoding::Ansi;
  if (fileBytes.starts_with(kUtf8Bom)) {
    encoding = TEncoding::Utf8;
    fileBytes.remove_prefix(kUtf8Bom.size());
  } else if (fileBytes.starts_with(kUtf16LeBom)) {
    encoding = TEncoding::Utf16Le;
    fileBytes.remove_prefix(kUtf16LeBom.size());
  } else if (fileBytes.starts_with(kUtf16BeBom)) {
    encoding = TEncoding::Utf16Be;
    fileBytes.remove_prefix(kUtf16BeBom.size());
  }
  const bool utf16 = encoding == TEncoding::Utf16Le || encoding == TEncoding::Utf16Be;
  const std::size_t unit = utf16 ? 2 : 1;

  TColorListReadResult result;
  result.Items.reserve(static_cast<std::size_t>(std::count(fileBytes.begin(), fileBytes.end(), '\n')) + 1);
  std::string byteScratch;
  std::wstring scratch;
  std::wstring text;
  TLineSplitter lines(fileBytes, unit, encoding == TEncoding::Utf16Be);
  std::string_view line;
  bool ascii = false;
  TColorListItem item;
  std::size_t number = 0;
  // Zero bytes are rare enough to look for once in the whole file.
  const bool anyZero = std::memchr(fileBytes.data(), 0, fileBytes.size()) != nullptr;
  while (lines.Next(line, ascii)) {
    ++number;
    bool cut = false;
    if (anyZero) {
      const std::string_view whole = line;
      line = CutAtZero(line, unit);
      cut = line.size() != whole.size();
    }
    bool accepted;
    bool blank = false;
    // Nearly every line is ASCII, which every ANSI code page and UTF-8 agree
    // on: split it as bytes and widen only the comment.
    if (unit == 1 && ascii) {
      accepted = ParseLine(line, byteScratch, item);
      if (!accepted) blank = std::all_of(line.begin(), line.end(), IsCommaBlank<char>);
    } else if (DecodeLine(line, encoding, ansi, text)) {
      accepted = ParseLine<wchar_t>(text, scratch, item);
      if (!accepted) blank = std::all_of(text.begin(), text.end(), IsCommaBlank<wchar_t>);
    } else {
      accepted = false;
    }
    if (accepted) result.Items.push_back(std::move(item));
    // What follows a byte 0 would be lost by a save even when the line before it loaded.
    if ((!accepted && !blank) || cut) {
      if (result.UnreadableLines.size() < kColorListLinesNamed) result.UnreadableLines.push_back(number);
      ++result.UnreadableCount;
    }
  }
  result.NotAColorList = result.Items.empty() && result.UnreadableCount > 0;
  return result;
}

std::vector<TColorListItem> ColorListRead(std::string_view fileBytes, const TAnsiCodec& ansi) {
  return ColorListReadChecked(fileBytes, ansi).Items;
}

TColorListReadNotice ColorListReadNoticeOf(const TColorListReadResult& result) {
  if (result.NotAColorList) return TColorListReadNotice::NotAColorList;
  if (result.UnreadableCount > 0) return TColorListReadNotice::UnreadableLines;
  return TColorListReadNotice::None;
}

std::wstring ColorListReadMessage(const TColorListReadResult& result, std::wstring_view fileName,
                                  const TColorListReadTexts& texts) {
  switch (ColorListReadNoticeOf(result)) {
    case TColorListReadNotice::None:
      break;
    case TColorListReadNotice::NotAColorList:
      return FillFields(texts.NotAList, {{L"{0}", fileName}});
    case TColorListReadNotice::UnreadableLines: {
      std::wstring numbers;
      for (std::size_t n : result.UnreadableLines) {
        if (!numbers.empty()) numbers += L", ";
        numbers += std::to_wstring(n);
      }
      const std::wstring count = std::to_wstring(result.UnreadableCount);
      // Both sides views: a std::wstring made of L"" would die before the view is read.
      const std::wstring_view more =
          result.UnreadableCount > result.UnreadableLines.size() ? std::wstring_view(texts.More) : std::wstring_view();
      return FillFields(texts.Unreadable, {{L"{0}", fileName}, {L"{1}", count}, {L"{2}", numbers}, {L"{3}", more}});
    }
  }
  return {};
}

namespace {

std::string ReadAll(TStream& stream) {
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const std::size_t n = stream.Read(chunk, sizeof chunk);
    if (n == 0) break;
    bytes.append(chunk, n);
  }
  return bytes;
}

}  // namespace

std::vector<TColorListItem> ColorListLoadFromStream(TStream& stream, const TAnsiCodec& ansi) {
  return ColorListRead(ReadAll(stream), ansi);
}

TColorListReadResult ColorListLoadFromStreamChecked(TStream& stream, const TAnsiCodec& ansi) {
  return ColorListReadChecked(ReadAll(stream), ansi);
}

void ColorListSaveToStream(TStream& stream, const std::vector<TColorListRow>& rows, const TAnsiCodec& ansi) {
  const std::string bytes = ColorListWrite(rows, ansi);
  stream.WriteBuffer(bytes.data(), bytes.size());
}

void ColorListSaveToStream(TStream& stream, const TColorListSnapshot& items, const TAnsiCodec& ansi) {
  const std::string bytes = ColorListWrite(items, ansi);
  stream.WriteBuffer(bytes.data(), bytes.size());
}

bool ColorListToInt(std::wstring_view item, std::int32_t& value) { return ToInt(item, value); }
