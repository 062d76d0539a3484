#include "framework/Cursors.h"

#include <map>

namespace fw {

namespace {

// A function-local table, so units may register cursors while they are initialised.
std::map<int, HCURSOR>& Table() {
  static std::map<int, HCURSOR> table;
  return table;
}

}  // namespace

HCURSOR CursorEntry(int id) noexcept {
  const auto& table = Table();
  auto it = table.find(id);
  return it == table.end() ? nullptr : it->second;
}

void SetCursorEntry(int id, HCURSOR cursor) { Table()[id] = cursor; }

}  // namespace fw

namespace fw {

TSystemCursorScope::TSystemCursorScope(HCURSOR cursor) noexcept {
  if (!cursor) return;
  const DWORD ids[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643, 32644, 32645, 32646, 32648, 32649, 32650};
  for (DWORD id : ids) {
    // The system takes the copy it is given and destroys it when it lets go.
    HCURSOR copy = static_cast<HCURSOR>(::CopyImage(cursor, IMAGE_CURSOR, 0, 0, 0));
    if (copy && ::SetSystemCursor(copy, id)) FReplaced = true;
    else if (copy) ::DestroyCursor(copy);
  }
}

TSystemCursorScope::~TSystemCursorScope() {
  if (FReplaced) ::SystemParametersInfoW(SPI_SETCURSORS, 0, nullptr, 0);
}

}  // namespace fw
