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
