#pragma once

#include <cstdint>

// A Windows colour reference: red in the low byte, then green, then blue.
using TColor = std::uint32_t;
