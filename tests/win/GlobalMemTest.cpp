#include "framework/support/uGlobalMem.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/Handles.h"
#include "core/support/uUserError.h"

namespace {

TEST(GlobalMemTest, AllocKGivesABlockOfAtLeastTheSize) {
  HGLOBAL mem = GlobalAllocK(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
  ASSERT_NE(mem, nullptr);
  EXPECT_GE(::GlobalSize(mem), 64u);
  {
    fw::TGlobalLock<unsigned char> lock(mem);
    ASSERT_TRUE(lock);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(lock.Get()[i], 0) << i;
  }
  GlobalFreeK(mem);
  EXPECT_EQ(mem, nullptr);
}

TEST(GlobalMemTest, AllocKRaisesWhenThereIsNoMemory) {
  try {
    GlobalAllocK(GMEM_FIXED, static_cast<SIZE_T>(-1) - 0xFFFF);
    FAIL();
  } catch (const EUserError& e) {
    EXPECT_EQ(e.Message(), L"メモリが足りません");
  }
}

TEST(GlobalMemTest, FreeKOfNullDoesNothing) {
  HGLOBAL mem = nullptr;
  EXPECT_NO_THROW(GlobalFreeK(mem));
  EXPECT_EQ(mem, nullptr);
}

TEST(GlobalMemTest, FreeKFailureNullsTheVariableAndNamesTheError) {
  HGLOBAL stale = ::GlobalAlloc(GMEM_MOVEABLE, 16);
  ASSERT_NE(stale, nullptr);
  ASSERT_EQ(::GlobalFree(stale), nullptr);
  HGLOBAL mem = stale;
  try {
    GlobalFreeK(mem);
    FAIL() << "a freed handle was freed again without complaint";
  } catch (const EUserError& e) {
    const std::wstring prefix = L"GlobalFreeK: GlobalFreeFailed(";
    const std::wstring& text = e.Message();
    ASSERT_GT(text.size(), prefix.size() + 1);
    EXPECT_EQ(text.substr(0, prefix.size()), prefix);
    EXPECT_EQ(text.back(), L')');
    const std::wstring number = text.substr(prefix.size(), text.size() - prefix.size() - 1);
    EXPECT_EQ(number, std::to_wstring(ERROR_INVALID_HANDLE));
  }
  EXPECT_EQ(mem, nullptr);
}

TEST(GlobalMemTest, EnsureSizeAllocatesWhenThereIsNoBlock) {
  HGLOBAL mem = nullptr;
  GlobalEnsureSize(mem, 100);
  ASSERT_NE(mem, nullptr);
  EXPECT_GE(::GlobalSize(mem), 100u);
  // A fixed block: the handle is the address.
  EXPECT_EQ(::GlobalLock(mem), mem);
  ::GlobalUnlock(mem);
  GlobalFreeK(mem);
}

TEST(GlobalMemTest, EnsureSizeKeepsABlockBigEnough) {
  HGLOBAL mem = GlobalAllocK(GMEM_MOVEABLE, 200);
  const HGLOBAL before = mem;
  for (SIZE_T size : {SIZE_T{0}, SIZE_T{1}, SIZE_T{200}}) {
    GlobalEnsureSize(mem, size);
    EXPECT_EQ(mem, before) << size;
  }
  GlobalFreeK(mem);
}

TEST(GlobalMemTest, EnsureSizeReplacesASmallBlock) {
  HGLOBAL mem = GlobalAllocK(GMEM_FIXED, 10);
  GlobalEnsureSize(mem, ::GlobalSize(mem) + 1000);
  ASSERT_NE(mem, nullptr);
  EXPECT_GE(::GlobalSize(mem), 1010u);
  GlobalFreeK(mem);
}

TEST(GlobalMemTest, EnsureSizeGivesNullWithoutExceptionWhenTheBlockCannotBeHad) {
  HGLOBAL mem = GlobalAllocK(GMEM_FIXED, 10);
  EXPECT_NO_THROW(GlobalEnsureSize(mem, static_cast<SIZE_T>(-1) - 0xFFFF));
  EXPECT_EQ(mem, nullptr);
}

}  // namespace
