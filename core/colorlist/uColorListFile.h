#pragma once
// The colour list file: one line per item, red, green and blue as the cells
// hold them, then the comment in double quotes, each line ending in CR LF.
// The text is in the system's ANSI code page when every character of the
// file fits it exactly, otherwise UTF-8 with a byte-order mark.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/colorlist/uColorListItem.h"
#include "core/colorlist/uColorListRows.h"
#include "core/support/Stream.h"

// The texts of one list row's red, green, blue and comment cells.
struct TColorListRow {
  std::wstring Red, Green, Blue, Comment;
};


// The system's ANSI code page, supplied by the platform layer.
class TAnsiCodec {
 public:
  virtual ~TAnsiCodec() = default;
  // False when some character has no exact form in the code page (it would
  // need a best-fit look-alike or the default character).
  virtual bool EncodeExact(std::wstring_view text, std::string& out) const = 0;
  virtual std::wstring Decode(std::string_view bytes) const = 0;
  // False when some bytes form no character of the code page. The default
  // trusts Decode and doubts only a replacement character in its answer; a
  // platform that can tell exactly (MB_ERR_INVALID_CHARS) should say so.
  virtual bool DecodeExact(std::string_view bytes, std::wstring& out) const {
    out = Decode(bytes);
    return out.find(L'\uFFFD') == std::wstring::npos;
  }
};

// The whole file; no rows give no bytes.
std::string ColorListWrite(const std::vector<TColorListRow>& rows, const TAnsiCodec& ansi);
std::string ColorListWrite(const TColorListSnapshot& items, const TAnsiCodec& ansi);
// The same lines, always UTF-8 with its byte-order mark.
std::string ColorListWriteUtf8(const TColorListSnapshot& items);

// What reading a file found: the acceptable lines, and the lines that hold
// something but could not be read (a save would lose them).
struct TColorListReadResult {
  std::vector<TColorListItem> Items;
  // Lines counted from 1 as the reader splits them; blank lines never count.
  // A line cut short by a byte 0 counts even when its first part was read.
  std::size_t UnreadableCount = 0;
  std::vector<std::size_t> UnreadableLines;  // the first kColorListLinesNamed
  // Content beyond a byte-order mark and blanks, and not one line accepted.
  bool NotAColorList = false;
};
inline constexpr std::size_t kColorListLinesNamed = 5;

// A UTF-8, UTF-16LE or UTF-16BE byte-order mark chooses that encoding;
// without one the text is ANSI.
TColorListReadResult ColorListReadChecked(std::string_view fileBytes, const TAnsiCodec& ansi);
// Only the acceptable lines, in order.
std::vector<TColorListItem> ColorListRead(std::string_view fileBytes, const TAnsiCodec& ansi);

// What to tell the user before showing a result, or nothing when it opens
// without a word. NotAColorList: an error, the file is not opened. Lines
// that cannot be read: a question; OK opens, Cancel leaves all as it was.
enum class TColorListReadNotice { None, NotAColorList, UnreadableLines };
TColorListReadNotice ColorListReadNoticeOf(const TColorListReadResult& result);
// The interface's texts: "{0}" the file name; in Unreadable "{1}" the count,
// "{2}" the first line numbers and "{3}" More when there are others.
struct TColorListReadTexts {
  std::wstring NotAList, Unreadable, More;
};
std::wstring ColorListReadMessage(const TColorListReadResult& result, std::wstring_view fileName,
                                  const TColorListReadTexts& texts);

// The same on a stream: from its position to its end, and at its position.
// Stream errors pass through; reading is done before anything is parsed.
std::vector<TColorListItem> ColorListLoadFromStream(TStream& stream, const TAnsiCodec& ansi);
TColorListReadResult ColorListLoadFromStreamChecked(TStream& stream, const TAnsiCodec& ansi);
void ColorListSaveToStream(TStream& stream, const std::vector<TColorListRow>& rows, const TAnsiCodec& ansi);
void ColorListSaveToStream(TStream& stream, const TColorListSnapshot& items, const TAnsiCodec& ansi);

// An item of a line as an integer: leading spaces, an optional sign, then
// decimal digits or hexadecimal ones after $, x, X, 0x or 0X; nothing after
// them. False for anything else or outside the signed 32-bit range.
bool ColorListToInt(std::wstring_view item, std::int32_t& value);
