#include "app/uCommandLinePick.h"

#include <windows.h>

#include "app/resources/StringIds.h"
#include "app/uPickMode.h"
#include "app/uUiText.h"
#include "core/shell/uCommandLine.h"
#include "core/support/uUtf8.h"
#include "framework/Clipboard.h"
#include "framework/Application.h"
#include "framework/support/uAppMessage.h"
#include "framework/support/uRegistry.h"

namespace {

// Where the answer goes: the handle the process was given (a pipe or a file
// from a script, or the terminal under Wine), else the console of the
// program that started it. None when started from a shortcut.
HANDLE Output(DWORD which) {
  HANDLE h = ::GetStdHandle(which);
  if (h && h != INVALID_HANDLE_VALUE) return h;
  static const bool attached = ::AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
  if (!attached) return nullptr;
  h = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, 0, nullptr);
  return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

// False when there is no console to write to.
bool Print(DWORD which, const std::wstring& text) {
  HANDLE h = Output(which);
  if (!h) return false;
  const std::wstring line = text + L"\r\n";
  DWORD mode = 0, written = 0;
  if (::GetConsoleMode(h, &mode))
    return ::WriteConsoleW(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) != FALSE;
  // A pipe or a file: UTF-8, which every script reads the same whatever the code page.
  const std::string bytes = Utf8Encode(line);
  return ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE;
}

void Report(DWORD which, const std::wstring& text) {
  if (!Print(which, text)) ShowAppMessage(text);
}

int Pick(const TStartOptions& options, const std::wstring& key) {
  auto read = [&](const wchar_t* name) { return key.empty() ? std::wstring() : GetRegistryVal(HKEY_CURRENT_USER, key, name); };
  TPickRequest request;
  request.Sampling = ParseSampling(read(L"SampleSize"), read(L"SampleMode"));
  request.Zoom = ParseZoomFactor(read(L"ZoomFactor"));
  request.Freeze = options.Freeze.value_or(read(L"PickFreeze") == L"1");
  TPickMode mode;
  mode.ColorText = [&](TColor color) { return FormatColor(options.Format, color); };
  std::optional<TColor> picked;
  mode.OnPick = [&](TColor color) {
    picked = color;
    ::PostQuitMessage(kExitPicked);
  };
  mode.OnCancel = [] { ::PostQuitMessage(kExitCancelled); };
  if (!mode.Start(request)) return kExitCancelled;
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (!picked) return kExitCancelled;
  const std::wstring text = FormatColor(options.Format, *picked);
  // The loupe's window owns the clipboard: a clipboard opened without a window takes no data.
  fw::ClipboardSetUnicodeText(mode.LoupeHandle(), text);
  Print(STD_OUTPUT_HANDLE, text);
  return kExitPicked;
}

}  // namespace

std::optional<int> RunCommandLine(const std::vector<std::wstring>& args, const std::wstring& settingsKey) {
  const TStartOptions options = ParseStartOptions(args);
  switch (options.Action) {
    case TStartAction::Window:
      return std::nullopt;
    case TStartAction::Help:
      Report(STD_OUTPUT_HANDLE, UiText(IDS_USAGE, StableNameList()));
      return kExitPicked;
    case TStartAction::BadFormat:
      Report(STD_ERROR_HANDLE, UiText(IDS_BAD_FORMAT, options.Argument) + L"\r\n" +
                                   UiText(IDS_VALID_FORMATS, StableNameList()));
      return kExitBadArguments;
    case TStartAction::BadArgument:
      Report(STD_ERROR_HANDLE, UiText(IDS_BAD_ARGUMENT, options.Argument) + L"\r\n\r\n" +
                                   UiText(IDS_USAGE, StableNameList()));
      return kExitBadArguments;
    case TStartAction::Pick:
      break;
  }
  try {
    return Pick(options, settingsKey);
  } catch (const std::exception&) {
    fw::Application().HandleException();
    return kExitCancelled;
  }
}
