#pragma once
// The application's table of cursors by number, so controls can name a
// program cursor (loaded from the resources) the way they name a system one.
#include <windows.h>

namespace fw {

// Null when nothing is registered under id.
HCURSOR CursorEntry(int id) noexcept;
// The table does not own the cursors: resource cursors live as long as the process.
void SetCursorEntry(int id, HCURSOR cursor);

}  // namespace fw

namespace fw {

// The system's own cursors (the arrow, the I-beam, the hand, ...) all
// replaced by one for a scope, so it shows over every program's window;
// the user's cursor scheme comes back when the scope ends.
class TSystemCursorScope {
 public:
  explicit TSystemCursorScope(HCURSOR cursor) noexcept;
  ~TSystemCursorScope();
  TSystemCursorScope(const TSystemCursorScope&) = delete;
  TSystemCursorScope& operator=(const TSystemCursorScope&) = delete;

 private:
  bool FReplaced = false;
};

}  // namespace fw
