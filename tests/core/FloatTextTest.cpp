#include <optional>

#include <gtest/gtest.h>

#include "core/support/uFloatText.h"

namespace {

struct ToTextCase {
  double x;
  const wchar_t* text;
};

TEST(FloatToStr, ShortestGeneralFormOfFifteenDigits) {
  const ToTextCase cases[] = {
      {255, L"255"},
      {0.5, L"0.5"},
      {-12.5, L"-12.5"},
      {0, L"0"},
      {-0.0, L"0"},
      {0.1 + 0.2, L"0.3"},
      {1.0 / 3, L"0.333333333333333"},
      {1e-5, L"0.00001"},
      {9.9e-6, L"9.9E-6"},
      {123456789012345, L"123456789012345"},
      {1e15, L"1E15"},
      {-2.5e20, L"-2.5E20"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.x), c.text) << c.x;
}

TEST(FloatToStr, UsesTheGivenSeparator) {
  EXPECT_EQ(FloatToStr(0.5, L','), L"0,5");
  EXPECT_EQ(FloatToStr(1.5e-7, L','), L"1,5E-7");
}

struct FromTextCase {
  const wchar_t* text;
  wchar_t separator;
  std::optional<double> value;
};

TEST(TryStrToFloat, AcceptsDecimalsOnly) {
  const FromTextCase cases[] = {
      {L"12.5", L'.', 12.5},   {L" 7 ", L'.', 7},    {L"5.", L'.', 5},      {L".5", L'.', 0.5},   {L"+3", L'.', 3},
      {L"-0.25", L'.', -0.25}, {L"1e3", L'.', 1000}, {L"2E-2", L'.', 0.02}, {L"1,5", L',', 1.5},  {L"-", L'.', {}},
      {L"", L'.', {}},         {L".", L'.', {}},     {L"1e", L'.', {}},     {L"1e999", L'.', {}}, {L"inf", L'.', {}},
      {L"nan", L'.', {}},      {L"1,5", L'.', {}},   {L"1.5", L',', {}},    {L"1 2", L'.', {}},   {L"0x10", L'.', {}},
      {L"--1", L'.', {}},      {L"1.2.3", L'.', {}}, {L"\xFF11", L'.', {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TryStrToFloat(c.text, c.separator), c.value) << testing::PrintToString(std::wstring(c.text));
}

}  // namespace
