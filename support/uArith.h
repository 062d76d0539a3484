#pragma once

#include <cstdint>

std::int32_t RoundHalfAway(double x);
