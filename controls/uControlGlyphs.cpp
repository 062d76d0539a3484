#include "controls/uControlGlyphs.h"

namespace {

TControlGlyphs& Glyphs() noexcept {
  static TControlGlyphs glyphs;
  return glyphs;
}

}  // namespace

void SetControlGlyphs(const TControlGlyphs& glyphs) noexcept { Glyphs() = glyphs; }

const TControlGlyphs& ControlGlyphs() noexcept { return Glyphs(); }
