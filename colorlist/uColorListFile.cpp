#include "colorlist/uColorListFile.h"

#include <cstring>

#include "colorlist/uColorListCell.h"
#include "colorlist/uCommaText.h"
#include "colorlist/uUtf8.h"

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

bool IsAscii(std::string_view bytes) {
  unsigned char any = 0;
  for (char c : bytes) any |= static_cast<unsigned char>(c);
  return any < 0x80;
}

// Every Windows ANSI code page and UTF-8 agree with ASCII, so a pure ASCII
// line (nearly every line of a list) needs no call into the system.
void DecodeLine(std::string_view bytes, TEncoding encoding, const TAnsiCodec& ansi, std::wstring& out) {
  if (encoding == TEncoding::Utf16Le) {
    Utf16LeDecode(bytes, out);
  } else if (IsAscii(bytes)) {
    out.assign(bytes.begin(), bytes.end());
  } else if (encoding == TEncoding::Utf8) {
    Utf8Decode(bytes, out);
  } else {
    out = ansi.Decode(bytes);
  }
}

// The line rule of the text streams, on bytes or on UTF-16 code units:
// CR, LF, CR LF or 26 end a line; the last line needs no end.
class TLineSplitter {
 public:
  TLineSplitter(std::string_view bytes, std::size_t unit) : FBytes(bytes), FUnit(unit) {}
  bool Next(std::string_view& line) {
    const std::size_t n = FBytes.size() / FUnit * FUnit;
    if (FPos >= n) return false;
    std::size_t p = FPos;
    if (FUnit == 1) {
      while (p < n && !IsEnd(At(p))) ++p;
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
  std::vector<std::wstring> fields;
  std::wstring text;
  TLineSplitter lines(fileBytes, unit);
  std::string_view line;
  while (lines.Next(line)) {
    DecodeLine(CutAtZero(line, unit), encoding, ansi, text);
    if (SplitCommaText(text, fields, 4) < 4) continue;
    TColorListItem item;
    if (!ColorListToInt(fields[0], item.Red) || !ColorListToInt(fields[1], item.Green) ||
        !ColorListToInt(fields[2], item.Blue))
      continue;
    item.Comment = fields[3];
    result.push_back(std::move(item));
  }
  return result;
}

std::vector<TColorListItem> ColorListLoadFromStream(fw::TStream& stream, const TAnsiCodec& ansi) {
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const std::size_t n = stream.Read(chunk, sizeof chunk);
    if (n == 0) break;
    bytes.append(chunk, n);
  }
  return ColorListRead(bytes, ansi);
}

void ColorListSaveToStream(fw::TStream& stream, const std::vector<TColorListRow>& rows, const TAnsiCodec& ansi) {
  const std::string bytes = ColorListWrite(rows, ansi);
  stream.WriteBuffer(bytes.data(), bytes.size());
}

bool ColorListToInt(std::wstring_view item, std::int32_t& value) {
  std::size_t p = 0;
  const std::size_t n = item.size();
  while (p < n && item[p] == L' ') ++p;
  bool negative = false;
  if (p < n && (item[p] == L'+' || item[p] == L'-')) negative = item[p++] == L'-';

  unsigned base = 10;
  if (p < n && item[p] == L'$') {
    base = 16, ++p;
  } else if (p < n && (item[p] == L'x' || item[p] == L'X')) {
    base = 16, ++p;
  } else if (p + 1 < n && item[p] == L'0' && (item[p + 1] == L'x' || item[p + 1] == L'X')) {
    base = 16, p += 2;
  }
  if (p == n) return false;

  // The magnitude may reach 2^31 for the negative end of the range.
  const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
  std::uint64_t magnitude = 0;
  for (; p < n; ++p) {
    const wchar_t c = item[p];
    unsigned digit;
    if (c >= L'0' && c <= L'9')
      digit = static_cast<unsigned>(c - L'0');
    else if (base == 16 && c >= L'a' && c <= L'f')
      digit = static_cast<unsigned>(c - L'a' + 10);
    else if (base == 16 && c >= L'A' && c <= L'F')
      digit = static_cast<unsigned>(c - L'A' + 10);
    else
      return false;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                   : static_cast<std::int32_t>(magnitude);
  return true;
}
