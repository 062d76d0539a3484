#include "core/colorout/uPasteText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "core/colorout/uColorChannels.h"
#include "core/colorout/uColorNames.h"
#include "core/support/uStrings.h"

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v' || c == 0x3000; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int HexDigit(wchar_t c) {
  if (IsDigit(c)) return c - L'0';
  c = AsciiLower(c);
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (AsciiLower(text[i]) != prefix[i]) return false;
  return true;
}

struct TComponent {
  double value = 0;
  bool percent = false;
  std::wstring_view unit;  // letters after the number, such as "deg"
};

// A signed decimal number with an optional '%' or unit letters; the whole
// text must be used.
std::optional<TComponent> ParseComponent(std::wstring_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  double value = 0;
  int digits = 0;
  // Capped digit counts keep a long run of digits from reaching infinity.
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits)
    if (digits < 12) value = value * 10 + (text[i] - L'0');
  if (i < text.size() && text[i] == L'.') {
    double scale = 0.1;
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits, scale /= 10)
      if (scale > 1e-12) value += (text[i] - L'0') * scale;
  }
  if (digits == 0) return std::nullopt;
  TComponent component;
  component.value = negative ? -value : value;
  if (i < text.size() && text[i] == L'%') {
    component.percent = true;
    ++i;
  } else {
    const std::size_t unitStart = i;
    while (i < text.size() && AsciiLower(text[i]) >= L'a' && AsciiLower(text[i]) <= L'z') ++i;
    component.unit = text.substr(unitStart, i - unitStart);
  }
  if (i != text.size()) return std::nullopt;
  return component;
}

// The three components inside "name(...)": all separated by commas, or all
// by white space.
std::optional<std::array<TComponent, 3>> ParseArguments(std::wstring_view text, std::wstring_view name) {
  if (!StartsWithIgnoringCase(text, name) || text.size() < name.size() + 2) return std::nullopt;
  if (text[name.size()] != L'(' || text.back() != L')') return std::nullopt;
  const std::wstring_view inner = text.substr(name.size() + 1, text.size() - name.size() - 2);
  const bool commas = inner.find(L',') != std::wstring_view::npos;
  std::array<TComponent, 3> components;
  std::size_t count = 0;
  std::size_t i = 0;
  while (true) {
    while (i < inner.size() && IsSpace(inner[i])) ++i;
    std::size_t end = i;
    while (end < inner.size() && !IsSpace(inner[end]) && inner[end] != L',') ++end;
    if (end == i || count == 3) return std::nullopt;
    const auto component = ParseComponent(inner.substr(i, end - i));
    if (!component) return std::nullopt;
    components[count++] = *component;
    i = end;
    while (i < inner.size() && IsSpace(inner[i])) ++i;
    if (i == inner.size()) break;
    if (commas) {
      if (inner[i] != L',') return std::nullopt;
      ++i;
    }
  }
  if (count != 3) return std::nullopt;
  return components;
}

int ToChannel(double unit) {
  // The small allowance keeps 0.7 * 255 (178.49999...) on the side of the
  // half it stands for.
  return static_cast<int>(std::floor(std::clamp(unit, 0.0, 1.0) * 255 + 0.5 + 1e-9));
}

std::optional<TColor> ParseRgb(std::wstring_view text) {
  const auto args = ParseArguments(text, L"rgb");
  if (!args) return std::nullopt;
  int channels[3];
  for (int i = 0; i < 3; ++i) {
    const TComponent& c = (*args)[static_cast<std::size_t>(i)];
    if (!c.unit.empty()) return std::nullopt;
    channels[i] = ToChannel(c.percent ? c.value / 100 : c.value / 255);
  }
  return MakeColor(channels[0], channels[1], channels[2]);
}

std::optional<TColor> ParseHsl(std::wstring_view text) {
  const auto args = ParseArguments(text, L"hsl");
  if (!args) return std::nullopt;
  const TComponent& h = (*args)[0];
  const TComponent& s = (*args)[1];
  const TComponent& l = (*args)[2];
  if (h.percent || !(h.unit.empty() || (h.unit.size() == 3 && StartsWithIgnoringCase(h.unit, L"deg")))) return std::nullopt;
  if (!s.unit.empty() || !l.unit.empty()) return std::nullopt;
  double hue = std::fmod(h.value, 360.0);
  if (hue < 0) hue += 360;
  const double sat = std::clamp(s.value, 0.0, 100.0) / 100;
  const double light = std::clamp(l.value, 0.0, 100.0) / 100;
  const double a = sat * std::min(light, 1 - light);
  const auto f = [&](double n) {
    const double k = std::fmod(n + hue / 30, 12.0);
    return light - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
  };
  return MakeColor(ToChannel(f(0)), ToChannel(f(8)), ToChannel(f(4)));
}

std::optional<TColor> ParseShortHex(std::wstring_view text) {
  if (text.size() != 4 || text[0] != L'#') return std::nullopt;
  int digits[3];
  for (int i = 0; i < 3; ++i)
    if ((digits[i] = HexDigit(text[static_cast<std::size_t>(i) + 1])) < 0) return std::nullopt;
  return MakeColor(digits[0] * 17, digits[1] * 17, digits[2] * 17);
}

}  // namespace

std::optional<TColor> RecognizeColorText(std::wstring_view text) {
  text = Trim(text);
  if (auto color = ParseShortHex(text)) return color;
  if (auto color = ParseRgb(text)) return color;
  if (auto color = ParseHsl(text)) return color;
  return CssNamedColor(text);
}

std::optional<TColor> RecognizeColorTextAnsi(std::string_view bytes) {
  std::wstring wide;
  wide.reserve(bytes.size());
  // A byte above 0x7F widens to a character no rule accepts, so no code
  // page is needed.
  for (char c : bytes) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return RecognizeColorText(wide);
}
