#include "core/support/uFloatText.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

std::wstring FloatToStr(double x, wchar_t decimalSeparator) {
  if (std::isnan(x)) return L"NAN";
  if (std::isinf(x)) return x > 0 ? L"INF" : L"-INF";
  if (x == 0) return L"0";  // also for -0

  // d.dddddddddddddde±x: fifteen correctly rounded significant digits. Not
  // std::to_chars: its tables cost the exe over 200 KB; the C library's
  // printf (MinGW's own under libstdc++) rounds correctly too.
  char buf[40];
  const int n = std::snprintf(buf, sizeof buf, "%.14e", x);
  std::string sci(buf, n > 0 ? static_cast<std::size_t>(n) : 0);

  std::wstring text;
  std::size_t pos = 0;
  if (sci[pos] == '-') {
    text += L'-';
    ++pos;
  }
  std::string digits(1, sci[pos]);
  pos += 2;  // the digit and the point
  while (sci[pos] != 'e') digits += sci[pos++];
  const int exponent = std::atoi(sci.c_str() + pos + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int count = static_cast<int>(digits.size());

  auto append = [&text](const std::string& s, std::size_t from, std::size_t n) {
    for (std::size_t i = from; i < from + n && i < s.size(); ++i) text += static_cast<wchar_t>(s[i]);
  };

  if (exponent < -5 || exponent >= 15) {
    append(digits, 0, 1);
    if (count > 1) {
      text += decimalSeparator;
      append(digits, 1, digits.size());
    }
    text += L'E';
    if (exponent < 0) text += L'-';
    for (char ch : std::to_string(std::abs(exponent))) text += static_cast<wchar_t>(ch);
  } else if (exponent >= 0) {
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    append(digits, 0, whole);
    for (int i = count; i < exponent + 1; ++i) text += L'0';
    if (static_cast<std::size_t>(count) > whole) {
      text += decimalSeparator;
      append(digits, whole, digits.size());
    }
  } else {
    text += L'0';
    text += decimalSeparator;
    for (int i = 0; i < -exponent - 1; ++i) text += L'0';
    append(digits, 0, digits.size());
  }
  return text;
}

std::optional<double> TryStrToFloat(std::wstring_view text, wchar_t decimalSeparator) {
  while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == L' ') text.remove_suffix(1);

  // Checked here, then handed to strtod in its own spelling: that one would
  // also take "inf", "nan", hexadecimal and a locale's separator.
  std::string ascii;
  ascii.reserve(text.size());
  std::size_t i = 0;
  auto isDigit = [&] { return i < text.size() && text[i] >= L'0' && text[i] <= L'9'; };
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    if (text[i] == L'-') ascii += '-';
    ++i;
  }
  int mantissaDigits = 0;
  for (; isDigit(); ++i, ++mantissaDigits) ascii += static_cast<char>(text[i]);
  if (i < text.size() && text[i] == decimalSeparator) {
    ascii += '.';
    ++i;
    for (; isDigit(); ++i, ++mantissaDigits) ascii += static_cast<char>(text[i]);
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    ascii += 'e';
    ++i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ascii += static_cast<char>(text[i++]);
    int exponentDigits = 0;
    for (; isDigit(); ++i, ++exponentDigits) ascii += static_cast<char>(text[i]);
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(ascii.c_str(), &end);
  if (end != ascii.c_str() + ascii.size() || errno == ERANGE || !std::isfinite(value)) return std::nullopt;
  return value;
}
