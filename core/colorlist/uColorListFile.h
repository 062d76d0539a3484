#pragma once
// The colour list file: one line per item, red, green and blue as the cells
// hold them, then the comment in double quotes, each line ending in CR LF.
// The text is in the system's ANSI code page when every character of the
// file fits it exactly, otherwise UTF-8 with a byte-order mark.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/support/Stream.h"

// The texts of one list row's red, green, blue and comment cells.
struct TColorListRow {
  std::wstring Red, Green, Blue, Comment;
};

// One line the reader accepted. No range check: 300 or -5 come back as such.
struct TColorListItem {
  std::int32_t Red = 0, Green = 0, Blue = 0;
  std::wstring Comment;
  bool operator==(const TColorListItem&) const = default;
};

// The system's ANSI code page, supplied by the platform layer.
class TAnsiCodec {
 public:
  virtual ~TAnsiCodec() = default;
  // False when some character has no exact form in the code page (it would
  // need a best-fit look-alike or the default character).
  virtual bool EncodeExact(std::wstring_view text, std::string& out) const = 0;
  virtual std::wstring Decode(std::string_view bytes) const = 0;
};

// The whole file; no rows give no bytes.
std::string ColorListWrite(const std::vector<TColorListRow>& rows, const TAnsiCodec& ansi);

// Every acceptable line of the file, in order; other lines are skipped
// silently. A UTF-8 or UTF-16LE byte-order mark chooses that encoding.
std::vector<TColorListItem> ColorListRead(std::string_view fileBytes, const TAnsiCodec& ansi);

// The same on a stream: from its position to its end, and at its position.
// Stream errors pass through; reading is done before anything is parsed.
std::vector<TColorListItem> ColorListLoadFromStream(TStream& stream, const TAnsiCodec& ansi);
void ColorListSaveToStream(TStream& stream, const std::vector<TColorListRow>& rows, const TAnsiCodec& ansi);

// An item of a line as an integer: leading spaces, an optional sign, then
// decimal digits or hexadecimal ones after $, x, X, 0x or 0X; nothing after
// them. False for anything else or outside the signed 32-bit range.
bool ColorListToInt(std::wstring_view item, std::int32_t& value);
