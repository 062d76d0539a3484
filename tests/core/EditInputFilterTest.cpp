#include <gtest/gtest.h>

#include "core/controls/uEditInputFilter.h"

namespace {

struct FilterCase {
  int kind;
  wchar_t ch;
  const wchar_t* text;
  int selStart, selLength;
  TKeyAction action;
  wchar_t result;
};

TEST(EditInputFilter, Kinds) {
  const FilterCase cases[] = {
      {0, L'x', L"", 0, 0, kaAccept, L'x'},
      {2, L'-', L"", 0, 0, kaReject, L'-'},
      {2, L'.', L"1", 1, 0, kaReject, L'.'},
      {2, L'5', L"1", 1, 0, kaAccept, L'5'},
      {2, L' ', L"1", 1, 0, kaReject, L' '},
      {2, L'\b', L"1", 1, 0, kaAccept, L'\b'},    // control characters pass
      {2, 0xD83D, L"1", 1, 0, kaReject, 0xD83D},  // half of a surrogate pair
      {1, L'-', L"5", 0, 0, kaAccept, L'-'},
      {1, L'-', L"5", 1, 0, kaReject, L'-'},   // not at the start
      {1, L'-', L"-5", 0, 0, kaReject, L'-'},  // only once
      {1, L'-', L"-5", 0, 2, kaAccept, L'-'},  // whole text selected
      {1, L'.', L"5", 1, 0, kaReject, L'.'},
      {3, L'.', L"1", 1, 0, kaAccept, L'.'},
      {3, L'.', L"1.5", 3, 0, kaReject, L'.'},
      {3, L'.', L"1.5", 0, 3, kaAccept, L'.'},
      {3, L'-', L"1.5", 0, 0, kaAccept, L'-'},
      {3, L'-', L"-1.5", 0, 1, kaReject, L'-'},  // part of the text is not all of it
      {4, L'-', L"", 0, 0, kaReject, L'-'},
      {4, L'.', L"", 0, 0, kaAccept, L'.'},
      {5, L'f', L"", 0, 0, kaReplace, L'F'},
      {5, L'A', L"", 0, 0, kaAccept, L'A'},
      {5, L'g', L"", 0, 0, kaReject, L'g'},
      {5, L'\b', L"", 0, 0, kaAccept, L'\b'},
  };
  for (const auto& c : cases) {
    const TKeyDecision d = FilterChar(c.kind, c.ch, {c.text, c.selStart, c.selLength});
    EXPECT_EQ(d.Action, c.action) << "kind " << c.kind << " char " << int(c.ch) << " in "
                                  << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(d.Char, c.result) << "kind " << c.kind << " char " << int(c.ch);
  }
}

TEST(EditInputFilter, ThePointIsTheOnlyDecimalSeparator) {
  // Also where the locale writes decimals with a comma.
  EXPECT_EQ(FilterChar(4, L'.', {L"1", 1, 0}).Action, kaAccept);
  EXPECT_EQ(FilterChar(4, L',', {L"1", 1, 0}).Action, kaReject);
  EXPECT_EQ(FilterChar(3, L',', {L"1", 0, 1}).Action, kaReject);
}

struct KeyCase {
  wchar_t key;
  bool useCancel, enterNext, multiLine;
  int kind;
  TKeyAction action;
};

TEST(EditInputFilter, EscAndEnter) {
  const KeyCase cases[] = {
      {27, true, false, true, 2, kaCancel},
      {27, false, false, true, 2, kaAccept},
      {27, true, false, false, 5, kaCancel},  // before the filter
      {13, false, true, true, 2, kaNextControl},
      {13, false, false, true, 2, kaSwallow},  // no line break in the multi-line edit
      {13, false, false, false, 2, kaAccept},
      {L'g', false, false, true, 5, kaReject},
      {L'f', true, true, true, 5, kaReplace},
  };
  for (const auto& c : cases) {
    const TKeyDecision d = DecideKeyPress(c.key, {c.useCancel, c.enterNext, c.multiLine, c.kind}, {L"12", 2, 0});
    EXPECT_EQ(d.Action, c.action) << "key " << int(c.key) << " cancel " << c.useCancel << " next " << c.enterNext
                                  << " multi " << c.multiLine;
  }
}

}  // namespace
