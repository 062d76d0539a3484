#include "controls/uControlGlyphs.h"

namespace {

TControlGlyphs& Glyphs() noexcept {
  static TControlGlyphs glyphs;
  return glyphs;
}

}  // namespace

void SetControlGlyphs(const TControlGlyphs& glyphs) noexcept { Glyphs() = glyphs; }

const TControlGlyphs& ControlGlyphs() noexcept { return Glyphs(); }

HBITMAP CopyGlyph(HBITMAP glyph) noexcept {
  if (!glyph) return nullptr;
  return static_cast<HBITMAP>(::CopyImage(glyph, IMAGE_BITMAP, 0, 0, 0));
}
