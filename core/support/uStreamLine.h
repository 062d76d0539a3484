#pragma once
// Text lines on a byte stream. The bytes are ANSI text; converting them is the
// caller's business.
#include <string>
#include <string_view>

#include "core/support/Stream.h"

// A line ends at CR, LF, CR LF or the byte 26, or at the end of the stream;
// the end is consumed and not returned. Afterwards the stream stands on the
// first byte after the line end. At the end of the stream: an empty string.
std::string StreamReadLine(TStream& stream);

// Writes text and CR LF; a short write raises EWriteError.
void StreamWriteLine(TStream& stream, std::string_view text);
