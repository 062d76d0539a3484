#include "framework/Com.h"

namespace fw {

namespace {
LONG gComObjects = 0;
}

long ComObjectCount() noexcept { return ::InterlockedCompareExchange(&gComObjects, 0, 0); }

namespace detail {
void ComObjectCreated() noexcept { ::InterlockedIncrement(&gComObjects); }
void ComObjectDestroyed() noexcept { ::InterlockedDecrement(&gComObjects); }
}  // namespace detail

}  // namespace fw
