#pragma once
// What the button edit base does with a typed character: the filter of its
// input kind and the Esc and Enter keys. Pure decisions; the Windows side
// beeps, swallows or rewrites the WM_CHAR accordingly.

#include <string_view>

// Input kinds: 0 none, 1 signed integer, 2 unsigned integer, 3 signed
// decimal, 4 unsigned decimal, 5 hexadecimal.
enum TKeyAction {
  kaAccept,       // let the character through unchanged
  kaReplace,      // let Char through instead
  kaReject,       // swallow it with a plain beep
  kaSwallow,      // swallow it silently
  kaCancel,       // put the cancel text back (after OnCancel), swallow
  kaNextControl,  // move the focus to the next control, swallow
};

struct TKeyDecision {
  TKeyAction Action;
  wchar_t Char;
};

// The edit's state when the character arrives; the character goes in at
// SelStart, replacing SelLength code units.
struct TEditSelection {
  std::wstring_view Text;
  int SelStart;
  int SelLength;
};

// The decimal point that may be typed is "." whatever the locale says.
TKeyDecision FilterChar(int inputKind, wchar_t ch, const TEditSelection& edit);

struct TKeyPressOptions {
  bool UseCancel;
  bool EnterNext;
  bool MultiLine;
  int InputKind;
};

// The whole key-press handling after OnKeyPress: Esc, Enter, then the filter.
TKeyDecision DecideKeyPress(wchar_t key, const TKeyPressOptions& options, const TEditSelection& edit);
