#include "core/support/uStretchMap.h"

#include <cstddef>

std::vector<int> StretchMap(int srcStart, int srcCount, int dstCount) {
  std::vector<int> map;
  if (srcCount <= 0 || dstCount <= 0) return map;
  map.resize(static_cast<std::size_t>(dstCount));
  // The error stays in 0 .. dstCount - 1 after each step, and the source
  // index advances once per dstCount units taken off: exactly the floor.
  int error = dstCount - 1;
  int source = srcStart;
  for (int& entry : map) {
    entry = source;
    error -= srcCount;
    while (error < 0) {
      error += dstCount;
      ++source;
    }
  }
  return map;
}
