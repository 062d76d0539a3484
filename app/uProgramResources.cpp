#include "app/uProgramResources.h"

#include "app/uUiText.h"

#include <cstdint>
#include <span>

#include "controls/uControlGlyphs.h"
#include "framework/Application.h"
#include "framework/Handles.h"

namespace {

HBITMAP LoadBitmapResource(HINSTANCE instance, const wchar_t* name) {
  return static_cast<HBITMAP>(::LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

// Resource memory lives as long as the module; nothing to free.
std::span<const std::uint8_t> RawBitmapResource(HINSTANCE instance, const wchar_t* name) {
  HRSRC found = ::FindResourceW(instance, name, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const std::uint8_t*>(data), ::SizeofResource(instance, found)};
}

}  // namespace

void InstallProgramResources(HINSTANCE instance) {
  fw::TApplication& app = fw::Application();
  app.SetTitle(L"Tintra");
  app.SetIcon(::LoadIconW(instance, L"MAINICON"));
  InstallUiTexts();

  // The controls draw these without copies; they live until the end.
  static fw::TUniqueBitmap ellipsis(LoadBitmapResource(instance, L"EVELLIPS"));
  static fw::TUniqueBitmap divider(LoadBitmapResource(instance, L"ETBVDIV"));
  static fw::TUniqueBitmap up(LoadBitmapResource(instance, L"ETBVUP"));
  static fw::TUniqueBitmap down(LoadBitmapResource(instance, L"ETBVDOWN"));
  TControlGlyphs glyphs;
  glyphs.EditEllipsis = ellipsis.Get();
  glyphs.TrackBarDivider = divider.Get();
  glyphs.SpinUp = up.Get();
  glyphs.SpinDown = down.Get();
  glyphs.SizeGrip = RawBitmapResource(instance, L"BMSIZE");
  SetControlGlyphs(glyphs);
}
