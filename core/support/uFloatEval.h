#pragma once
// Every build must round doubles the way the tests saw them: the i686 exe
// that ships and the x86_64 build the suites also run from. x87 arithmetic
// keeps 80-bit intermediates and changes the pop-up's scale steps.
#include <cfloat>

#if defined(_M_IX86) && !defined(__clang__) && !defined(__GNUC__)
#if !defined(_M_IX86_FP) || _M_IX86_FP < 2
#error "Build the x86 target with SSE2 arithmetic (/arch:SSE2)."
#endif
#elif defined(__i386__) && !defined(__SSE2_MATH__)
#error "Build the i686 target with SSE2 arithmetic (-msse2 -mfpmath=sse)."
#endif

#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD != 0 && FLT_EVAL_METHOD != -1
#error "Floating-point expressions must be evaluated in their own type (FLT_EVAL_METHOD 0)."
#endif
