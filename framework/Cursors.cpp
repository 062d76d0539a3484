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
