#pragma once
// The system beep for refused input, behind a hook so tests can count beeps.
#include <windows.h>

namespace fw {

void MessageBeep(UINT type = 0) noexcept;

// When set, beeps go here instead of to the system.
extern void (*MessageBeepHook)(UINT type);

}  // namespace fw
