#include "core/controls/uAutoRepeat.h"

bool TAutoRepeat::Press() {
  FInterval = kFirstDelay;
  FEnabled = true;
  return true;
}

bool TAutoRepeat::Tick(bool shownDown, bool hasCapture) {
  if (!FEnabled) return false;
  FInterval = kRepeatInterval;
  return shownDown && hasCapture;
}
