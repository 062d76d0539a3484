#include "core/shell/uCommandLine.h"

#include <string_view>

#include "core/support/uStrings.h"

namespace {

bool Is(std::wstring_view arg, std::wstring_view option) { return AsciiEqualNoCase(arg, option); }

bool IsHelp(std::wstring_view arg) { return Is(arg, L"--help") || Is(arg, L"-h") || arg == L"/?"; }

}  // namespace

std::wstring StableNameList() {
  std::wstring list;
  for (const TCopyFormat format : BuiltInCopyFormats()) {
    if (!list.empty()) list += L", ";
    list += CopyFormatStableName(format);
  }
  return list;
}

TStartOptions ParseStartOptions(std::span<const std::wstring> args) {
  TStartOptions o;
  bool pick = false;
  std::optional<std::wstring> badFormat, unknown;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::wstring_view arg = args[i];
    if (IsHelp(arg)) return TStartOptions{TStartAction::Help};
    constexpr std::wstring_view kFormatIs = L"--format=";
    const bool formatIs = arg.size() >= kFormatIs.size() && Is(arg.substr(0, kFormatIs.size()), kFormatIs);
    if (Is(arg, L"--pick")) {
      pick = true;
    } else if (Is(arg, L"--freeze")) {
      o.Freeze = true;
    } else if (Is(arg, L"--format") || formatIs) {
      std::wstring_view name;
      if (formatIs)
        name = arg.substr(kFormatIs.size());
      else if (i + 1 < args.size())
        name = args[++i];
      if (const std::optional<TCopyFormat> format = CopyFormatFromStableName(name))
        o.Format = *format;
      else if (!badFormat)
        badFormat = std::wstring(name);
    } else if (arg.starts_with(L"-") && !unknown) {
      unknown = std::wstring(arg);
    }
  }
  // The window looks at its first argument only ("-n") and ignores the rest, as it always has.
  if (!pick) return TStartOptions{};
  if (badFormat) return TStartOptions{TStartAction::BadFormat, {}, {}, *badFormat};
  if (unknown) return TStartOptions{TStartAction::BadArgument, {}, {}, *unknown};
  o.Action = TStartAction::Pick;
  return o;
}
