#pragma once

#include <cstdint>

#include "support/uFloatEval.h"

std::int32_t RoundHalfAway(double x);
