#include "support/uUserError.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

std::wstring Chained(const fw::Exception& earlier, const std::wstring& message) {
  wchar_t hex[9];
  std::swprintf(hex, 9, L"%08X", earlier.Location());
  return earlier.Message() + L":" + hex + L"\r\n" + message;
}

TEST(UserErrorTest, OutsideAnyHandlerTheTextIsTheMessage) {
  EXPECT_EQ(EUserError(L"TfrmTintra.edtFactorChange:Illegal iIndex").Message(),
            L"TfrmTintra.edtFactorChange:Illegal iIndex");
  EXPECT_EQ(EUserError(L"").Message(), L"");
}

TEST(UserErrorTest, IsAnFwException) {
  try {
    throw EUserError(L"x");
  } catch (const fw::Exception& e) {
    EXPECT_EQ(e.Message(), L"x");
    EXPECT_STREQ(e.what(), "x");
  }
}

TEST(UserErrorTest, InsideAHandlerOfAnFwExceptionTheEarlierTextComesFirst) {
  try {
    throw fw::Exception(L"first");
  } catch (const fw::Exception& e) {
    EUserError error(L"second");
    EXPECT_EQ(error.Message(), Chained(e, L"second"));
    EXPECT_EQ(error.Message().substr(0, 6), L"first:");
    EXPECT_EQ(error.Message().size(), std::wstring(L"first:00000000\r\nsecond").size());
  }
}

TEST(UserErrorTest, InsideACatchAllHandlerTheEarlierFwExceptionIsFound) {
  try {
    throw fw::Exception(L"cause");
  } catch (...) {
    try {
      std::rethrow_exception(std::current_exception());
    } catch (const fw::Exception& e) {
      EXPECT_EQ(EUserError(L"effect").Message(), Chained(e, L"effect"));
    }
  }
}

TEST(UserErrorTest, ForeignExceptionsAreNotChained) {
  try {
    throw std::runtime_error("not ours");
  } catch (...) {
    EXPECT_EQ(EUserError(L"msg").Message(), L"msg");
  }
  try {
    throw 42;
  } catch (...) {
    EXPECT_EQ(EUserError(L"msg").Message(), L"msg");
  }
}

TEST(UserErrorTest, AChainedErrorChainsAgain) {
  try {
    throw fw::Exception(L"a");
  } catch (const fw::Exception& a) {
    try {
      throw EUserError(L"b");
    } catch (const EUserError& b) {
      EXPECT_EQ(b.Message(), Chained(a, L"b"));
      EXPECT_EQ(EUserError(L"c").Message(), Chained(b, L"c"));
    }
  }
}

TEST(UserErrorTest, AfterTheHandlerEndedNothingIsChained) {
  try {
    throw fw::Exception(L"gone");
  } catch (const fw::Exception&) {
  }
  EXPECT_EQ(EUserError(L"fresh").Message(), L"fresh");
}

TEST(UserErrorTest, TheCurrentlyHandledExceptionIsTheInnermost) {
  try {
    throw fw::Exception(L"outer");
  } catch (const fw::Exception&) {
    try {
      throw fw::Exception(L"inner");
    } catch (const fw::Exception& inner) {
      EXPECT_EQ(EUserError(L"m").Message(), Chained(inner, L"m"));
    }
  }
}

// While unwinding, before any handler is reached, the Itanium ABI (GCC,
// Clang, MinGW) hands out no exception, so the text stays plain; a runtime
// that does expose the one in flight must chain it.
struct TMakesErrorOnUnwind {
  std::wstring* Out;
  ~TMakesErrorOnUnwind() { *Out = EUserError(L"during unwind").Message(); }
};

TEST(UserErrorTest, DuringUnwindingTheTextIsPlainOrChainedToTheFlyingOne) {
  std::wstring text;
  try {
    TMakesErrorOnUnwind guard{&text};
    throw fw::Exception(L"in flight");
  } catch (const fw::Exception&) {
  }
  const std::wstring plain = L"during unwind";
  if (text != plain) {
    ASSERT_EQ(text.size(), std::wstring(L"in flight:00000000\r\n").size() + plain.size()) << fw::WideToUtf8(text);
    EXPECT_EQ(text.substr(0, 10), L"in flight:");
    EXPECT_EQ(text.substr(text.size() - plain.size() - 2), L"\r\n" + plain);
  }
}

}  // namespace
