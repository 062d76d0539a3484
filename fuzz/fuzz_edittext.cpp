// Arbitrary text typed or pasted into an edit-trackbar: the character filter
// and the text-to-position conversion must keep Position a multiple of
// Precision within Min..Max, and the control's own text must read back as
// the same Position.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/controls/uEditInputFilter.h"
#include "core/controls/uEditTrackBarModel.h"
#include "core/support/uFloatText.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckPosition(const TEditTrackBarModel& m) {
  const double p = m.Position();
  Check(p >= m.Min() && p <= m.Max());
  const double k = p / m.Precision();
  Check(std::fabs(k - std::round(k)) <= 1e-9 * std::fmax(1.0, std::fabs(k)));
}

void CheckFilteredText(int kind, const std::wstring& text) {
  if (kind >= 1 && kind <= 4) {
    int signs = 0, separators = 0;
    for (wchar_t ch : text) {
      Check((ch >= L'0' && ch <= L'9') || ch == L'-' || ch == L'.');
      signs += ch == L'-';
      separators += ch == L'.';
    }
    Check(signs <= (kind == 1 || kind == 3 ? 1 : 0));
    Check(separators <= (kind >= 3 ? 1 : 0));
  } else if (kind == 5) {
    for (wchar_t ch : text) Check((ch >= L'0' && ch <= L'9') || (ch >= L'A' && ch <= L'F'));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static const double kPrecisions[] = {1, 0.5, 0.25, 0.1};
  static const double kBounds[][2] = {{0, 255}, {0, 100}, {-100, 100}, {0, 360}, {-1000, -10}};
  const std::uint8_t config = data[0], flags = data[1];
  const wchar_t separator = flags & 1 ? L',' : L'.';

  TEditTrackBarModel m;
  m.SetDecimalSeparator(separator);
  m.SetMax(kBounds[(config >> 2) % 5][1]);
  m.SetMin(kBounds[(config >> 2) % 5][0]);
  if (config & 0x80)
    m.SetHex(true);
  else
    m.SetPrecision(kPrecisions[config & 3]);
  m.SetWrap(flags & 2);
  m.SetPageSize(flags & 4 ? 5 : 0.5);

  std::wstring pasted;
  for (std::size_t i = 2; i + 1 < size; i += 2) pasted += static_cast<wchar_t>(data[i] | data[i + 1] << 8);

  // Pasted: no filter on the way in.
  m.ApplyText(pasted);
  CheckPosition(m);

  // Typed: through the filter, with a few editing keys of its own. Every key
  // reparses the whole text, so only the first keys are typed: past a few
  // hundred nobody types into a number box, and the cost grows as the square.
  std::wstring text;
  int caret = 0, selection = 0;
  for (wchar_t ch : std::wstring_view(pasted).substr(0, 256)) {
    if (ch == 1) {  // select all
      caret = 0;
      selection = static_cast<int>(text.size());
      continue;
    }
    if (ch == 2) {  // home
      caret = selection = 0;
      continue;
    }
    const TKeyDecision d = FilterChar(m.InputKind(), ch, {text, caret, selection});
    if (d.Action == kaReject) continue;
    if (d.Char == L'\b') {
      if (selection == 0 && caret > 0)
        text.erase(static_cast<std::size_t>(--caret), 1);
      else
        text.erase(static_cast<std::size_t>(caret), static_cast<std::size_t>(selection));
    } else if (d.Char >= L' ') {
      text.replace(static_cast<std::size_t>(caret), static_cast<std::size_t>(selection), 1, d.Char);
      ++caret;
    } else {
      continue;
    }
    selection = 0;
    CheckFilteredText(m.InputKind(), text);
    m.ApplyText(text);
    CheckPosition(m);
  }

  m.StepByKey(static_cast<TStepKey>(flags >> 4 & 3));
  CheckPosition(m);
  m.StepBySpin(flags & 0x40 ? sbUp : sbDown, {bool(flags & 0x80), false, false});
  CheckPosition(m);

  // The control's own rewrite must not move the value it shows.
  const double before = m.Position();
  m.ApplyText(m.PositionText());
  Check(m.Position() == before);

  if (const auto v = TryStrToFloat(pasted, separator)) {
    const auto back = TryStrToFloat(FloatToStr(*v, separator), separator);
    Check(back.has_value());
    Check(*back == *v || std::fabs(*back - *v) <= 1e-14 * std::fabs(*v));
  }
  return 0;
}
