#pragma once
// The pictures the controls draw, handed in by the program from its own
// resources before it creates a control, so the controls know no resource names.
#include <windows.h>

#include <cstdint>
#include <span>

struct TControlGlyphs {
  HBITMAP EditEllipsis = nullptr;     // the button of TCustomEditVel
  HBITMAP TrackBarDivider = nullptr;  // the pop-up button of the edit track bar
  HBITMAP SpinUp = nullptr;
  HBITMAP SpinDown = nullptr;
  // The size grip as a packed DIB (header, colour table, bits); its white and
  // grey entries are drawn in the system's highlight and shadow colours.
  std::span<const std::uint8_t> SizeGrip;
};

// Not owned: the program keeps them alive as long as its controls, which
// draw them without copies of their own.
void SetControlGlyphs(const TControlGlyphs& glyphs) noexcept;
const TControlGlyphs& ControlGlyphs() noexcept;

// One of the glyphs (or a copy made here of one) grown for dpi, each pixel
// repeated, made once and kept for the process like the glyph itself; the
// glyph itself at 96 DPI or when no copy can be made.
HBITMAP GlyphAtDpi(HBITMAP glyph, int dpi) noexcept;
// True for a glyph of the table above or a copy GlyphAtDpi made of one.
bool IsControlGlyph(HBITMAP glyph) noexcept;
