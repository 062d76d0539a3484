#pragma once
// One element moved within a sequence, the ones between shifting by one, as
// a dragged row or column moves.
#include <algorithm>

// Where the element at index ends up when the one at from goes to to.
constexpr int MovedIndex(int index, int from, int to) noexcept {
  if (index == from) return to;
  if (from < index && index <= to) return index - 1;
  if (to <= index && index < from) return index + 1;
  return index;
}

// from and to lie within the sequence.
template <typename TSequence>
void MoveElement(TSequence& sequence, int from, int to) {
  const auto a = sequence.begin() + from, b = sequence.begin() + to;
  if (from < to)
    std::rotate(a, a + 1, b + 1);
  else
    std::rotate(b, a, a + 1);
}
