#pragma once
// What the flat buttons of the program's controls share with the framework:
// their states and their glyph drawing. The buttons themselves have no
// windows; the control that holds them draws them.
#include <windows.h>

namespace fw {

enum class TButtonState { bsUp, bsDown, bsDisabled };

// Draws a bitmap with the colour of its bottom-left pixel left out, or as a
// grey embossed shape when disabled.
void DrawTransparentGlyph(HDC dc, HBITMAP glyph, int x, int y, bool enabled);

}  // namespace fw
