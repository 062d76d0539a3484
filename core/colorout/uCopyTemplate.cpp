#include "core/colorout/uCopyTemplate.h"

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uColorNames.h"
#include "core/colorout/uColorSpaces.h"
#include "core/colorout/uDecimalText.h"

namespace {

enum class TPlaceholder { None, R, G, B, HexR, HexG, HexB, H, S, L, Rf, Gf, Bf, Name };

TPlaceholder Lookup(std::wstring_view name) {
  struct Entry {
    std::wstring_view name;
    TPlaceholder placeholder;
  };
  static constexpr Entry kEntries[] = {
      {L"r", TPlaceholder::R},     {L"g", TPlaceholder::G},         {L"b", TPlaceholder::B},
      {L"R", TPlaceholder::HexR},  {L"G", TPlaceholder::HexG},      {L"B", TPlaceholder::HexB},
      {L"h", TPlaceholder::H},     {L"s", TPlaceholder::S},         {L"l", TPlaceholder::L},
      {L"rf", TPlaceholder::Rf},   {L"gf", TPlaceholder::Gf},       {L"bf", TPlaceholder::Bf},
      {L"name", TPlaceholder::Name},
  };
  for (const Entry& e : kEntries)
    if (e.name == name) return e.placeholder;
  return TPlaceholder::None;
}

std::wstring Hex2(int value) {
  const wchar_t* digits = L"0123456789ABCDEF";
  return {digits[value >> 4 & 0xF], digits[value & 0xF]};
}

std::wstring Unit(int channel) { return FixedText((2000 * channel + 255) / 510 / 1000.0, 3); }

std::wstring Fill(TPlaceholder placeholder, TColor color) {
  switch (placeholder) {
    case TPlaceholder::R: return std::to_wstring(RedOf(color));
    case TPlaceholder::G: return std::to_wstring(GreenOf(color));
    case TPlaceholder::B: return std::to_wstring(BlueOf(color));
    case TPlaceholder::HexR: return Hex2(RedOf(color));
    case TPlaceholder::HexG: return Hex2(GreenOf(color));
    case TPlaceholder::HexB: return Hex2(BlueOf(color));
    case TPlaceholder::H: return std::to_wstring(ColorToHslPercent(color).hue);
    case TPlaceholder::S: return std::to_wstring(ColorToHslPercent(color).saturation);
    case TPlaceholder::L: return std::to_wstring(ColorToHslPercent(color).lightness);
    case TPlaceholder::Rf: return Unit(RedOf(color));
    case TPlaceholder::Gf: return Unit(GreenOf(color));
    case TPlaceholder::Bf: return Unit(BlueOf(color));
    case TPlaceholder::Name: return ColorNameText(color);
    case TPlaceholder::None: break;
  }
  return {};
}

// One step of the scan at text[i]: how many code units it takes, what it
// stands for (a placeholder, or else literal text), or a problem.
struct TStep {
  std::size_t length = 1;
  TPlaceholder placeholder = TPlaceholder::None;
  std::wstring_view literal;
  std::optional<TTemplateFault> problem;
};

TStep Scan(std::wstring_view text, std::size_t i) {
  const wchar_t c = text[i];
  const bool doubled = i + 1 < text.size() && text[i + 1] == c;
  TStep step;
  step.literal = text.substr(i, 1);
  if (c == L'\0') {
    // Dropped on expansion: a NUL would cut the clipboard text short.
    step.literal = {};
    step.problem = TTemplateFault::Nul;
  } else if (c == L'}') {
    if (doubled)
      step.length = 2;
    else
      step.problem = TTemplateFault::UnmatchedClose;
  } else if (c == L'{') {
    if (doubled) {
      step.length = 2;
      return step;
    }
    const std::size_t close = text.find_first_of(L"{}", i + 1);
    if (close == std::wstring_view::npos || text[close] != L'}') {
      step.problem = TTemplateFault::Unclosed;
      return step;
    }
    const TPlaceholder placeholder = Lookup(text.substr(i + 1, close - i - 1));
    if (placeholder == TPlaceholder::None) {
      step.problem = TTemplateFault::UnknownName;
      return step;
    }
    step.length = close - i + 1;
    step.placeholder = placeholder;
  }
  return step;
}

}  // namespace

std::optional<TTemplateProblem> CheckCopyTemplate(std::wstring_view text) {
  if (text.empty()) return TTemplateProblem{0, TTemplateFault::Empty};
  for (std::size_t i = 0; i < text.size();) {
    const TStep step = Scan(text, i);
    if (step.problem) {
      // Scan reads an unknown name one unit at a time; the message names it whole.
      const std::size_t end = *step.problem == TTemplateFault::UnknownName ? text.find(L'}', i) + 1 : i + 1;
      return TTemplateProblem{i, *step.problem, end - i};
    }
    i += step.length;
  }
  return std::nullopt;
}

std::wstring ExpandCopyTemplate(std::wstring_view text, TColor color) {
  color &= 0xFFFFFFu;
  std::wstring out;
  for (std::size_t i = 0; i < text.size();) {
    const TStep step = Scan(text, i);
    if (step.placeholder != TPlaceholder::None)
      out += Fill(step.placeholder, color);
    else
      out += step.literal;
    i += step.length;
  }
  return out;
}
