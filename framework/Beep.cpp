#include "framework/Beep.h"

namespace fw {

void (*MessageBeepHook)(UINT type) = nullptr;

void MessageBeep(UINT type) noexcept {
  if (MessageBeepHook)
    MessageBeepHook(type);
  else
    ::MessageBeep(type);
}

}  // namespace fw
