#pragma once
// Nearest-neighbour index maps for enlarging or shrinking a picture.
#include <vector>

// For each of dstCount destination positions j, the source index
// srcStart + floor(j * srcCount / dstCount), found by an integer error walk
// so that no product can overflow. Empty when either count is not positive.
std::vector<int> StretchMap(int srcStart, int srcCount, int dstCount);
