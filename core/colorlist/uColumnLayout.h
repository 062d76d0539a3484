#pragma once
// The stored order and widths of the colour list's columns
// ("0,32,1,32,2,70,..." : identity and width per screen position).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int kListColumnCount = 7;
inline constexpr std::int32_t kMinColumnWidth = 8;
inline constexpr std::int32_t kMaxColumnWidth = 2000;

struct TColumnLayout {
  std::array<std::int32_t, kListColumnCount> Ids;     // column identity at each position
  std::array<std::int32_t, kListColumnCount> Widths;  // width at each position
  bool operator==(const TColumnLayout&) const = default;
};

// Identities equal to positions, the given widths, the row-number column 32 wide.
TColumnLayout DefaultColumnLayout(const std::array<std::int32_t, kListColumnCount>& designedWidths);

// True when the identities are a permutation of 0..6 with the row number first.
bool ValidColumnIds(const std::array<std::int32_t, kListColumnCount>& ids);

// Applies a stored value to the designed layout. Pairs are taken from the
// start while the positions last; widths are limited to the range above.
// When an entry is no number, or the identities that result are no valid
// permutation, the identities go back to their positions and the widths
// already applied stay.
TColumnLayout ParseColumnLayout(std::wstring_view stored, const TColumnLayout& designed);

std::wstring ColumnLayoutText(const TColumnLayout& layout);
