#include "core/controls/uEditInputFilter.h"

namespace {

constexpr wchar_t kEnter = 13;
constexpr wchar_t kEsc = 27;

bool WholeTextSelected(const TEditSelection& edit) {
  return edit.SelStart <= 0 && edit.SelLength >= static_cast<int>(edit.Text.size());
}

TKeyDecision FilterNumber(int kind, wchar_t ch, const TEditSelection& edit) {
  const TKeyDecision accept{kaAccept, ch};
  const TKeyDecision reject{kaReject, ch};
  if (ch < L' ') return accept;
  const bool decimals = kind == 3 || kind == 4;
  const bool sign = kind == 1 || kind == 3;
  if (ch == L'-') {
    if (!sign) return reject;
    if (!WholeTextSelected(edit) && (edit.SelStart != 0 || edit.Text.find(L'-') != std::wstring_view::npos))
      return reject;
    return accept;
  }
  if (ch == L'.') {
    if (!decimals) return reject;
    if (!WholeTextSelected(edit) && edit.Text.find(L'.') != std::wstring_view::npos) return reject;
    return accept;
  }
  return ch >= L'0' && ch <= L'9' ? accept : reject;
}

TKeyDecision FilterHex(wchar_t ch) {
  if (ch < L' ' || (ch >= L'0' && ch <= L'9') || (ch >= L'A' && ch <= L'F')) return {kaAccept, ch};
  if (ch >= L'a' && ch <= L'f') return {kaReplace, static_cast<wchar_t>(ch - L'a' + L'A')};
  return {kaReject, ch};
}

}  // namespace

TKeyDecision FilterChar(int inputKind, wchar_t ch, const TEditSelection& edit) {
  if (inputKind >= 1 && inputKind <= 4) return FilterNumber(inputKind, ch, edit);
  if (inputKind == 5) return FilterHex(ch);
  return {kaAccept, ch};
}

TKeyDecision DecideKeyPress(wchar_t key, const TKeyPressOptions& options, const TEditSelection& edit) {
  if (options.UseCancel && key == kEsc) return {kaCancel, key};
  if (options.EnterNext && key == kEnter) return {kaNextControl, key};
  const TKeyDecision filtered = FilterChar(options.InputKind, key, edit);
  if (filtered.Action == kaReject) return filtered;
  // A multi-line edit (needed for the formatting rectangle) would take
  // Enter as a line break.
  if (key == kEnter && options.MultiLine) return {kaSwallow, key};
  return filtered;
}
