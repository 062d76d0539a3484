#pragma once
// One item of the colour list as a line of its file holds it.
#include <cstdint>
#include <string>

// No range check: 300 or -5 come back as such.
struct TColorListItem {
  std::int32_t Red = 0, Green = 0, Blue = 0;
  std::wstring Comment;
  bool operator==(const TColorListItem&) const = default;
};
