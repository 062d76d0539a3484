#pragma once

#include <cstdint>

#include "core/support/uFloatEval.h"

std::int32_t RoundHalfAway(double x);
