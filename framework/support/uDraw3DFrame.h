#pragma once
// The two-pixel 3D frame around the eyedropper box and the swatch.
#include <windows.h>

#include <optional>

// Draws the frame inside rect (right and bottom exclusive, nothing outside it), raised or sunken,
// then fills the inside (rect shrunk by 2) when a fill colour is given.
// The DC's pen, brush and current position are left as they were.
void Draw3DFrame(HDC dc, const RECT& rect, bool raised, std::optional<COLORREF> fill = std::nullopt);
