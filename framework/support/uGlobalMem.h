#pragma once
// Global memory blocks that report failure with EUserError.
#include <windows.h>

#include <cstddef>

// Raises EUserError "メモリが足りません" when the system gives no block.
HGLOBAL GlobalAllocK(UINT flags, SIZE_T size);

// Nothing for a null handle; otherwise frees it and nulls the variable, also
// when the system reports failure (then EUserError names the error number).
void GlobalFreeK(HGLOBAL& mem);

// Keeps mem when it has at least size bytes; otherwise replaces it with a
// fixed block of size bytes, or null when that cannot be had.
void GlobalEnsureSize(HGLOBAL& mem, SIZE_T size);
