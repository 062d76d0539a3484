#pragma once
// Plain text on the system clipboard (CF_TEXT, ANSI bytes; CF_UNICODETEXT).
#include <windows.h>

#include <string>
#include <string_view>

namespace fw {

// Shown when another program keeps the clipboard open past the retries.
inline const wchar_t* kClipboardBusyText = L"クリップボードを開けませんでした。他のプログラムが使用中です。";

// The clipboard held open for one scope. Another program may hold it for a
// moment (clipboard viewers, Wine's X selection bridge), so opening retries
// briefly before it raises Exception with kClipboardBusyText.
class TClipboardScope {
 public:
  explicit TClipboardScope(HWND owner);
  ~TClipboardScope();
  TClipboardScope(const TClipboardScope&) = delete;
  TClipboardScope& operator=(const TClipboardScope&) = delete;
};

// Replaces the whole clipboard with the text and a terminating zero.
void ClipboardSetText(HWND owner, std::string_view ansi);
// Replaces the whole clipboard with the text as CF_UNICODETEXT and, for
// programs that read only CF_TEXT, the same text in the ANSI code page.
void ClipboardSetUnicodeText(HWND owner, std::wstring_view text);
// The CF_UNICODETEXT up to the first zero; empty when there is none.
std::wstring ClipboardGetUnicodeText(HWND owner);
// The CF_TEXT bytes up to the first zero or the end of the block (a zero is
// not guaranteed); empty when the clipboard holds no text.
std::string ClipboardGetText(HWND owner);
// The bytes of a text block up to the first zero or the end of the block.
std::string GlobalText(HANDLE mem);

}  // namespace fw
