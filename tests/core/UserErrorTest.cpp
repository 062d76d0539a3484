#include "core/support/uUserError.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

std::wstring Chained(const Exception& earlier, const std::wstring& message) {
  return earlier.Message() + L"\r\n" + message;
}

TEST(UserErrorTest, OutsideAnyHandlerTheTextIsTheMessage) {
  EXPECT_EQ(EUserError(L"TfrmTintra.edtFactorChange:Illegal iIndex").Message(),
            L"TfrmTintra.edtFactorChange:Illegal iIndex");
  EXPECT_EQ(EUserError(L"").Message(), L"");
}

TEST(UserErrorTest, IsAnFwException) {
  try {
    throw EUserError(L"x");
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"x");
    EXPECT_STREQ(e.what(), "x");
  }
}

TEST(UserErrorTest, InsideAHandlerOfAnFwExceptionTheEarlierTextComesFirst) {
  try {
    throw Exception(L"first");
  } catch (const Exception& e) {
    EUserError error(L"second");
    EXPECT_EQ(error.Message(), L"first\r\nsecond");
  }
}

TEST(UserErrorTest, InsideACatchAllHandlerTheEarlierFwExceptionIsFound) {
  try {
    throw Exception(L"cause");
  } catch (...) {
    try {
      std::rethrow_exception(std::current_exception());
    } catch (const Exception& e) {
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
    throw Exception(L"a");
  } catch (const Exception& a) {
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
    throw Exception(L"gone");
  } catch (const Exception&) {
  }
  EXPECT_EQ(EUserError(L"fresh").Message(), L"fresh");
}

TEST(UserErrorTest, TheCurrentlyHandledExceptionIsTheInnermost) {
  try {
    throw Exception(L"outer");
  } catch (const Exception&) {
    try {
      throw Exception(L"inner");
    } catch (const Exception& inner) {
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
    throw Exception(L"in flight");
  } catch (const Exception&) {
  }
  const std::wstring plain = L"during unwind";
  if (text != plain) {
    EXPECT_EQ(text, L"in flight\r\n" + plain) << WideToUtf8(text);
  }
}

}  // namespace
