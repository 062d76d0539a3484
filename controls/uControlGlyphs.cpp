#include "controls/uControlGlyphs.h"

#include <map>
#include <utility>

#include "core/sampling/uMonitorLayout.h"
#include "framework/Dpi.h"
#include "framework/Handles.h"

namespace {

// Keyed by the original glyph and the DPI.
std::map<std::pair<HBITMAP, int>, fw::TUniqueBitmap>& ScaledGlyphs() {
  static std::map<std::pair<HBITMAP, int>, fw::TUniqueBitmap> glyphs;
  return glyphs;
}

TControlGlyphs& Glyphs() noexcept {
  static TControlGlyphs glyphs;
  return glyphs;
}

}  // namespace

void SetControlGlyphs(const TControlGlyphs& glyphs) noexcept { Glyphs() = glyphs; }

const TControlGlyphs& ControlGlyphs() noexcept { return Glyphs(); }

HBITMAP GlyphAtDpi(HBITMAP glyph, int dpi) noexcept {
  auto& cache = ScaledGlyphs();
  // A copy made for another DPI stands for its original.
  for (const auto& [key, scaled] : cache)
    if (scaled.Get() == glyph) glyph = key.first;
  if (!glyph || dpi <= 0 || dpi == kDefaultDpi) return glyph;
  try {
    const auto key = std::make_pair(glyph, dpi);
    if (auto it = cache.find(key); it != cache.end()) return it->second.Get();
    BITMAP info{};
    if (!::GetObjectW(glyph, sizeof(info), &info)) return glyph;
    fw::TUniqueBitmap scaled(fw::StretchBitmapNearest(glyph, LogicalToPhysical(info.bmWidth, dpi),
                                                      LogicalToPhysical(info.bmHeight, dpi)));
    if (!scaled) return glyph;
    return cache.emplace(key, std::move(scaled)).first->second.Get();
  } catch (...) {
    return glyph;
  }
}

bool IsControlGlyph(HBITMAP glyph) noexcept {
  if (!glyph) return false;
  const TControlGlyphs& g = Glyphs();
  for (HBITMAP own : {g.EditEllipsis, g.TrackBarDivider, g.SpinUp, g.SpinDown})
    if (glyph == own) return true;
  for (const auto& [key, scaled] : ScaledGlyphs())
    if (scaled.Get() == glyph) return true;
  return false;
}
