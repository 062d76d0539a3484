#pragma once
// The program's arguments: "-n" first (do not reopen the last file), or
// "--pick [--format NAME] [--freeze]" (a pick without the main window), or
// "--help". Options are ASCII case-insensitive; "--format=NAME" works too.
// Without --pick every argument but --help is left to the window.
#include <optional>
#include <span>
#include <string>

#include "core/colorout/uCopyFormats.h"

enum class TStartAction {
  Window,       // the main window
  Pick,         // a pick mode alone
  Help,         // the usage on the console
  BadFormat,    // --format with no known name (Argument holds it)
  BadArgument,  // an option the pick does not know (Argument holds it)
};

struct TStartOptions {
  TStartAction Action = TStartAction::Window;
  TCopyFormat Format = TCopyFormat::HexUpper;
  // Given: the screen is frozen; none: as stored.
  std::optional<bool> Freeze;
  std::wstring Argument;
};

TStartOptions ParseStartOptions(std::span<const std::wstring> args);

// Every built-in format's stable name, in menu order, joined by ", ".
std::wstring StableNameList();

// The process's exit codes of a pick from the command line.
inline constexpr int kExitPicked = 0, kExitCancelled = 1, kExitBadArguments = 2;
