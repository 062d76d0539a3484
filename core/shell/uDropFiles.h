#pragma once
// The file list of a dropped CF_HDROP block: a DROPFILES header (offset of
// the names, drop point, non-client flag, wide flag), then the names, each
// ending in a zero, the list ending in an empty name. Read from the block's
// bytes alone, so a damaged or hostile block cannot lead the reader past
// its end, whatever its header says.
#include <string>
#include <string_view>
#include <vector>

#include "core/colorlist/uColorListFile.h"

// The names in order. A name that runs to the end of the block without its
// zero is not trusted and ends the list. Wide names are UTF-16LE; the others
// are in the ANSI code page.
std::vector<std::wstring> DropFileNames(std::string_view block, const TAnsiCodec& ansi);
